# The checked builds' own programs: the fuzz target (address build) and the thread stress.
set(STATS_FUZZ_SECONDS 60 CACHE STRING "How long the fuzz test runs")
set(STATS_STRESS_SECONDS 10 CACHE STRING "How long the stress test runs")
find_package(Threads REQUIRED)

add_executable(stats_stress tests/stress/stress.cpp)
target_link_libraries(stats_stress PRIVATE Stats Threads::Threads)
target_include_directories(stats_stress PRIVATE src)
add_test(NAME hardening.stress_two_report_threads COMMAND stats_stress ${STATS_STRESS_SECONDS} 2)
set_tests_properties(hardening.stress_two_report_threads PROPERTIES TIMEOUT 600)

if(STATS_SANITIZE STREQUAL "address")
  add_executable(stats_fuzz tests/fuzz/entry_points_fuzz.cpp)
  target_link_libraries(stats_fuzz PRIVATE Stats)
  target_include_directories(stats_fuzz PRIVATE src)
  target_link_options(stats_fuzz PRIVATE -fsanitize=fuzzer)
  # New inputs go to the build's own corpus; the seeds in the repository are only read. The
  # module's files go to memory where it can; its message box text is not printed (a report
  # still is: libFuzzer keeps a copy of standard error for it).
  if(IS_DIRECTORY /dev/shm)
    set(fuzz_folder /dev/shm/stats-fuzz-asan)
  else()
    set(fuzz_folder ${CMAKE_CURRENT_BINARY_DIR}/fuzz-folder)
  endif()
  add_test(NAME hardening.fuzz
    COMMAND ${CMAKE_COMMAND} -E env STATS_FUZZ_FOLDER=${fuzz_folder}
            $<TARGET_FILE:stats_fuzz> -max_total_time=${STATS_FUZZ_SECONDS} -timeout=30 -rss_limit_mb=4096
            -max_len=4096 -close_fd_mask=2 ${CMAKE_CURRENT_BINARY_DIR}/fuzz-corpus ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus)
  set_tests_properties(hardening.fuzz PROPERTIES TIMEOUT 3600)
  file(MAKE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR}/fuzz-corpus)
endif()
