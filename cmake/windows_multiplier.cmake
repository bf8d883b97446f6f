# The DXCC and SA Prefix windows, the host link behind them and the module's exit, in Stats.dll;
# their test under 64-bit Wine.

target_sources(Stats PRIVATE
  resources/windows.rc
  src/automation/host_link_win32.cpp
  src/windows/dxcc_window_win32.cpp
  src/windows/grid_painter_win32.cpp
  src/windows/multiplier_windows_win32.cpp
  src/windows/prefix_window_win32.cpp
  src/windows/window_placement_win32.cpp)
# The resource compiler does not report the icon as a dependency of the script.
set_source_files_properties(resources/windows.rc PROPERTIES OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/resources/stats_icon.ico)
target_include_directories(Stats PRIVATE resources)
target_link_libraries(Stats PRIVATE ole32 oleaut32 uuid gdi32 user32)

if(NOT STATS_TEST_PREFIX STREQUAL win64)
  return()
endif()
# Plays the host against the DLL: its automation object on the main thread, the entry points
# called from there, the windows inspected from outside; screenshots into artifacts/.
add_executable(stats_windows_test
  tests/win32/fake_automation_host.cpp
  tests/win32/window_png.cpp
  tests/win32/windows_test.cpp)
target_include_directories(stats_windows_test PRIVATE resources src)
target_link_libraries(stats_windows_test PRIVATE stats_win32_checks ole32 oleaut32 uuid user32 gdi32 advapi32)
target_link_options(stats_windows_test PRIVATE -static)
add_dependencies(stats_windows_test Stats)
# One test per group of scenarios, so that a failure names its group. The groups register the same
# host object and program id: they must not run at the same time.
foreach(group IN ITEMS lifetime unloading unloading-while-busy process-exit busy-host)
  add_test(NAME win64.multiplier_windows.${group}
    COMMAND stats_windows_test $<TARGET_FILE_NAME:Stats> artifacts ${group})
  set_tests_properties(win64.multiplier_windows.${group} PROPERTIES
    WORKING_DIRECTORY $<TARGET_FILE_DIR:Stats> TIMEOUT 300 RESOURCE_LOCK host_automation_object)
endforeach()
