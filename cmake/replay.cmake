# stats-replay: replays a contest log through the plug-in, loaded at run time as the host loads it.
# Included by both builds after the plug-in target.

set(REPLAY_DIR ${CMAKE_CURRENT_LIST_DIR}/../tools/replay)
set(COUNTRY_FILES_DIR /usr/share/hamradio-files)

add_library(replay_core STATIC
  ${REPLAY_DIR}/adif_log.cpp
  ${REPLAY_DIR}/adif_reader.cpp
  ${REPLAY_DIR}/cabrillo_log.cpp
  ${REPLAY_DIR}/contest_plan.cpp
  ${REPLAY_DIR}/country_file.cpp
  ${REPLAY_DIR}/host_form.cpp
  ${REPLAY_DIR}/log_file.cpp
  ${REPLAY_DIR}/options.cpp
  ${REPLAY_DIR}/progress_line.cpp
  ${REPLAY_DIR}/replay.cpp
  ${REPLAY_DIR}/replay_folder.cpp)
# src for the engine's CalendarTime, a header-only struct the readers share with the plug-in.
target_include_directories(replay_core PUBLIC ${REPLAY_DIR} ${CMAKE_CURRENT_LIST_DIR}/../src)
target_link_libraries(replay_core PUBLIC stats_host)

find_package(Threads REQUIRED)
if(WIN32)
  target_sources(replay_core PRIVATE ${REPLAY_DIR}/host_platform_win32.cpp)
else()
  target_sources(replay_core PRIVATE ${REPLAY_DIR}/host_platform_posix.cpp)
endif()
target_link_libraries(replay_core PUBLIC Threads::Threads)

add_executable(stats-replay ${REPLAY_DIR}/main.cpp)
target_link_libraries(stats-replay PRIVATE replay_core)
# The plug-in it loads by default lies beside it.
add_dependencies(stats-replay Stats)

if(WIN32)
  # Runs from a folder without the compiler's runtime, and finds its country file beside it.
  target_link_options(stats-replay PRIVATE -static)
  foreach(file cty.dat cty.csv)
    configure_file(${COUNTRY_FILES_DIR}/${file} ${CMAKE_CURRENT_BINARY_DIR}/${file} COPYONLY)
  endforeach()
  # The native build (made first by the test command) is the other side of the comparison.
  add_test(NAME ${STATS_TEST_PREFIX}.replay_same_as_native
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/../tests/replay/same_in_both_builds.sh
            ${CMAKE_SOURCE_DIR}/build/native/stats-replay $<TARGET_FILE:stats-replay>
            ${CMAKE_CURRENT_LIST_DIR}/../samples/sample-contest.adi)
  set_tests_properties(${STATS_TEST_PREFIX}.replay_same_as_native PROPERTIES TIMEOUT 300 RESOURCE_LOCK host_automation_object)
else()
  find_package(GTest REQUIRED)
  add_executable(stats_replay_tests
    ${CMAKE_CURRENT_LIST_DIR}/../tests/replay/adif_reading_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../tests/replay/cabrillo_reading_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../tests/replay/command_line_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../tests/replay/country_file_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../tests/replay/host_form_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../tests/replay/options_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../tests/replay/sample_replay_test.cpp)
  # stats_core only for the plug-in's own date conversion, which the replay's times must survive.
  target_link_libraries(stats_replay_tests PRIVATE replay_core stats_core GTest::gtest_main)
  target_compile_definitions(stats_replay_tests PRIVATE
    STATS_PLUGIN_FILE="$<TARGET_FILE:Stats>"
    STATS_REPLAY_FILE="$<TARGET_FILE:stats-replay>"
    SAMPLE_LOG_FILE="${CMAKE_CURRENT_LIST_DIR}/../samples/sample-contest.adi"
    COUNTRY_DAT_FILE="${COUNTRY_FILES_DIR}/cty.dat"
    COUNTRY_CSV_FILE="${COUNTRY_FILES_DIR}/cty.csv")
  add_dependencies(stats_replay_tests Stats stats-replay)
  include(GoogleTest)
  gtest_discover_tests(stats_replay_tests TEST_PREFIX replay. PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})

  # The 50,000-QSO log through the program itself, against the clock.
  add_test(NAME replay.fifty_thousand_qsos
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/../scripts/replay-bench.sh $<TARGET_FILE:stats-replay>)
  set_tests_properties(replay.fifty_thousand_qsos PROPERTIES TIMEOUT 120)
endif()
