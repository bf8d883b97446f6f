# Stats.dll for the host: PE32 i686, importing system DLLs only, and its tests under Wine.

add_library(Stats SHARED ${STATS_PLUGIN_SOURCES} src/plugin/exports.def
  src/plugin/platform_win32.cpp
  src/settings/profile_win32.cpp)
set_target_properties(Stats PROPERTIES PREFIX "" OUTPUT_NAME Stats)
target_link_libraries(Stats PRIVATE stats_core)
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
