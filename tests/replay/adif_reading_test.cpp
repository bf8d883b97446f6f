// ADIF logs as loggers write them, and as they come broken.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "adif_record.h"
#include "host_form.h"
#include "log_file.h"

namespace {

// A QSO with the given fields only, besides call, date and time.
std::string Bare(const std::string& fields) {
  return "<CALL:6>DL1ABC <QSO_DATE:8>20250315 <TIME_ON:4>1203 " + fields + " <EOR>\n";
}

std::string Messages(const LogFile& log) {
  std::string all;
  for (const Problem& p : log.problems) all += std::to_string(p.line) + ": " + p.message + "\n";
  return all;
}

LogQso Only(const std::string& text) {
  LogFile log = ParseLogText(text);
  EXPECT_EQ(log.skipped, 0u) << Messages(log);
  EXPECT_TRUE(log.problems.empty()) << Messages(log);
  EXPECT_EQ(log.qsos.size(), 1u);
  return log.qsos.empty() ? LogQso{} : log.qsos.front();
}

TEST(AdifFields, AQsoInTheHostsTerms) {
  LogQso q = Only(AdifQsoRecord());
  EXPECT_EQ(q.line, 1u);
  EXPECT_EQ(q.call, "DL1ABC");
  EXPECT_EQ(q.days, *HostDays({2025, 3, 15, 12, 3, 12}));
  EXPECT_EQ(q.band, "80m");
  EXPECT_EQ(q.freqHz, 3'582'135u);
  EXPECT_EQ(q.mode, "BPSK63");
  EXPECT_EQ(q.rstSent, "599");
  EXPECT_EQ(q.rstRcvd, "579");
  EXPECT_EQ(q.exchSent, "0007");
  EXPECT_EQ(q.exchRcvd, "0042");
  EXPECT_EQ(q.ownCall, "");
  EXPECT_FALSE(q.dxccNumber);
  EXPECT_EQ(q.continent, "");
}

TEST(AdifFields, NamesInAnyCaseLengthsAsGivenTypesIgnored) {
  LogQso q = Only(
      "<call:9>dl1abc/p <Qso_Date:8:D>20250315 <time_on:0004>2359 <band:3:E>40m <Mode:6>bpsk63 <stx:2:N>12 "
      "<SRX:3>007 <eor>");
  EXPECT_EQ(q.call, "DL1ABC/P");
  EXPECT_EQ(q.days, *HostDays({2025, 3, 15, 23, 59, 0}));
  EXPECT_EQ(q.band, "40m");
  EXPECT_EQ(q.mode, "BPSK63");
  EXPECT_EQ(q.exchSent, "0012");
  EXPECT_EQ(q.exchRcvd, "0007");
}

TEST(AdifFields, TheLengthDecidesNotTheText) {
  // Text past a value's length is ignored, and a value may hold "<", ">" and line breaks.
  LogFile log = ParseLogText(
      "<CALL:6>DL1ABCDEF <QSO_DATE:8>20250315 <TIME_ON:4>1203 <BAND:3>80M "
      "<COMMENT:12>a<b>\r\nc <EOR>x <MODE:3>PSK <EOR>\n" +
      AdifQsoRecord("OK1XYZ"));
  ASSERT_EQ(log.qsos.size(), 2u) << Messages(log);
  EXPECT_EQ(log.qsos[0].call, "DL1ABC");
  EXPECT_EQ(log.qsos[0].mode, "PSK");
  EXPECT_EQ(log.qsos[1].call, "OK1XYZ");
  EXPECT_EQ(log.qsos[1].line, 3u);
}

TEST(AdifFields, FieldsWithoutValues) {
  LogQso q =
      Only(Bare("<BAND:0> <FREQ:6>7.0405 <MODE:3>PSK <SUBMODE:5>PSK63 <STX:0><STX_STRING:4>0012 <SRX:0> <SRX_STRING> "
                "<DXCC:0> <CONT:0> <APP_LOGGER_FLAG>"));
  EXPECT_EQ(q.band, "40m");
  EXPECT_EQ(q.exchSent, "0012");
  EXPECT_EQ(q.exchRcvd, "");
  EXPECT_FALSE(q.dxccNumber);
  EXPECT_EQ(q.continent, "");
}

TEST(AdifFields, ModesAsLoggersWriteThem) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"<MODE:3>PSK <SUBMODE:5>PSK63", "BPSK63"},
      {"<MODE:3>psk <SUBMODE:5>Psk63", "BPSK63"},
      {"<MODE:6>BPSK63", "BPSK63"},
      {"<MODE:5>PSK63", "BPSK63"},
      {"<MODE:3>PSK <SUBMODE:5>PSK31", "PSK31"},
      {"<MODE:3>PSK <SUBMODE:6>QPSK63", "QPSK63"},
      {"<MODE:3>PSK", "PSK"},
      {"<MODE:4>RTTY", "RTTY"},
      {"<MODE:2>CW", "CW"},
      {"", ""},
  };
  for (const auto& [fields, mode] : cases) {
    EXPECT_EQ(Only(Bare("<BAND:3>80m " + fields)).mode, mode) << fields;
  }
}

