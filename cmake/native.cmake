# The native build: the same entry points from a Linux shared library, unit tests, benchmark.

add_library(Stats SHARED ${STATS_PLUGIN_SOURCES} src/plugin/platform_headless.cpp)
target_link_libraries(Stats PRIVATE stats_core)
set_target_properties(Stats PROPERTIES CXX_VISIBILITY_PRESET hidden VISIBILITY_INLINES_HIDDEN ON)

find_package(GTest REQUIRED)
find_package(Threads REQUIRED)
add_executable(stats_tests
  tests/native/cabrillo_test.cpp
  tests/native/call_check_test.cpp
  tests/native/contest_flow_test.cpp
  tests/native/contest_log_test.cpp
  tests/native/entry_points_test.cpp
  tests/native/ole_date_time_test.cpp
  tests/native/qso_intake_test.cpp
  tests/native/settings_test.cpp
  tests/native/summary_test.cpp
  tests/native/text_file_test.cpp
  tests/native/window_model_test.cpp)
target_link_libraries(stats_tests PRIVATE Stats stats_core GTest::gtest_main Threads::Threads)
include(GoogleTest)
gtest_discover_tests(stats_tests PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})

if(STATS_SANITIZE STREQUAL "")
  find_package(benchmark REQUIRED)
  add_executable(stats_bench bench/engine_bench.cpp)
  target_link_libraries(stats_bench PRIVATE stats_host benchmark::benchmark)
  target_compile_definitions(stats_bench PRIVATE STATS_PLUGIN_FILE="$<TARGET_FILE:Stats>")
  add_dependencies(stats_bench Stats)
endif()
add_test(NAME layering COMMAND bash ${CMAKE_SOURCE_DIR}/tests/abi/check_layers.sh ${CMAKE_SOURCE_DIR}/src)
