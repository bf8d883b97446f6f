// The entry points as the host drives them, through the shared library's exported functions.
#include <gtest/gtest.h>

#include "host_calls.h"
#include "linked_plugin.h"
#include "null_calls.h"
#include "test_files.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

namespace fs = std::filesystem;

const StatsEntryPoints& plugin = LinkedPlugin();

struct Qso {
  const char* call = "OK1XYZ";
  const char* band = "80m";
  const char* mode = "BPSK63";
  const char* exchSent = "0001";
  const char* exchRcvd = "0042";
  const char* multKey = "OK";
  const char* dxcc = "Czech Republic";
  HostDateTime time{46054.0 + (18 * 60 + 5) / 1440.0, kDateTimeValid, 0xFFFFFFFFu};
  unsigned int freqHz = 3579999;
};

// Every position the module does not read carries a value of its own, so that a shifted
// argument list shows as a wrong answer.
const HostDateTime kOther{1.0, kDateTimeValid, 0};

int Add(const Qso& q) {
  QsoCall call;
  call.ownCall = "DL1AAA";
  call.call = q.call;
  call.time = &q.time;
  call.unreadTimes = {&kOther, &kOther, &kOther};
  call.unread7 = 77u;
  call.freqHz = q.freqHz;
  call.mode = q.mode;
  call.rstSent = "599";
  call.rstRcvd = "579";
  call.exchSent = q.exchSent;
  call.exchRcvd = q.exchRcvd;
  call.unreadTexts = {"t14", "t15", "t16", "t17", "t18", "t19", "t20", "t21"};
  call.multKey = q.multKey;
  call.dxcc = q.dxcc;
  call.unreadInts = {24, 25, 26};
  call.unreadReals = {27.0, 28.0};
  call.unread29 = "t29";
  call.continent = "EU";
  call.unread31 = "t31";
  call.band = q.band;
  call.unread33 = "t33";
  return AddData(plugin, call);
}

int Remove(const Qso& q) {
  QsoCall call;
  call.ownCall = "X";
  call.call = q.call;
  call.time = &q.time;
  call.unreadTimes = {&kOther, &kOther, &kOther};
  call.unread7 = 1u;
  call.freqHz = 2u;
  call.mode = "m";
  call.rstSent = call.rstRcvd = "r";
  call.exchSent = call.exchRcvd = "e";
  call.multKey = "k";
  call.dxcc = "d";
  call.continent = "c";
  call.band = q.band;
  return RemoveData(plugin, call);
}

int Check(const char* call, const char* band, const char* otherBand, const char* multKey = "OK",
          const char* dxcc = "Czech Republic") {
  char buffer27[8] = "keep27", buffer28[8] = "keep28";
  CheckCallCall q;
  q.call = call;
  q.unreadNumbers = {2u, 3u};
  q.mode = "BPSK63";
  q.unreadTexts = {"t5", "t6", "t7", "t8", "t9", "t10", "t11", "t12"};
  q.multKey = multKey;
  q.dxcc = dxcc;
  q.unreadInts = {15, 16, 17};
  q.unreadReals = {18.0, 19.0};
  q.unread20 = "t20";
  q.continent = "EU";
  q.unreadMore = {"t22", "t23", "t24"};
  q.band = band;
  q.otherBand = otherBand;
  q.buffer27 = buffer27;
  q.buffer28 = buffer28;
  int answer = CheckCall(plugin, q);
  EXPECT_STREQ(buffer27, "keep27");
  EXPECT_STREQ(buffer28, "keep28");
  return answer;
}

void Reset() {
  const HostDateTime start{46054.0, kDateTimeValid, 0}, end{46055.0, kDateTimeValid, 0};
  ResetCall reset;
  reset.unread1 = "t1";
  reset.ownCall = "DL1AAA";
  reset.start = &start;
  reset.end = &end;
  reset.unreadInts = {16, 17, 18};
  reset.unreadReals = {19.0, 20.0};
  EXPECT_EQ(ResetStats(plugin, reset), 1);
}

std::string ErrFile() { return FileBytes("err.txt"); }

class EntryPoints : public InTempFolder {
 protected:
  void SetUp() override {
    InTempFolder::SetUp();
    Reset();
  }
};

TEST_F(EntryPoints, ConstantAnswers) {
  EXPECT_EQ(plugin.getNumberOfSets(), 1);
  EXPECT_EQ(plugin.getExchgCount(nullptr, "a", "b"), 1);
  EXPECT_STREQ(plugin.getSetName(0), "PSK-63-TORVALE (C)");
  ASSERT_NE(plugin.getSetName(1), nullptr);
  EXPECT_STREQ(plugin.getSetName(1), "");
  EXPECT_STREQ(plugin.getSetName(-1), "");
}

