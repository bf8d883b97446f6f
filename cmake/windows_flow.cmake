# The operator's flow through the real dialogs, driven from a second thread of the test; the two
# stand-ins for the host program differ only in the version their resource carries. Behaviour
# tests: part of the 64-bit test build only.
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
  tests/win32/flow_test.cpp
  tests/win32/operator_thread.cpp
  tests/win32/window_png.cpp)
target_include_directories(stats_flow_test PRIVATE resources)
target_link_libraries(stats_flow_test PRIVATE stats_win32_checks user32 gdi32)
target_link_options(stats_flow_test PRIVATE -static)
add_dependencies(stats_flow_test Stats fake_host_2_19_0_7 fake_host_3_1_4_2)
add_test(NAME win64.dialog_flow
  COMMAND stats_flow_test $<TARGET_FILE_NAME:Stats> artifacts
          $<TARGET_FILE_NAME:fake_host_2_19_0_7> $<TARGET_FILE_NAME:fake_host_3_1_4_2>)
# A score request without the window reaches for the host object the window tests register.
set_tests_properties(win64.dialog_flow PROPERTIES WORKING_DIRECTORY $<TARGET_FILE_DIR:Stats> TIMEOUT 300
  RESOURCE_LOCK host_automation_object)
