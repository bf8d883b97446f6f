// Reading a folder of submitted files: which file of a call is checked, what is passed over, and
// the QSOs' minutes.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "calendar.h"
#include "check_report.h"
#include "log_set.h"
#include "test_files.h"

namespace {

namespace fs = std::filesystem;

std::string Cabrillo(const std::string& call, const std::string& category, const std::string& qsoLines) {
  return "START-OF-LOG: 3.0\r\nCONTEST: PSK-63-TORVALE\r\nCALLSIGN: " + call + "\r\nCATEGORY-OPERATOR: " + category +
         "\r\n" + qsoLines + "END-OF-LOG:\r\n";
}

const char* const kQso = "QSO:  3580 PM 2025-03-15 1805 DL1AA         599 0001   OK1BB         599 0002\r\n";

void Write(const fs::path& file, const std::string& text, fs::file_time_type when) {
  std::ofstream(file, std::ios::binary) << text;
  fs::last_write_time(file, when);
}

class LogFolder : public InTempFolder {};

TEST_F(LogFolder, TheNewestFileOfACallByTimeThenByName) {
  const fs::file_time_type now = fs::file_time_type::clock::now();
  fs::create_directory("logs");
  Write("logs/zz-dl1aa.log", Cabrillo("DL1AA", "OLD", kQso), now - std::chrono::hours(1));
  Write("logs/dl1aa.cbr", Cabrillo("DL1AA", "MIDDLE", kQso), now);
  Write("logs/dl1aa.log", Cabrillo("dl1aa", "NEWEST", std::string(kQso) + kQso), now);
  Write("logs/ok1bb.log", Cabrillo("OK1BB", "", kQso), now - std::chrono::hours(5));

  const LogSet set = ReadLogFolder("logs");
  ASSERT_EQ(set.logs.size(), 2u);
  EXPECT_EQ(set.logs[0].call, "DL1AA");
  EXPECT_EQ(set.logs[0].file.filename(), "dl1aa.log");
  EXPECT_EQ(set.logs[0].category, "NEWEST");
  EXPECT_EQ(set.checked[0].qsos.size(), 2u);
  EXPECT_EQ(set.logs[1].call, "OK1BB");
  ASSERT_EQ(set.passedOver.size(), 2u);
  EXPECT_EQ(set.passedOver[0].file.filename(), "dl1aa.cbr");
  EXPECT_EQ(set.passedOver[0].why, "another file for DL1AA: dl1aa.log is checked, as old, its name sorts later");
  EXPECT_EQ(set.passedOver[1].file.filename(), "zz-dl1aa.log");
  EXPECT_EQ(set.passedOver[1].why, "another file for DL1AA: dl1aa.log is checked, modified later");
  EXPECT_EQ(set.logs[0].passedOverFile, "dl1aa.cbr");

  // A receipt list decides over the times: a file it names wins over one it does not, and of
  // those it names the one received last.
  const LogSet received =
      ReadLogFolder("logs", {{"zz-dl1aa.log", "2025-03-17 0900"}, {"dl1aa.cbr", "2025-03-17 0800"}});
  EXPECT_EQ(received.logs[0].file.filename(), "zz-dl1aa.log");
  EXPECT_EQ(received.logs[0].category, "OLD");
  EXPECT_EQ(received.passedOver[0].why,
            "another file for DL1AA: zz-dl1aa.log is checked, received later (2025-03-17 0900)");
  EXPECT_EQ(received.passedOver[1].why,
            "another file for DL1AA: zz-dl1aa.log is checked, in the receipt list, dl1aa.log is not");
}

TEST_F(LogFolder, FilesThatAreNoLogOfACallArePassedOver) {
  const fs::file_time_type now = fs::file_time_type::clock::now();
  fs::create_directories("logs/inner");
  Write("logs/notes.adi", "<CALL:5>OK1BB<QSO_DATE:8>20250315<TIME_ON:4>1805<EOR>\n", now);
  Write("logs/nocall.log", "START-OF-LOG: 3.0\r\nQSO:  3580 PM 2025-03-15 1805\r\nEND-OF-LOG:\r\n", now);
  Write("logs/own-call-from-qso.log", "START-OF-LOG: 3.0\r\n" + std::string(kQso) + "END-OF-LOG:\r\n", now);
  Write("logs/inner/ok1bb.log", Cabrillo("OK1BB", "", kQso), now);

  const LogSet set = ReadLogFolder("logs");
  ASSERT_EQ(set.logs.size(), 1u);
  EXPECT_EQ(set.logs[0].call, "DL1AA");
  EXPECT_EQ(set.logs[0].qsoLines, 1u);
  ASSERT_EQ(set.passedOver.size(), 2u);
  EXPECT_EQ(set.passedOver[0].file.filename(), "nocall.log");
  EXPECT_EQ(set.passedOver[1].why, "not a Cabrillo file");
  EXPECT_THROW(ReadLogFolder("missing"), fs::filesystem_error);
}

TEST_F(LogFolder, ReadOnSeveralThreadsAsOnOne) {
  // More files than are read at a time, with second files of a call and files passed over among
  // them, so that both the order of the taking and the choice between files are exercised.
  const fs::file_time_type now = fs::file_time_type::clock::now();
  fs::create_directory("logs");
  for (int i = 0; i < 150; ++i) {
    const std::string call = "DL" + std::to_string(i) + "AA";
    std::string lines;
    for (int q = 0; q <= i % 4; ++q) lines += kQso;
    Write("logs/" + call + ".log", Cabrillo(call, "C" + std::to_string(i), lines), now);
    if (i % 7 == 0) Write("logs/" + call + "-old.log", Cabrillo(call, "OLD", kQso), now - std::chrono::hours(1));
    if (i % 11 == 0) Write("logs/junk" + std::to_string(i) + ".txt", "no log", now);
  }
  const LogSet one = ReadLogFolder("logs", {}, 1);
  const LogSet three = ReadLogFolder("logs", {}, 3);
  ASSERT_EQ(one.logs.size(), 150u);
  ASSERT_EQ(three.logs.size(), one.logs.size());
  ASSERT_EQ(three.passedOver.size(), one.passedOver.size());
  EXPECT_EQ(three.filesReceived, one.filesReceived);
  for (std::size_t i = 0; i < one.passedOver.size(); ++i) {
    EXPECT_EQ(three.passedOver[i].file, one.passedOver[i].file);
    EXPECT_EQ(three.passedOver[i].why, one.passedOver[i].why);
  }
  for (std::size_t i = 0; i < one.logs.size(); ++i) {
    EXPECT_EQ(three.logs[i].call, one.logs[i].call);
    EXPECT_EQ(three.logs[i].file, one.logs[i].file);
    EXPECT_EQ(three.logs[i].category, one.logs[i].category);
    EXPECT_EQ(three.logs[i].passedOverFile, one.logs[i].passedOverFile);
    EXPECT_EQ(three.checked[i].qsos, one.checked[i].qsos);
    // Each log's quoted lines are its own, wherever they lie in the store.
    for (std::size_t q = 0; q < three.checked[i].qsos.size(); ++q) {
      EXPECT_EQ(three.lines->Text(three.logs[i].firstLine + q), one.lines->Text(one.logs[i].firstLine + q));
    }
  }
  EXPECT_EQ(three.lines->Text(three.logs[0].firstLine), std::string(kQso).substr(0, std::string(kQso).size() - 2));
}

TEST_F(LogFolder, QsoTimesAreWholeMinutesThatPrintAsTheFileWroteThem) {
  const char* times[] = {"1900-01-01 0000", "1970-01-01 0000", "2000-02-29 1234", "2025-03-15 1805",
                         "2100-03-01 0001"};
  // Dates before 1900 are typos of the year: the reader refuses them, so they take no part.
  std::string lines = "QSO:  3580 PM 1899-12-29 2359 DL1AA         599 0001   OK1BB         599 0002\r\n";
  for (const char* time : times) {
    lines += "QSO:  3580 PM " + std::string(time) + " DL1AA         599 0001   OK1BB         599 0002\r\n";
  }
  const LogFile file = ParseLogText(Cabrillo("DL1AA", "", lines));
  EXPECT_EQ(file.skipped, 1u);
  const CheckedLog log = CheckedOf(file, "DL1AA");
  ASSERT_EQ(log.qsos.size(), std::size(times));
  EXPECT_EQ(log.qsos[0].minute, DayNumber(1900, 1, 1) * 1440);
  for (std::size_t i = 0; i < log.qsos.size(); ++i) EXPECT_EQ(MinuteText(log.qsos[i].minute), times[i]);
  EXPECT_EQ(log.qsos[0].sent, "0001");
  EXPECT_EQ(log.qsos[0].rcvd, "0002");
  EXPECT_EQ(log.qsos[0].band, "80m");
  EXPECT_EQ(log.qsos[0].line, 6u);
}

// The serials as the cross-check compares them, and the call each line sends, line by line.
TEST_F(LogFolder, EachQsosSerialsAndSentCallAsItsLineHasThem) {
  const char* serials[][2] = {{"1", "0001"}, {"0001", "0001"}, {"00001", "0001"}, {"1234", "1234"},
                              {"12345", "12345"}, {"0000", "0000"}, {"12A", "12A"}, {"1", "0001"}};
  const char* sent[] = {"DL1AA", "DL1AA/P", "DL1AA/P", "DL1AA", "dl1aa", "DL1AA/P", "DL1AA", "DL1AA"};
  std::string lines;
  for (std::size_t i = 0; i < std::size(serials); ++i) {
    lines += "QSO:  3580 PM 2025-03-15 1805 " + std::string(sent[i]) + " 599 " + serials[i][0] + " OK1BB 599 0002\r\n";
  }
  const CheckedLog log = CheckedOf(ParseLogText(Cabrillo("DL1AA", "", lines)), "DL1AA");
  ASSERT_EQ(log.qsos.size(), std::size(serials));
  for (std::size_t i = 0; i < log.qsos.size(); ++i) {
    EXPECT_EQ(log.qsos[i].sent, CheckedSerial(serials[i][0])) << i;
    EXPECT_EQ(log.qsos[i].sent, serials[i][1]) << i;
    // Empty where the line sends the header's call (in upper case).
    EXPECT_EQ(log.qsos[i].ownCall, std::string(sent[i]) == "DL1AA/P" ? "DL1AA/P" : "") << i;
  }
}

}  // namespace