TEST_F(EntryPoints, ExchangeIsExactlyFourDigits) {
  auto valid = [](const char* text) { return plugin.isValidExchg(text, nullptr, nullptr, nullptr, 0, 0, 0); };
  EXPECT_EQ(valid("0007"), 1);
  EXPECT_EQ(valid("9999"), 1);
  for (const char* bad : {"599", "12345", "", "12a4", "12 4", "+123", "-123", "12\xB3" "4", "\xD9" "123"}) {
    EXPECT_EQ(valid(bad), 0) << bad;
  }
  EXPECT_EQ(valid(nullptr), 0);
}

TEST_F(EntryPoints, ProblemFileHoldsEveryRejectionAndDupeByteForByte) {
  Qso wrongMode;
  wrongMode.mode = "BPSK31";
  Qso noRx;
  noRx.exchRcvd = "";
  Qso otherBand;
  otherBand.band = "40m";
  otherBand.freqHz = 7040000;

  EXPECT_EQ(Add(Qso{}), 1);
  EXPECT_TRUE(fs::exists("err.txt"));
  EXPECT_EQ(ErrFile(), "");
  EXPECT_EQ(Add(wrongMode), 0);
  EXPECT_EQ(Add(noRx), 0);
  EXPECT_EQ(Add(Qso{}), 1);
  EXPECT_EQ(Add(Qso{}), 1);
  EXPECT_EQ(Add(otherBand), 1);

  const std::string head = "QSO:  3579  ";
  const std::string tail = "  2026-02-01 1805  DL1AAA  599  0001  OK1XYZ  579  0042";
  EXPECT_EQ(ErrFile(), head + "BPSK31" + tail + "   NO CONTEST MODE !!!\r\n" +
                           "QSO:  3579  BPSK63  2026-02-01 1805  DL1AAA  599  0001  OK1XYZ  579     NO RX NUMBER !!!\r\n" +
                           head + "BPSK63" + tail + "   DUPE !!!\r\n" +
                           head + "BPSK63" + tail + "   DUPE !!!\r\n" +
                           head + "BPSK63" + tail + "   DUPE !!!\r\n");
}

TEST_F(EntryPoints, CallCheckFollowsTheLog) {
  EXPECT_EQ(Check("OK1XYZ", "80m", "80m"), 2);
  EXPECT_EQ(Check("OK1XYZ", "80m", "80m", "OK", ""), 1);
  Add(Qso{});
  EXPECT_EQ(Check("OK1XYZ", "80m", "80M"), 0);
  EXPECT_EQ(Check("OK1XYZ", "80m", "40m"), 4);
  EXPECT_EQ(Check("OK1XYZ", "80m", nullptr), 0);
  EXPECT_EQ(Check("OK1XYZ", nullptr, "40m"), 2);  // no band: nothing logged on ""
  EXPECT_EQ(Check("OK2ABC", "80m", "80m"), 1);
  EXPECT_EQ(Check("OK2ABC", "40m", "40m"), 2);
  EXPECT_EQ(Check("ok1xyz", "80m", "80m", "DL"), 2);
}

TEST_F(EntryPoints, RemovalMatchesCallBandAndTimeExactly) {
  Qso first;
  Add(first);
  Add(first);
  Qso oneSecondOff = first;
  oneSecondOff.time.days += 1.0 / 86400.0;
  EXPECT_EQ(Remove(oneSecondOff), 1);
  Qso paddingDiffers = first;
  paddingDiffers.time.padding = 12345;
  EXPECT_EQ(Remove(paddingDiffers), 1);
  EXPECT_EQ(Check("OK1XYZ", "80m", "80m"), 0);
  EXPECT_EQ(Remove(first), 1);
  EXPECT_EQ(Check("OK1XYZ", "80m", "80m"), 2);
  EXPECT_EQ(Remove(first), 1);
}

TEST_F(EntryPoints, ResetDiscardsTheLog) {
  Add(Qso{});
  Reset();
  EXPECT_EQ(Check("OK1XYZ", "80m", "80m"), 2);
}

TEST_F(EntryPoints, NullPointersReadAsEmpty) {
  EXPECT_EQ(AddData(plugin, NullQso()), 0);
  EXPECT_EQ(ErrFile(), "QSO:  0" + std::string(16, ' ') + "   NO CONTEST MODE !!!\r\n");
  EXPECT_EQ(CheckCall(plugin, NullCheck()), 1);
  EXPECT_EQ(RemoveData(plugin, NullQso()), 1);
  EXPECT_EQ(ResetStats(plugin, NullReset()), 1);
  int out = 7;
  ASSERT_NE(plugin.getResult(&out), nullptr);
  ASSERT_NE(plugin.getResult(nullptr), nullptr);
  EXPECT_EQ(out, 7);
  plugin.setupSet();
}

TEST_F(EntryPoints, NullTimeIsStoredAndRemovedAsNull) {
  Qso q;
  q.time.status = 2;
  Add(q);
  QsoCall removal;
  removal.ownCall = "X";
  removal.call = q.call;
  removal.band = q.band;
  EXPECT_EQ(RemoveData(plugin, removal), 1);
  EXPECT_EQ(Check("OK1XYZ", "80m", "80m"), 2);
}

}  // namespace
