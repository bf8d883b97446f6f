// Every class of fault a contester makes, seeded alone into an otherwise clean log and followed by a
// clean QSO line: the check gives exactly one finding, at the fault's line, with the class's weight.
#include <gtest/gtest.h>

#include <fstream>
#include <ostream>
#include <string>
#include <vector>

#include "finding_text.h"
#include "replay_fixture.h"

namespace {

using namespace replay_test;

constexpr Severity E = Severity::Error, W = Severity::Warning, N = Severity::Note;

// Header lines 1 to 8, then QSO lines 9 (clean), 10 (the fault's place) and 11 (clean).
const std::vector<std::string> kHeader = {
    "START-OF-LOG: 3.0",      "CONTEST: PSK-63-TORVALE", "CALLSIGN: N0CALL",   "CATEGORY-OPERATOR: SINGLE-OP",
    "CATEGORY-BAND: 80M-40M", "NAME: Ann Example",       "ADDRESS: Main St 1", "EMAIL: n0call@example.org"};
const std::string kCleanQso = "QSO: 3583 PM 2025-03-15 1205 N0CALL 599 0002 EU7F 599 0013";

// Records at lines 3 (clean), 4 (the fault's place) and 5 (clean).
const std::string kCleanRecord =
    "<CALL:4>EU7F <QSO_DATE:8>20250315 <TIME_ON:4>1205 <BAND:3>80M <FREQ:5>3.583 <MODE:3>PSK <SUBMODE:5>PSK63 "
    "<RST_SENT:3>599 <RST_RCVD:3>599 <STX:1>2 <SRX:2>13 <STATION_CALLSIGN:6>N0CALL <EOR>";

// `header` replaces the line of its tag, or is added after the header's last line when no line has
// it (or when it starts with "+"); the finding is then expected at that line.
std::string CabrilloLog(const std::string& header, const std::string& qso, std::size_t& headerLine) {
  std::vector<std::string> lines = kHeader;
  headerLine = 0;
  if (!header.empty()) {
    const bool add = header.starts_with('+');
    const std::string line = add ? header.substr(1) : header;
    const std::string tag = line.substr(0, line.find(':') + 1);
    for (std::size_t i = 0; i < lines.size() && !add; ++i) {
      if (lines[i].starts_with(tag)) lines[i] = line, headerLine = i + 1;
    }
    if (headerLine == 0) lines.push_back(line), headerLine = lines.size();
  }
  lines.push_back("QSO: 3582 PM 2025-03-15 1200 N0CALL 599 0001 DL1WA 599 0012");
  lines.push_back(qso.empty() ? kCleanQso : qso);
  lines.push_back("QSO: 7041 PM 2025-03-15 1210 N0CALL 599 0003 OK1T 599 0034");
  lines.push_back("END-OF-LOG:");
  std::string text;
  for (const std::string& l : lines) text += l + "\r\n";
  return text;
}

std::string AdifLog(const std::string& record) {
  return "made by hand\r\n<EOH>\r\n"
         "<CALL:5>DL1WA <QSO_DATE:8>20250315 <TIME_ON:4>1200 <BAND:3>80M <FREQ:5>3.582 <MODE:3>PSK "
         "<SUBMODE:5>PSK63 <RST_SENT:3>599 <RST_RCVD:3>599 <STX:1>1 <SRX:2>12 <STATION_CALLSIGN:6>N0CALL <EOR>\r\n" +
         record +
         "\r\n<CALL:4>OK1T <QSO_DATE:8>20250315 <TIME_ON:4>1210 <BAND:3>40M <FREQ:5>7.041 <MODE:3>PSK "
         "<SUBMODE:5>PSK63 <RST_SENT:3>599 <RST_RCVD:3>599 <STX:1>3 <SRX:2>34 <STATION_CALLSIGN:6>N0CALL <EOR>\r\n";
}

// The clean record with one part of it changed.
std::string Record(const std::string& from, const std::string& to) {
  std::string record = kCleanRecord;
  const std::size_t at = record.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  return at == std::string::npos ? record : record.replace(at, from.size(), to);
}

struct FaultCase {
  const char* name;
  std::string text;  // the whole log
  std::size_t line;  // of the one finding; 0: no finding at all (a clean control)
  Severity severity;
  std::string part;  // of the finding's text
};

// gtest names a case by this instead of its bytes.
void PrintTo(const FaultCase& c, std::ostream* out) { *out << c.name; }

FaultCase Header(const char* name, const std::string& header, Severity severity, std::string part) {
  std::size_t line = 0;
  std::string text = CabrilloLog(header, "", line);
  return {name, std::move(text), line, severity, std::move(part)};
}
FaultCase Qso(const char* name, const std::string& qso, Severity severity, std::string part) {
  std::size_t unused = 0;
  return {name, CabrilloLog("", qso, unused), 10, severity, std::move(part)};
}
FaultCase Adif(const char* name, const std::string& record, Severity severity, std::string part) {
  return {name, AdifLog(record), 4, severity, std::move(part)};
}

std::string All(const std::vector<Finding>& findings) {
  std::string text;
  for (const Finding& f : findings) text += FindingLine(f) + "\n";
  return text;
}

class FaultClass : public ::testing::TestWithParam<FaultCase> {};

TEST_P(FaultClass, OneFindingAtItsLineWithItsWeight) {
  const FaultCase& c = GetParam();
  TempFolder folder;
  const fs::path file = folder / "log.txt";
  std::ofstream(file, std::ios::binary) << c.text;
  const CheckedReplay run = ReplayForCheck(folder.path(), file);
  const std::vector<Finding> findings = CheckLog(run.log, run.replayed, {std::nullopt, &KnownCalls()});
  if (c.line == 0) {
    EXPECT_EQ(All(findings), "");
    return;
  }
  ASSERT_EQ(findings.size(), 1u) << All(findings);
  const Finding& f = findings.front();
  EXPECT_EQ(f.line, c.line) << FindingLine(f);
  EXPECT_STREQ(SeverityName(f.severity), SeverityName(c.severity)) << FindingLine(f);
  const std::string text = FindingText(f);
  EXPECT_NE(text.find(c.part), std::string::npos) << FindingLine(f) << "\nlacks: " << c.part;
  // A value from the log is echoed with its control bytes escaped: the finding stays one line.
  for (char ch : text) EXPECT_FALSE(static_cast<unsigned char>(ch) < 32 || ch == 127) << FindingLine(f);
}

std::string NameOf(const ::testing::TestParamInfo<FaultCase>& info) { return info.param.name; }

// Clean controls: the templates themselves, the contest's own values, what Cabrillo allows.
FaultCase Clean(const char* name, const std::string& header) {
  FaultCase c = Header(name, header, Severity::Note, "");
  c.line = 0;
  return c;
}

// Clean controls: the templates themselves and what Cabrillo allows.
INSTANTIATE_TEST_SUITE_P(Clean, FaultClass,
                         ::testing::Values(Clean("CabrilloAsItIs", ""),
                                           FaultCase{"AdifAsItIs", AdifLog(kCleanRecord), 0, N, ""},
                                           Clean("TwoOperators", "+OPERATORS: N0CALL @DL1ABC"),
                                           Clean("GridOfSix", "+GRID-LOCATOR: JN58td"),
                                           Clean("OffTime", "+OFFTIME: 2025-03-15 1800 2025-03-15 1930"),
                                           Clean("Certificate", "+CERTIFICATE: NO"),
                                           Clean("ContestsOwnCategories", "+CATEGORY-MODE: BPSK63"),
                                           Clean("ClaimedScoreRight", "+CLAIMED-SCORE: 18")),
                         NameOf);

// A category outside the lists lets the sponsor put the log in another class: a warning. What
// decides the class twice over, or the file's own identity, is an error.
INSTANTIATE_TEST_SUITE_P(
    CabrilloHeader, FaultClass,
    ::testing::Values(
        Header("PowerNotListed", "+CATEGORY-POWER: MEDIUM", W, "CATEGORY-POWER: 'MEDIUM' is none of this contest's"),
        Header("ModeOfTheFormatNotTheContest", "+CATEGORY-MODE: DIGI", W,
               "CATEGORY-MODE: 'DIGI' is none of this contest's BPSK63"),
        Header("ModeNotListed", "+CATEGORY-MODE: PSK", W, "nor a value of Cabrillo 3.0"),
        Header("StationNotListed", "+CATEGORY-STATION: HOME", W, "CATEGORY-STATION: 'HOME'"),
        Header("TimeNotListed", "+CATEGORY-TIME: 10-HOURS", W,
               "CATEGORY-TIME: '10-HOURS' is not a Cabrillo 3.0 value; it takes one of 6-HOURS"),
        Header("TransmitterNotListed", "+CATEGORY-TRANSMITTER: THREE", W, "CATEGORY-TRANSMITTER: 'THREE'"),
        Header("AssistedNotListed", "+CATEGORY-ASSISTED: YES", W, "CATEGORY-ASSISTED: 'YES'"),
        Header("OverlayNotListed", "+CATEGORY-OVERLAY: SENIOR", W, "CATEGORY-OVERLAY: 'SENIOR'"),
        Header("OperatorNotListed", "CATEGORY-OPERATOR: SINGLE-OPERATOR", W, "CATEGORY-OPERATOR: 'SINGLE-OPERATOR'"),
        Header("BandOfTheFormatNotTheContest", "CATEGORY-BAND: 20M", W, "CATEGORY-BAND: '20M'"),
        Header("CertificateNotYesOrNo", "+CERTIFICATE: MAYBE", W, "CERTIFICATE: 'MAYBE' is not a Cabrillo 3.0 value"),
        Header("GridTooShort", "+GRID-LOCATOR: JN5", W, "GRID-LOCATOR: 'JN5' is no Maidenhead locator"),
        Header("GridOutsideTheField", "+GRID-LOCATOR: ZZ99", W, "GRID-LOCATOR: 'ZZ99'"),
        Header("OffTimeWithoutItsEnd", "+OFFTIME: 2025-03-15 1800", W, "YYYY-MM-DD HHMM YYYY-MM-DD HHMM"),
        Header("OffTimeBackwards", "+OFFTIME: 2025-03-15 1930 2025-03-15 1800", W, "ends before it begins"),
        Header("OffTimeYearTypo", "+OFFTIME: 1025-03-15 1800 2025-03-15 1930", W, "is not a break"),
        Header("OperatorsWithCommaAndBlank", "+OPERATORS: N0CALL, DL1ABC", W, "blanks: N0CALL DL1ABC"),
        Header("OperatorsWithCommaOnly", "+OPERATORS: N0CALL,DL1ABC", W, "blanks: N0CALL DL1ABC"),
        Header("OperatorsNoCall", "+OPERATORS: N0CALL and friends", W, "OPERATORS: 'and' is no call sign"),
        Header("NameOutsideAscii", "NAME: J\xc3\xbcrgen M\xc3\xbcller", W,
               "NAME: has a character outside ASCII ('\xc3\xbc')"),
        Header("AddressOutsideAscii",
               "ADDRESS: Stra\xc3\x9f"
               "e 1",
               W, "ADDRESS: has a character outside ASCII"),
        Header("SoapboxControlByte", "+SOAPBOX: \x1b[31mred", W, "SOAPBOX: has a character outside ASCII ('\\x1b')"),
        Header("NameTooLong", "NAME: " + std::string(80, 'A'), W, "NAME: is 80 characters long; Cabrillo allows 75"),
        Header("CallsignTypo", "CALLSIGN: N0CALX", E,
               "CALLSIGN: 'N0CALX' is not the own call of the QSO lines, N0CALL"),
        Header("CallsignBroken", "CALLSIGN: N0CALL/", E, "CALLSIGN: 'N0CALL/' ends with '/'"),
        Header("CallsignAgainSameValue", "+CALLSIGN: N0CALL", N, "CALLSIGN: appears a second time with the same value"),
        Header("CallsignAgainOtherValue", "+CALLSIGN: DL1ABC", E, "with 'DL1ABC' instead of 'N0CALL'"),
        Header("ContestOther", "CONTEST: PSK-31-OTHER", E, "CONTEST: 'PSK-31-OTHER' is not PSK-63-TORVALE"),
        Header("EmailNoAddress", "EMAIL: n0call-at-example.org", W, "EMAIL: 'n0call-at-example.org' is not an e-mail"),
        Header("UnknownTag", "+FOO-BAR: left over", W, "unknown tag FOO-BAR:"),
        Header("ClaimedScoreNotANumber", "+CLAIMED-SCORE: many", E, "CLAIMED-SCORE: 'many' is no number"),
        Header("ClaimedScoreWrong", "+CLAIMED-SCORE: 12345", E,
               "CLAIMED-SCORE: 12345 is not 18, the score the plug-in computes"),
        Header("VersionOld", "START-OF-LOG: 2.0", W, "START-OF-LOG: version '2.0'")),
    NameOf);

// A QSO line the sponsor's robot cannot read, or that scores what is not there, makes the file
// wrong: an error. One the sponsor will likely not match costs the QSO: a warning.
INSTANTIATE_TEST_SUITE_P(
    CabrilloQso, FaultClass,
    ::testing::Values(
        Qso("OwnCallWorked", "QSO: 3583 PM 2025-03-15 1205 N0CALL 599 0002 N0CALL 599 0013", E,
            "call N0CALL is the log's own call"),
        Qso("OwnCallWorkedPortable", "QSO: 3583 PM 2025-03-15 1205 N0CALL 599 0002 N0CALL/P 599 0013", E,
            "call N0CALL/P is the log's own call"),
        Qso("CallTrailingSlash", "QSO: 3583 PM 2025-03-15 1205 N0CALL 599 0002 IK8PGE/ 599 0013", E,
            "call 'IK8PGE/' ends with '/'"),
        Qso("CallLeadingSlash", "QSO: 3583 PM 2025-03-15 1205 N0CALL 599 0002 /IK8PGE 599 0013", E,
            "call '/IK8PGE' starts with '/'"),
        Qso("CallOddCharacter", "QSO: 3583 PM 2025-03-15 1205 N0CALL 599 0002 M0LKW? 599 0013", E,
            "call 'M0LKW?' has characters other than"),
        Qso("CallControlBytes", "QSO: 3583 PM 2025-03-15 1205 N0CALL 599 0002 EU\x1b[2JF 599 0013", E,
            "call 'EU\\x1b[2JF' has characters other than"),
        Qso("CallWithoutDigit", "QSO: 3583 PM 2025-03-15 1205 N0CALL 599 0002 DKPA 599 0013", E, "has no digit"),
        Qso("CallIncomplete", "QSO: 3583 PM 2025-03-15 1205 N0CALL 599 0002 OK1 599 0013", W,
            "call 'OK1' ends with its digit"),
        Qso("CallIncompleteOther", "QSO: 3583 PM 2025-03-15 1205 N0CALL 599 0002 IK8 599 0013", W,
            "call 'IK8' ends with its digit"),
        Qso("CallLowerCase", "QSO: 3583 PM 2025-03-15 1205 N0CALL 599 0002 eu7f 599 0013", W,
            "call 'eu7f' is in lower case"),
        Qso("CallNotKnown", "QSO: 3583 PM 2025-03-15 1205 N0CALL 599 0002 DL9ZZZ 599 0013", N,
            "DL9ZZZ is not in the check-partial list"),
        Qso("TabsEverywhere", "QSO:\t3583\tPM\t2025-03-15\t1205\tN0CALL\t599\t0002\tEU7F\t599\t0013", E,
            "the fields are separated by tabs"),
        Qso("OneTab", "QSO: 3583 PM 2025-03-15 1205 N0CALL 599 0002\tEU7F 599 0013", E,
            "the fields are separated by tabs"),
        Qso("EleventhFieldTransmitter", "QSO: 3583 PM 2025-03-15 1205 N0CALL 599 0002 EU7F 599 0013 0", E,
            "an 11th field '0' after the received exchange"),
        Qso("EleventhFieldText", "QSO: 3583 PM 2025-03-15 1205 N0CALL 599 0002 EU7F 599 0013 X", E,
            "an 11th field 'X'"),
        Qso("NoReceivedRst", "QSO: 3583 PM 2025-03-15 1205 N0CALL 599 0002 EU7F 0013", E,
            "no received RST before the received exchange 0013"),
        Qso("NoSentRst", "QSO: 3583 PM 2025-03-15 1205 N0CALL 0002 EU7F 599 0013", E,
            "no sent RST before the sent serial 0002"),
        Qso("NoReceivedExchange", "QSO: 3583 PM 2025-03-15 1205 N0CALL 599 0002 EU7F 599", E,
            "no received exchange: the plug-in rejected the QSO"),
        Qso("FrequencyInMegahertz", "QSO: 7.041 PM 2025-03-15 1205 N0CALL 599 0002 EU7F 599 0013", E,
            "frequency '7.041' is in MHz: QSO lines give it in kHz, 7041"),
        Qso("FrequencyInMegahertzEighty", "QSO: 3.583 PM 2025-03-15 1205 N0CALL 599 0002 EU7F 599 0013", E,
            "QSO lines give it in kHz, 3583"),
        Qso("FrequencyOnNoBand", "QSO: 5000 PM 2025-03-15 1205 N0CALL 599 0002 EU7F 599 0013", E,
            "frequency 5000 kHz is on no amateur band"),
        Qso("FrequencyNoFigure", "QSO: 3.5MHz PM 2025-03-15 1205 N0CALL 599 0002 EU7F 599 0013", E,
            "frequency '3.5MHz' is no figure in kHz"),
        Qso("YearBefore1900", "QSO: 3583 PM 1025-03-15 1205 N0CALL 599 0002 EU7F 599 0013", E,
            "'1025-03-15 1205' lies outside the years 1900 to 2100"),
        Qso("YearOne", "QSO: 3583 PM 0001-03-15 1205 N0CALL 599 0002 EU7F 599 0013", E, "outside the years"),
        Qso("YearAfter2100", "QSO: 3583 PM 2125-03-15 1205 N0CALL 599 0002 EU7F 599 0013", E, "outside the years"),
        Qso("NoSuchDay", "QSO: 3583 PM 2025-02-30 1205 N0CALL 599 0002 EU7F 599 0013", E, "is no date and time"),
        Qso("OtherMode", "QSO: 3583 RY 2025-03-15 1205 N0CALL 599 0002 EU7F 599 0013", E, "mode RY is not PM (BPSK63)"),
        Qso("TagWithoutColon", "QSO 3583 PM 2025-03-15 1205 N0CALL 599 0002 EU7F 599 0013", E,
            "starts with QSO but has no ':'"),
        Qso("TooFewFields", "QSO: 3583 PM 2025-03-15 1205 N0CALL 599 0002 EU7F", E, "QSO: line with 8 fields"),
        Qso("LineOf40Megabytes",
            "QSO: 3583 PM 2025-03-15 1205 N0CALL 599 0002 EU7F 599 " + std::string(40'000'000, '1'), E,
            "characters long; no line of a Cabrillo log needs more than 1024"),
        Qso("SentSerialFiveDigits", "QSO: 3583 PM 2025-03-15 1205 N0CALL 599 00002 EU7F 599 0013", E,
            "sent serial '00002' is not four digits"),
        Qso("SentSerialTypo", "QSO: 3583 PM 2025-03-15 1205 N0CALL 599 0020 EU7F 599 0013", W,
            "sent serial 0020 breaks the count from 0001 (line 9) to 0003 (line 11): 0002 was sent here"),
        Qso("SentSerialShort", "QSO: 3583 PM 2025-03-15 1205 N0CALL 599 2 EU7F 599 0013", W,
            "sent serial '2' is not written with four digits (0002)"),
        Qso("ReceivedNotANumber", "QSO: 3583 PM 2025-03-15 1205 N0CALL 599 0002 EU7F 599 12A", E,
            "received exchange '12A' is not four digits"),
        Qso("OwnCallOnTheLine", "QSO: 3583 PM 2025-03-15 1205 N0CALX 599 0002 EU7F 599 0013", W,
            "own call 'N0CALX' on the QSO line is not the CALLSIGN: N0CALL"),
        Qso("Dupe", "QSO: 3583 PM 2025-03-15 1205 N0CALL 599 0002 DL1WA 599 0013", N, "dupe of line 9"),
        Qso("OffTheContestBands", "QSO: 14070 PM 2025-03-15 1205 N0CALL 599 0002 EU7F 599 0013", W, "QSO on 20m"),
        Qso("ExcludedByItsOperator", "X-QSO: 3583 PM 2025-03-15 1205 N0CALL 599 0002 EU7F 599 0013", N,
            "X-QSO: excluded from the score")),
    NameOf);

// The plug-in writes its own Cabrillo file from an ADIF log: what makes that file wrong is an
// error; a record the plug-in refuses or the reader must skip only loses its QSO.
INSTANTIATE_TEST_SUITE_P(
    AdifRecord, FaultClass,
    ::testing::Values(
        Adif("OwnCallWorked", Record("<CALL:4>EU7F", "<CALL:6>N0CALL"), E, "call N0CALL is the log's own call"),
        Adif("CallTrailingSlash", Record("<CALL:4>EU7F", "<CALL:7>IK8PGE/"), E, "call 'IK8PGE/' ends with '/'"),
        Adif("CallIncomplete", Record("<CALL:4>EU7F", "<CALL:3>OK1"), W, "call 'OK1' ends with its digit"),
        Adif("CallControlBytes", Record("<CALL:4>EU7F", "<CALL:4>E\nU\x07"), E, "call 'E\\x0aU\\x07' has characters"),
        Adif("StationCallsignDiffers", Record("<STATION_CALLSIGN:6>N0CALL", "<STATION_CALLSIGN:6>N0CALX"), W,
             "STATION_CALLSIGN 'N0CALX' is not N0CALL, the own call of the log's other records"),
        Adif("LengthCutsTheCall", Record("<CALL:4>EU7F", "<CALL:4>EA5RCG"), E,
             "CALL: its length 4 takes 'EA5R', but 'CG' follows"),
        Adif("LengthCutsTheSerial", Record("<SRX:2>13", "<SRX:1>13"), E, "SRX: its length 1 takes '1'"),
        Adif("NoRstReceived", Record("<RST_RCVD:3>599 ", ""), E,
             "no RST_RCVD: the plug-in's Cabrillo file gets a QSO line of 9 fields"),
        Adif("NoRstSent", Record("<RST_SENT:3>599 ", ""), E, "no RST_SENT"),
        Adif("PskWithoutSubmode", Record("<SUBMODE:5>PSK63 ", ""), W, "mode PSK is not BPSK63"),
        Adif("NoSentSerial", Record("<STX:1>2 ", ""), W, "no sent serial: the plug-in rejected the QSO"),
        Adif("YearBefore1900", Record("20250315", "10250315"), W, "QSO_DATE '10250315' lies outside the years"),
        Adif("YearAfter2100", Record("20250315", "21250315"), W, "outside the years 1900 to 2100"),
        Adif("NoSuchDay", Record("20250315", "20250230"), W, "QSO_DATE '20250230' is no date"),
        Adif("MalformedTag", Record("<TIME_ON:4>", "<TIME_ON:x>"), W, "malformed tag <TIME_ON:x>"),
        Adif("NoEndOfRecord", Record(" <EOR>", ""), W, "the record has no <EOR> before the next one"),
        Adif("ValueTooLong", Record("<CALL:4>EU7F", "<CALL:300>EU7F" + std::string(296, 'X')), W,
             "CALL has a value of 300 bytes"),
        Adif("FrequencyOffItsBand", Record("<FREQ:5>3.583", "<FREQ:5>7.050"), E,
             "FREQ 7.050 MHz lies on 40m, not on 80m as BAND says"),
        Adif("FrequencyOnNoBand", Record("<FREQ:5>3.583", "<FREQ:5>3.400"), E,
             "FREQ 3.400 MHz lies on no amateur band"),
        Adif("NoFrequency", Record("<FREQ:5>3.583 ", ""), E, "no FREQ: the Cabrillo file gets frequency 0"),
        Adif("SentSerialFiveDigits", Record("<STX:1>2", "<STX:5>00002"), E, "sent serial '00002' is not four digits"),
        Adif("SentSerialTypo", Record("<STX:1>2", "<STX:2>20"), W, "sent serial 0020 breaks the count"),
        Adif("ReceivedNotANumber", Record("<SRX:2>13", "<SRX:3>12A"), E, "received exchange '12A' is not four"),
        Adif("Dupe", Record("<CALL:4>EU7F", "<CALL:5>DL1WA"), N, "dupe of line 3"),
        Adif("EntityNotANumber", Record("<EOR>", "<DXCC:3>DL? <EOR>"), N, "DXCC 'DL?' is no entity number")),
    NameOf);

std::string ByteOrderMark(const std::string& text) { return "\xEF\xBB\xBF" + text; }
std::string CleanCabrillo() {
  std::size_t unused = 0;
  return CabrilloLog("", "", unused);
}

// Faults of the file as a whole: each one finding at its line, and the QSOs read all the same.
INSTANTIATE_TEST_SUITE_P(
    WholeFile, FaultClass,
    ::testing::Values(
        FaultCase{"CabrilloByteOrderMark", ByteOrderMark(CleanCabrillo()), 1, E, "UTF-8 byte-order mark"},
        FaultCase{"AdifByteOrderMark", ByteOrderMark(AdifLog(kCleanRecord)), 1, N, "UTF-8 byte-order mark; harmless"},
        FaultCase{"CabrilloWithoutStart", CleanCabrillo().substr(19), 1, E, "the file has no START-OF-LOG: line"},
        FaultCase{"CabrilloTextBeforeStart", "My contest log\r\n" + CleanCabrillo(), 1, E, "a line without a tag"},
        FaultCase{"CabrilloTextAfterEnd", CleanCabrillo() + "73 and thanks\r\nSOAPBOX: after\r\n", 13, E,
                  "this line follows END-OF-LOG: (line 12)"},
        FaultCase{"CabrilloWithoutEnd", CleanCabrillo().substr(0, CleanCabrillo().size() - 13), 11, E,
                  "no END-OF-LOG: line"},
        FaultCase{"CabrilloLineFeedsOnly",
                  [] {
                    std::string t = CleanCabrillo();
                    std::erase(t, '\r');
                    return t;
                  }(),
                  0, W, ""}),
    NameOf);

}  // namespace