TEST(AdifFields, BandFromTheFrequencyOnlyWhenTheLogHasNone) {
  EXPECT_EQ(Only(Bare("<FREQ:6>7.0405")).band, "40m");
  EXPECT_EQ(Only(Bare("<FREQ:6>7.0405")).freqHz, 7'040'500u);
  EXPECT_EQ(Only(Bare("<BAND:4>160M <FREQ:5>1.838")).band, "160m");
  EXPECT_EQ(Only(Bare("<BAND:3>80m")).freqHz, 0u);
}

TEST(AdifFields, OwnCallAndEntity) {
  LogQso q = Only(Bare("<BAND:3>80m <STATION_CALLSIGN:6>n0call <OPERATOR:6>K1ABC <DXCC:3>230 <CONT:2>eu"));
  EXPECT_EQ(q.ownCall, "N0CALL");
  EXPECT_EQ(q.dxccNumber, 230);
  EXPECT_EQ(q.continent, "EU");
  EXPECT_EQ(Only(Bare("<BAND:3>80m <OPERATOR:5>K1ABC")).ownCall, "K1ABC");
}

TEST(AdifFields, WhatTheRecordWroteIsKeptBesideTheHostsForm) {
  LogQso q = Only(Bare("<BAND:3>80M <FREQ:6>7.0405 <MODE:3>psk <SUBMODE:5>PSK63 <STX:1>1 <SRX_STRING:3>12A "
                       "<STATION_CALLSIGN:6>n0call")
                      .replace(0, 14, "<CALL:8>dl1abc/p"));
  EXPECT_EQ(q.call, "DL1ABC/P");
  EXPECT_EQ(q.written.call, "dl1abc/p");
  EXPECT_EQ(q.written.ownCall, "n0call");
  EXPECT_EQ(q.band, "80m");  // the stated band wins over the frequency
  EXPECT_EQ(q.written.band, "80M");
  EXPECT_EQ(q.written.freq, "7.0405");
  EXPECT_EQ(std::tie(q.written.mode, q.written.submode), std::make_tuple("psk", "PSK63"));
  EXPECT_EQ(q.exchSent, "0001");
  EXPECT_EQ(q.WrittenSent(), "1");
  EXPECT_EQ(q.exchRcvd, "12A");
  EXPECT_EQ(q.WrittenRcvd(), "12A");
  EXPECT_EQ(ParseLogText(Bare("<BAND:3>80m")).format, LogFormat::Adif);
}

TEST(AdifLayout, HeadersOfEveryKind) {
  const std::vector<std::string> openings = {
      "",
      "Exported by a logger\r\n<ADIF_VER:5>3.1.4 <PROGRAMID:6>logger\r\n<EOH>\r\n",
      "Made by <our logger>, 15 < 20 QSOs\n<eoh>\n",
      "<ADIF_VER:5>3.1.4<EOH>\n",
  };
  for (const std::string& opening : openings) {
    LogQso q = Only(opening + AdifQsoRecord());
    EXPECT_EQ(q.call, "DL1ABC") << opening;
  }
}

TEST(AdifLayout, CrLfAndLfFilesReadAlike) {
  const std::string lf = "header\n<EOH>\n" + AdifQsoRecord("DL1ABC") + "\n" + AdifQsoRecord("OK1XYZ");
  std::string crlf;
  for (char c : lf) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  for (const std::string& text : {lf, crlf, "\xEF\xBB\xBF" + crlf}) {
    LogFile log = ParseLogText(text);
    ASSERT_EQ(log.qsos.size(), 2u) << Messages(log);
    EXPECT_EQ(log.qsos[0].line, 3u);
    EXPECT_EQ(log.qsos[1].line, 5u);
    EXPECT_EQ(log.qsos[1].call, "OK1XYZ");
    EXPECT_EQ(log.qsos[1].exchRcvd, "0042");
  }
}

// Each broken record is counted and named by line; the records around it are still read.
void ExpectOnlyBrokenSkipped(const std::string& broken, const std::string& messagePart, std::size_t line = 2) {
  LogFile log = ParseLogText(AdifQsoRecord("DL1ABC") + broken + AdifQsoRecord("OK1XYZ"));
  EXPECT_EQ(log.skipped, 1u) << broken;
  ASSERT_EQ(log.problems.size(), 1u) << Messages(log);
  EXPECT_EQ(log.problems[0].line, line) << broken;
  EXPECT_EQ(log.problems[0].kind, ProblemKind::Skipped) << broken;
  EXPECT_NE(log.problems[0].message.find(messagePart), std::string::npos) << log.problems[0].message;
  ASSERT_EQ(log.qsos.size(), 2u) << broken;
  EXPECT_EQ(log.qsos.front().call, "DL1ABC");
  EXPECT_EQ(log.qsos.back().call, "OK1XYZ");
}

