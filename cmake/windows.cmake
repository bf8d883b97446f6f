# Stats.dll for the host: PE32 i686, importing system DLLs only, and its tests under Wine. The
# same sources also build for 64-bit Windows as a test build: 64-bit Wine runs natively, so every
# behaviour test runs there; the 32-bit build keeps what only it can show (the export table, the
# imports, the calling convention and stack balance, the shipped DLL's replay).

# The dialog templates are compiled by the toolchain's windres.
enable_language(RC)

if(CMAKE_SIZEOF_VOID_P EQUAL 8)
  set(STATS_TEST_PREFIX win64)
else()
  set(STATS_TEST_PREFIX win32)
endif()

configure_file(resources/version.rc.in ${CMAKE_CURRENT_BINARY_DIR}/version.rc @ONLY)
configure_file(resources/INSTALL.txt.in ${CMAKE_CURRENT_BINARY_DIR}/INSTALL.txt @ONLY)
add_library(Stats SHARED ${STATS_PLUGIN_SOURCES} src/plugin/exports.def
  ${CMAKE_CURRENT_BINARY_DIR}/version.rc
  resources/stats.rc
  src/plugin/platform_win32.cpp
  src/system/this_module_win32.cpp
  src/reports/host_program_win32.cpp
  src/settings/dialogs_win32.cpp
  src/settings/profile_win32.cpp)
set_target_properties(Stats PROPERTIES PREFIX "" OUTPUT_NAME Stats)
target_include_directories(Stats PRIVATE resources)
target_link_libraries(Stats PRIVATE stats_core user32 version)
# The host's folder holds no compiler runtime: link it in.
target_link_options(Stats PRIVATE -static -static-libgcc -static-libstdc++)

# What every Windows test program shares: the checks and the DLL loaded as the host loads it.
add_library(stats_win32_checks STATIC tests/win32/checks.cpp tests/win32/stats_dll.cpp)
target_include_directories(stats_win32_checks PUBLIC tests/win32)
target_link_libraries(stats_win32_checks PUBLIC stats_host)

# The test host calls the DLL as the host does; defer-pop off so that the stack pointer it
# compares around each call on 32-bit Windows is the caller's settled one.
add_executable(stats_test_host tests/win32/test_host.cpp)
target_compile_options(stats_test_host PRIVATE -fno-defer-pop -fno-omit-frame-pointer)
target_link_libraries(stats_test_host PRIVATE stats_win32_checks)
target_link_options(stats_test_host PRIVATE -static)
add_dependencies(stats_test_host Stats)
add_test(NAME ${STATS_TEST_PREFIX}.entry_points COMMAND stats_test_host $<TARGET_FILE_NAME:Stats>)
# Its score request without the window sends the mode macros to whatever host object runs: not
# while the window tests register theirs.
set_tests_properties(${STATS_TEST_PREFIX}.entry_points PROPERTIES WORKING_DIRECTORY $<TARGET_FILE_DIR:Stats>
  RESOURCE_LOCK host_automation_object)

# The date-time texts against the platform's own conversion, in both builds: the 32-bit one does
# its floating point on another unit.
add_executable(stats_datetime_check tests/win32/datetime_check.cpp)
target_link_libraries(stats_datetime_check PRIVATE stats_core stats_win32_checks oleaut32)
target_link_options(stats_datetime_check PRIVATE -static)
add_test(NAME ${STATS_TEST_PREFIX}.datetime_conversion COMMAND stats_datetime_check)

if(STATS_TEST_PREFIX STREQUAL win32)
  add_test(NAME win32.export_table
    COMMAND ${CMAKE_SOURCE_DIR}/tests/abi/check_exports.sh $<TARGET_FILE:Stats>
            ${CMAKE_SOURCE_DIR}/tests/abi/decorated_names.cpp)
else()
  include(${CMAKE_SOURCE_DIR}/cmake/windows_flow.cmake)
endif()
include(${CMAKE_SOURCE_DIR}/cmake/windows_multiplier.cmake)
