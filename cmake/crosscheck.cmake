# stats-crosscheck: the sponsor's check of every submitted log against the others, scored through
# the plug-in with the replay's library. Built natively only: a sponsor's machine, not the host's.
if(WIN32)
  return()
endif()

set(CROSSCHECK_DIR ${CMAKE_CURRENT_LIST_DIR}/../tools/crosscheck)
set(CROSSCHECK_TESTS_DIR ${CMAKE_CURRENT_LIST_DIR}/../tests/crosscheck)

add_library(crosscheck_core STATIC
  ${CROSSCHECK_DIR}/check_report.cpp
  ${CROSSCHECK_DIR}/cross_check.cpp
  ${CROSSCHECK_DIR}/crosscheck_options.cpp
  ${CROSSCHECK_DIR}/log_set.cpp
  ${CROSSCHECK_DIR}/penalty_rules.cpp
  ${CROSSCHECK_DIR}/plugin_score.cpp
  ${CROSSCHECK_DIR}/results.cpp)
target_include_directories(crosscheck_core PUBLIC ${CROSSCHECK_DIR})
target_link_libraries(crosscheck_core PUBLIC replay_core)

add_executable(stats-crosscheck ${CROSSCHECK_DIR}/main.cpp)
target_link_libraries(stats-crosscheck PRIVATE crosscheck_core)
# The plug-in it loads by default lies beside it.
add_dependencies(stats-crosscheck Stats)

find_package(GTest REQUIRED)
add_executable(stats_crosscheck_tests
  ${CROSSCHECK_TESTS_DIR}/check_report_test.cpp
  ${CROSSCHECK_TESTS_DIR}/cross_check_test.cpp
  ${CROSSCHECK_TESTS_DIR}/generated_contest_test.cpp
  ${CROSSCHECK_TESTS_DIR}/log_folder_test.cpp)
target_link_libraries(stats_crosscheck_tests PRIVATE crosscheck_core GTest::gtest_main)
target_compile_definitions(stats_crosscheck_tests PRIVATE
  STATS_CROSSCHECK_FILE="$<TARGET_FILE:stats-crosscheck>"
  MAKE_CONTEST_SCRIPT="${CMAKE_CURRENT_LIST_DIR}/../scripts/make-contest.py"
  COUNTRY_DAT_FILE="${COUNTRY_FILES_DIR}/cty.dat"
  COUNTRY_CSV_FILE="${COUNTRY_FILES_DIR}/cty.csv")
add_dependencies(stats_crosscheck_tests stats-crosscheck)
include(GoogleTest)
gtest_discover_tests(stats_crosscheck_tests TEST_PREFIX crosscheck. PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})

# 1,000 generated logs of 400 QSOs through the program itself, against the clock and a memory limit.
add_test(NAME crosscheck.thousand_logs
  COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/../scripts/crosscheck-bench.sh --bin $<TARGET_FILE_DIR:stats-crosscheck> 1000)
set_tests_properties(crosscheck.thousand_logs PROPERTIES TIMEOUT 300)
