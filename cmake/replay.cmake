# stats-replay: replays a contest log through the plug-in, loaded at run time as the host loads it.
# Included by both builds after the plug-in target.

set(REPLAY_DIR ${CMAKE_CURRENT_LIST_DIR}/../tools/replay)
set(COUNTRY_FILES_DIR /usr/share/hamradio-files)

# The report page and its chart library, built into the program as string constants.
set(CHART_LIBRARY_FILE ${CMAKE_CURRENT_LIST_DIR}/../third_party/chartjs/chart.umd.min.js)
set(REPORT_ASSETS_DIR ${CMAKE_CURRENT_BINARY_DIR}/report_assets)
set(EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/embed_text.cmake)
add_custom_command(OUTPUT ${REPORT_ASSETS_DIR}/chart_library.cpp
  COMMAND ${CMAKE_COMMAND} -DINPUT=${CHART_LIBRARY_FILE} -DOUTPUT=${REPORT_ASSETS_DIR}/chart_library.cpp
          -DNAME=kChartLibrary -DSCRIPT=ON -P ${EMBED_SCRIPT}
  DEPENDS ${CHART_LIBRARY_FILE} ${EMBED_SCRIPT}
  COMMENT "Embedding the chart library")
add_custom_command(OUTPUT ${REPORT_ASSETS_DIR}/report_page_template.cpp
  COMMAND ${CMAKE_COMMAND} -DINPUT=${REPLAY_DIR}/report_page.html
          -DOUTPUT=${REPORT_ASSETS_DIR}/report_page_template.cpp -DNAME=kReportPageTemplate -P ${EMBED_SCRIPT}
  DEPENDS ${REPLAY_DIR}/report_page.html ${EMBED_SCRIPT}
  COMMENT "Embedding the report page")
file(MAKE_DIRECTORY ${REPORT_ASSETS_DIR})

add_library(replay_core STATIC
  ${REPLAY_DIR}/adif_log.cpp
  ${REPLAY_DIR}/adif_reader.cpp
  ${REPLAY_DIR}/cabrillo_header_check.cpp
  ${REPLAY_DIR}/cabrillo_log.cpp
  ${REPLAY_DIR}/call_list.cpp
  ${REPLAY_DIR}/call_sign.cpp
  ${REPLAY_DIR}/contest_plan.cpp
  ${REPLAY_DIR}/contest_stats.cpp
  ${REPLAY_DIR}/country_file.cpp
  ${REPLAY_DIR}/host_form.cpp
  ${REPLAY_DIR}/json_writer.cpp
  ${REPLAY_DIR}/log_check.cpp
  ${REPLAY_DIR}/log_file.cpp
  ${REPLAY_DIR}/minute_clock.cpp
  ${REPLAY_DIR}/option_reader.cpp
  ${REPLAY_DIR}/options.cpp
  ${REPLAY_DIR}/problem_file.cpp
  ${REPLAY_DIR}/progress_line.cpp
  ${REPLAY_DIR}/replay.cpp
  ${REPLAY_DIR}/replay_folder.cpp
  ${REPLAY_DIR}/replayed_log.cpp
  ${REPLAY_DIR}/report_page.cpp
  ${REPLAY_DIR}/score_summary.cpp
  ${REPLAY_DIR}/serial_check.cpp
  ${REPLAY_DIR}/statistics_report.cpp
  ${REPLAY_DIR}/stats_json.cpp
  ${REPORT_ASSETS_DIR}/chart_library.cpp
  ${REPORT_ASSETS_DIR}/report_page_template.cpp)
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
  foreach(file cty.dat cty.csv MASTER.SCP)
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
    ${CMAKE_CURRENT_LIST_DIR}/../tests/replay/call_list_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../tests/replay/command_line_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../tests/replay/contest_stats_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../tests/replay/country_file_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../tests/replay/host_form_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../tests/replay/json_writer_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../tests/replay/log_check_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../tests/replay/minute_clock_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../tests/replay/options_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../tests/replay/problem_file_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../tests/replay/sample_replay_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/../tests/replay/score_summary_test.cpp)
  # stats_core only for the plug-in's own date conversion, which the replay's times must survive.
  target_link_libraries(stats_replay_tests PRIVATE replay_core stats_core GTest::gtest_main)
  target_compile_definitions(stats_replay_tests PRIVATE
    STATS_PLUGIN_FILE="$<TARGET_FILE:Stats>"
    STATS_REPLAY_FILE="$<TARGET_FILE:stats-replay>"
    SAMPLE_LOG_FILE="${CMAKE_CURRENT_LIST_DIR}/../samples/sample-contest.adi"
    COUNTRY_DAT_FILE="${COUNTRY_FILES_DIR}/cty.dat"
    COUNTRY_CSV_FILE="${COUNTRY_FILES_DIR}/cty.csv"
    CALL_LIST_FILE="${COUNTRY_FILES_DIR}/MASTER.SCP"
    SEEDED_CABRILLO_FILE="${CMAKE_CURRENT_LIST_DIR}/../tests/replay/logs/seeded-faults.cbr"
    SEEDED_ADIF_FILE="${CMAKE_CURRENT_LIST_DIR}/../tests/replay/logs/seeded-faults.adi")
  add_dependencies(stats_replay_tests Stats stats-replay)
  include(GoogleTest)
  gtest_discover_tests(stats_replay_tests TEST_PREFIX replay. PROPERTIES WORKING_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})

  # The sample's report page in a real browser.
  add_test(NAME replay.report_in_browser
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/../tests/replay/report_in_browser.sh $<TARGET_FILE:stats-replay>
            ${CMAKE_CURRENT_LIST_DIR}/../samples/sample-contest.adi)
  set_tests_properties(replay.report_in_browser PROPERTIES TIMEOUT 300)

  # The 50,000-QSO log through the program itself, against the clock.
  add_test(NAME replay.fifty_thousand_qsos
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/../scripts/replay-bench.sh $<TARGET_FILE:stats-replay>)
  set_tests_properties(replay.fifty_thousand_qsos PROPERTIES TIMEOUT 120)
  # And its statistics report, side by side with the plain replay.
  add_test(NAME replay.report_of_fifty_thousand_qsos
    COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/../tests/replay/report_speed.sh $<TARGET_FILE:stats-replay>)
  set_tests_properties(replay.report_of_fifty_thousand_qsos PROPERTIES TIMEOUT 300)
endif()
