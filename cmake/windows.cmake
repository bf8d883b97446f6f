# Stats.dll for the host: PE32 i686, importing system DLLs only, and its tests under Wine.

# The dialog templates are compiled by the toolchain's windres.
enable_language(RC)

configure_file(resources/version.rc.in ${CMAKE_CURRENT_BINARY_DIR}/version.rc @ONLY)
configure_file(resources/INSTALL.txt.in ${CMAKE_CURRENT_BINARY_DIR}/INSTALL.txt @ONLY)
add_library(Stats SHARED ${STATS_PLUGIN_SOURCES} src/plugin/exports.def
  ${CMAKE_CURRENT_BINARY_DIR}/version.rc
  resources/stats.rc
  src/plugin/platform_win32.cpp
  src/reports/host_program_win32.cpp
  src/settings/dialogs_win32.cpp
  src/settings/profile_win32.cpp)
set_target_properties(Stats PROPERTIES PREFIX "" OUTPUT_NAME Stats)
target_include_directories(Stats PRIVATE resources)
target_link_libraries(Stats PRIVATE stats_core user32 version)
# The host's folder holds no compiler runtime: link it in.
target_link_options(Stats PRIVATE -static -static-libgcc -static-libstdc++)

# The test host calls the DLL as the host does; defer-pop off so that the stack pointer it
# compares around each call is the caller's settled one.
add_executable(stats_test_host tests/win32/test_host.cpp)
target_compile_options(stats_test_host PRIVATE -fno-defer-pop -fno-omit-frame-pointer)
target_link_options(stats_test_host PRIVATE -static)
add_test(NAME win32.entry_points COMMAND stats_test_host $<TARGET_FILE_NAME:Stats>)
set_tests_properties(win32.entry_points PROPERTIES WORKING_DIRECTORY $<TARGET_FILE_DIR:Stats>)

# The date-time texts against the platform's own conversion.
add_executable(stats_datetime_check tests/win32/datetime_check.cpp)
target_link_libraries(stats_datetime_check PRIVATE stats_core oleaut32)
target_link_options(stats_datetime_check PRIVATE -static)
add_test(NAME win32.datetime_conversion COMMAND stats_datetime_check)

add_test(NAME win32.export_table
  COMMAND ${CMAKE_SOURCE_DIR}/tests/abi/check_exports.sh $<TARGET_FILE:Stats>
          ${CMAKE_SOURCE_DIR}/tests/abi/decorated_names.cpp)

# The operator's flow through the real dialogs, driven from a second thread of the test; the
# two stand-ins for the host program differ only in the version their resource carries.
foreach(version IN ITEMS "2;19;0;7" "3;1;4;2")
  list(JOIN version "_" suffix)
  list(GET version 0 major)
  list(GET version 1 minor)
  list(GET version 2 build)
  list(GET version 3 revision)
  add_executable(fake_host_${suffix} tests/win32/fake_host.cpp tests/win32/fake_host.rc)
  target_compile_definitions(fake_host_${suffix} PRIVATE
    HOST_MAJOR=${major} HOST_MINOR=${minor} HOST_BUILD=${build} HOST_REVISION=${revision})
  target_link_options(fake_host_${suffix} PRIVATE -static)
endforeach()

add_executable(stats_flow_test
  tests/win32/flow_checks.cpp
  tests/win32/flow_test.cpp
  tests/win32/operator_thread.cpp
  tests/win32/stats_library.cpp
  tests/win32/window_png.cpp)
target_include_directories(stats_flow_test PRIVATE resources)
target_link_libraries(stats_flow_test PRIVATE user32 gdi32)
target_link_options(stats_flow_test PRIVATE -static)
add_dependencies(stats_flow_test Stats fake_host_2_19_0_7 fake_host_3_1_4_2)
add_test(NAME win32.dialog_flow
  COMMAND stats_flow_test $<TARGET_FILE_NAME:Stats> artifacts
          $<TARGET_FILE_NAME:fake_host_2_19_0_7> $<TARGET_FILE_NAME:fake_host_3_1_4_2>)
# A score request without the window reaches for the host object the window tests register.
set_tests_properties(win32.dialog_flow PROPERTIES WORKING_DIRECTORY $<TARGET_FILE_DIR:Stats> TIMEOUT 300
  RESOURCE_LOCK host_automation_object)
include(${CMAKE_SOURCE_DIR}/cmake/windows_multiplier.cmake)
