// A log file read a piece at a time is the log its whole text gives, wherever the pieces end.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "adif_record.h"
#include "log_file.h"
#include "test_files.h"
#include "text_files.h"

namespace {

std::string Replaced(std::string text, char from, const std::string& to) {
  std::string out;
  for (char c : text) out += c == from ? to : std::string(1, c);
  return out;
}

auto Fields(const LogQso& q) {
  const WrittenQso& w = q.written;
  return std::make_tuple(q.line, q.ownCall.str(), q.call, q.days, q.freqHz, q.sentPadding, q.rcvdPadding, q.valueCut,
                         q.ownCallFromOperator, q.band.str(), q.mode.str(), q.rstSent.str(), q.rstRcvd.str(),
                         q.exchSent.str(), q.exchRcvd.str(), q.dxccNumber, q.continent.str(), w.call.str(),
                         w.ownCall.str(), w.freq.str(), w.band.str(), w.mode.str(), w.submode.str(), w.text.str());
}

void ExpectSameLog(const LogFile& read, const LogFile& whole) {
  EXPECT_EQ(read.format, whole.format);
  ASSERT_EQ(read.qsos.size(), whole.qsos.size());
  for (std::size_t i = 0; i < read.qsos.size(); ++i) EXPECT_EQ(Fields(read.qsos[i]), Fields(whole.qsos[i]));
  // Reserved from the count of record ends, as the whole text's reading reserves it.
  EXPECT_EQ(read.qsos.capacity(), whole.qsos.capacity());
  ASSERT_EQ(read.problems.size(), whole.problems.size());
  for (std::size_t i = 0; i < read.problems.size(); ++i) {
    const Problem &a = read.problems[i], &b = whole.problems[i];
    EXPECT_EQ(std::tie(a.line, a.kind, a.message), std::tie(b.line, b.kind, b.message));
  }
  EXPECT_EQ(read.skipped, whole.skipped);
  EXPECT_EQ(read.ownCall, whole.ownCall);
  ASSERT_EQ(read.cabrilloLines.size(), whole.cabrilloLines.size());
  for (std::size_t i = 0; i < read.cabrilloLines.size(); ++i) {
    const CabrilloLine &a = read.cabrilloLines[i], &b = whole.cabrilloLines[i];
    EXPECT_EQ(std::tie(a.line, a.tag, a.value), std::tie(b.line, b.tag, b.value));
  }
}

struct Text {
  std::string name, text;
};
void PrintTo(const Text& text, std::ostream* out) { *out << text.name; }

std::string Named(const ::testing::TestParamInfo<Text>& info) { return info.param.name; }

class LogPieces : public ::testing::TestWithParam<Text> {};

TEST_P(LogPieces, SameLogAsTheWholeText) {
  const TempFolder folder;
  WriteTextFile(folder / "log", GetParam().text);
  const LogFile whole = ParseLogText(GetParam().text);
  for (std::size_t piece :
       {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{7}, std::size_t{64}, kLogFilePiece}) {
    SCOPED_TRACE("pieces of " + std::to_string(piece));
    ExpectSameLog(ReadLogFile(folder / "log", piece), whole);
  }
}

const std::string kHeader = "Exported by a logger\n<ADIF_VER:5>3.1.4 <PROGRAMID:6>logger\n<EOH>\n";
std::string Records(int count) {
  std::string all;
  for (int i = 0; i < count; ++i) all += AdifQsoRecord("DL" + std::to_string(i) + "ABC");
  return all;
}
std::string Utf16(const std::string& ascii) {
  std::string out = "\xFF\xFE";
  for (char c : ascii) out += std::string(1, c) + '\0';
  return out;
}
const std::string kCabrillo =
    "START-OF-LOG: 3.0\r\nCALLSIGN: DL1AA\r\n"
    "QSO:  3580 PM 2025-03-15 1805 DL1AA         599 0001   OK1BB         599 0002\r\nEND-OF-LOG:\r\n";

INSTANTIATE_TEST_SUITE_P(
    Adif, LogPieces,
    ::testing::Values(
        Text{"LfWithHeader", kHeader + Records(3)}, Text{"CrLf", Replaced(kHeader + Records(3), '\n', "\r\n")},
        Text{"ByteOrderMark", "\xEF\xBB\xBF" + Replaced(Records(2), '\n', "\r\n")},
        Text{"HeaderTagFirst", "<ADIF_VER:5>3.1.4<EOH>\n" + Records(2)},
        Text{"HeaderWithoutEoh", "Exported by a logger\n" + Records(2)},
        Text{"BrokenTags", AdifQsoRecord() +
                               "<CALL:6>SP1ABC <FREQ:x>3.5 <EOR>\n<CALL:6>SP1ABC <FREQ 3.5 <EOR>\n<:3>abc <eor>" +
                               "<CALL:6>SP1ABC\n<BAND 2:3>80m <EoR>\n" + AdifQsoRecord("OK1XYZ")},
        // The value's length runs past an <EOR>, where reading resumes.
        Text{"ValuePastTheEnd",
             AdifQsoRecord() + "<CALL:6>SP1ABC <COMMENT:900>cut short <EOR>\n" + AdifQsoRecord("OK1XYZ")},
        Text{"LastRecordUnclosed", AdifQsoRecord() + "<CALL:6>SP1ABC <QSO_DATE:8>20250315\n"},
        Text{"SecondFieldOfTheSameName", "<CALL:6>SP1ABC <QSO_DATE:8>20250315\n" + AdifQsoRecord("OK1XYZ")},
        Text{"ValuesLongerThanAQsoNeeds",
             AdifQsoRecord("DL1ABC", "<COMMENT:3000>" + Replaced(std::string(500, 'x'), 'x', "<EOR>\n") + " ") +
                 AdifQsoRecord(std::string(300, 'D')) + AdifQsoRecord("OK1XYZ")},
        Text{"ValueHoldsTagsAndLineEnds",
             "<CALL:6>DL1ABCDEF <QSO_DATE:8>20250315 <TIME_ON:4>1203 <BAND:3>80M "
             "<COMMENT:12>a<b>\r\nc <EOR>x <MODE:3>PSK <EOR>\n" +
                 AdifQsoRecord("OK1XYZ")},
        Text{"CutValues", AdifQsoRecord("DL1ABC", "<STATION_CALLSIGN:2>N0" + std::string(100, 'C') + " ") +
                              AdifQsoRecord("EA5RCG").replace(6, 1, "4")},
        Text{"EohAfterTheFirstRecord", AdifQsoRecord() + "<EOH>\n<EOR>\n" + AdifQsoRecord("OK1XYZ")},
        // Longer than the start the format is told from.
        Text{"AllOnOneLine", Replaced(Records(400), '\n', " ")},
        Text{"HeaderLongerThanTheStart", std::string(70000, '-') + "\n" + kHeader + Records(2)}),
    Named);

INSTANTIATE_TEST_SUITE_P(ReadWhole, LogPieces,
                         ::testing::Values(Text{"CrAlone", Replaced(kHeader + Records(2), '\n', "\r")},
                                           Text{"Utf16", Utf16(kHeader + Records(2))}, Text{"Cabrillo", kCabrillo},
                                           Text{"Empty", ""}, Text{"Blank", " \r\n\n"},
                                           Text{"Neither", "just a note\n"}),
                         Named);

// The messages of the whole file's reading, whichever reads the file.
TEST(LogPieces, AFileThatCannotBeReadFailsAsTheWholeRead) {
  const TempFolder folder;
  ASSERT_EQ(::mkfifo((folder / "pipe").c_str(), 0600), 0);
  for (const std::filesystem::path& path : {folder / "missing", folder.path(), folder / "pipe"}) {
    std::string whole, pieces;
    try {
      ReadTextFile(path);
    } catch (const std::runtime_error& error) {
      whole = error.what();
    }
    try {
      ReadLogFile(path);
    } catch (const std::runtime_error& error) {
      pieces = error.what();
    }
    EXPECT_FALSE(whole.empty()) << path;
    EXPECT_EQ(pieces, whole);
  }
}

}  // namespace