TEST(AdifFaults, BrokenTagsLoseTheirRecordOnly) {
  ExpectOnlyBrokenSkipped("<CALL:6>SP1ABC <FREQ:x>3.5 <EOR>\n", "malformed tag <FREQ:x>");
  ExpectOnlyBrokenSkipped("<CALL:6>SP1ABC <FREQ:>3.5 <EOR>\n", "malformed tag <FREQ:>");
  ExpectOnlyBrokenSkipped("<CALL:6>SP1ABC <FREQ 3.5 <EOR>\n", "'<' without its '>'");
  ExpectOnlyBrokenSkipped("<CALL:6>SP1ABC <:3>abc <eor>\n", "malformed tag <:3>");
  ExpectOnlyBrokenSkipped("<CALL:6>SP1ABC\n<BAND 2:3>80m <EOR>\n", "the record from line 2", 3);
}

TEST(AdifFaults, RecordsThatCannotBeReplayed) {
  ExpectOnlyBrokenSkipped(Bare("<BAND:3>80m").substr(8), "no CALL");
  ExpectOnlyBrokenSkipped("<CALL:6>SP1ABC <QSO_DATE:8>20250230 <TIME_ON:4>1203 <BAND:3>80m <EOR>\n", "QSO_DATE");
  ExpectOnlyBrokenSkipped("<CALL:6>SP1ABC <QSO_DATE:8>20250315 <TIME_ON:4>2460 <BAND:3>80m <EOR>\n", "TIME_ON");
  ExpectOnlyBrokenSkipped("<CALL:6>SP1ABC <QSO_DATE:8>20250315 <TIME_ON:2>12 <BAND:3>80m <EOR>\n", "TIME_ON");
  ExpectOnlyBrokenSkipped("<CALL:6>SP1ABC <QSO_DATE:8>20250315 <BAND:3>80m <EOR>\n", "TIME_ON");
  ExpectOnlyBrokenSkipped("<CALL:6>SP1ABC <QSO_DATE:8>20250315 <TIME_ON:4>1203 <FREQ:6>3,5805 <EOR>\n",
                          "FREQ '3,5805'");
  ExpectOnlyBrokenSkipped("<CALL:6>SP1ABC <QSO_DATE:8>20250315 <TIME_ON:4>1203 <EOR>\n", "neither BAND nor FREQ");
  ExpectOnlyBrokenSkipped("<CALL:6>SP1ABC <QSO_DATE:8>20250315 <TIME_ON:4>1203 <FREQ:3>5.0 <EOR>\n",
                          "on no amateur band");
  ExpectOnlyBrokenSkipped("<EOR>\n", "without fields");
}

TEST(AdifFaults, ACutFileKeepsWhatCameBefore) {
  LogFile past = ParseLogText(AdifQsoRecord("DL1ABC") + "<CALL:6>SP1ABC <COMMENT:60>cut short");
  EXPECT_EQ(past.qsos.size(), 1u);
  EXPECT_EQ(past.skipped, 1u);
  ASSERT_EQ(past.problems.size(), 1u);
  EXPECT_NE(past.problems[0].message.find("the value of COMMENT runs past the end of the file"), std::string::npos);

  LogFile unclosed = ParseLogText(AdifQsoRecord("DL1ABC") + "<CALL:6>SP1ABC <QSO_DATE:8>20250315\n");
  EXPECT_EQ(unclosed.qsos.size(), 1u);
  EXPECT_EQ(unclosed.skipped, 1u);
  ASSERT_EQ(unclosed.problems.size(), 1u);
  EXPECT_EQ(unclosed.problems[0].line, 2u);
  EXPECT_NE(unclosed.problems[0].message.find("not closed by <EOR>"), std::string::npos);
}

TEST(AdifFaults, ACutValueIsToldWithTheLengthOfAllOfIt) {
  LogFile log = ParseLogText(AdifQsoRecord("DL1ABC", "<STATION_CALLSIGN:2>N0" + std::string(100, 'C') + " "));
  ASSERT_EQ(log.problems.size(), 1u);
  EXPECT_EQ(log.problems[0].message, "STATION_CALLSIGN: its length 2 takes 'N0', but '" + std::string(40, 'C') +
                                         "' follows before the next field; with the whole value the length would be "
                                         "102; the plug-in gets the shorter value");
}

TEST(AdifFaults, OdditiesThatStillReplay) {
  LogFile noEoh = ParseLogText("Exported by a logger\n" + AdifQsoRecord("DL1ABC"));
  EXPECT_EQ(noEoh.qsos.size(), 1u);
  EXPECT_EQ(noEoh.skipped, 0u);
  ASSERT_EQ(noEoh.problems.size(), 1u);
  EXPECT_NE(noEoh.problems[0].message.find("<EOH>"), std::string::npos);
  EXPECT_EQ(noEoh.problems[0].kind, ProblemKind::Layout);

  LogFile badEntity = ParseLogText(AdifQsoRecord("DL1ABC", "<DXCC:3>DL? "));
  ASSERT_EQ(badEntity.qsos.size(), 1u);
  EXPECT_FALSE(badEntity.qsos[0].dxccNumber);
  ASSERT_EQ(badEntity.problems.size(), 1u);
  EXPECT_NE(badEntity.problems[0].message.find("DXCC 'DL?'"), std::string::npos);
  EXPECT_EQ(badEntity.problems[0].kind, ProblemKind::Oddity);
}

}  // namespace
