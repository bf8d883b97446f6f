// The entry points as the host drives them, through the shared library's exported functions.
#include "plugin/exports.h"

#include <gtest/gtest.h>

#include "temp_folder.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace {

namespace fs = std::filesystem;

// The host's own date-time object: 16 bytes, the module reads the first 12.
struct HostTime {
  double days;
  std::int32_t status;
  std::int32_t padding;
};

const OleDateTimeArg* Arg(const HostTime& t) { return reinterpret_cast<const OleDateTimeArg*>(&t); }

struct Qso {
  const char* call = "OK1XYZ";
  const char* band = "80m";
  const char* mode = "BPSK63";
  const char* exchSent = "0001";
  const char* exchRcvd = "0042";
  const char* multKey = "OK";
  const char* dxcc = "Czech Republic";
  HostTime time{46054.0 + (18 * 60 + 5) / 1440.0, 0, -1};
  unsigned int freqHz = 3579999;
};

// Every position the module does not read carries a value of its own, so that a shifted
// argument list shows as a wrong answer.
int Add(const Qso& q) {
  HostTime other{1.0, 0, 0};
  return AddData0("DL1AAA", q.call, Arg(q.time), Arg(other), Arg(other), Arg(other), 77u, q.freqHz, q.mode,
                  "599", "579", q.exchSent, q.exchRcvd, "t14", "t15", "t16", "t17", "t18", "t19", "t20", "t21",
                  q.multKey, q.dxcc, 24, 25, 26, 27.0, 28.0, "t29", "EU", "t31", q.band, "t33");
}

int Remove(const Qso& q) {
  HostTime other{1.0, 0, 0};
  return RemoveData0("X", q.call, Arg(q.time), Arg(other), Arg(other), Arg(other), 1u, 2u, "m", "r", "r", "e",
                     "e", "", "", "", "", "", "", "", "", "k", "d", 0, 0, 0, 0.0, 0.0, "", "c", "", q.band, "");
}

int Check(const char* call, const char* band, const char* otherBand, const char* multKey = "OK",
          const char* dxcc = "Czech Republic") {
  char buffer27[8] = "keep27", buffer28[8] = "keep28";
  int answer = CheckCall0(call, 2u, 3u, "BPSK63", "t5", "t6", "t7", "t8", "t9", "t10", "t11", "t12", multKey, dxcc,
                          15, 16, 17, 18.0, 19.0, "t20", "EU", "t22", "t23", "t24", band, otherBand, buffer27,
                          buffer28);
  EXPECT_STREQ(buffer27, "keep27");
  EXPECT_STREQ(buffer28, "keep28");
  return answer;
}

void Reset() {
  HostTime start{46054.0, 0, 0}, end{46055.0, 0, 0};
  EXPECT_EQ(ResetStats0("t1", 0, "DL1AAA", Arg(start), Arg(end), "", "", "", "", "", "", "", "", "", "", 16, 17,
                        18, 19.0, 20.0, "", "", ""),
            1);
}

std::string ErrFile() { return Slurp("err.txt"); }

class EntryPoints : public InTempFolder {
 protected:
  void SetUp() override {
    InTempFolder::SetUp();
    Reset();
  }
};

TEST_F(EntryPoints, ConstantAnswers) {
  EXPECT_EQ(GetNumberOfSets(), 1);
  EXPECT_EQ(GetExchgCount0(nullptr, "a", "b"), 1);
  EXPECT_STREQ(GetSetName(0), "PSK-63-TORVALE (C)");
  ASSERT_NE(GetSetName(1), nullptr);
  EXPECT_STREQ(GetSetName(1), "");
  EXPECT_STREQ(GetSetName(-1), "");
}

TEST_F(EntryPoints, ExchangeIsExactlyFourDigits) {
  auto valid = [](const char* text) { return IsValidExchg0(text, nullptr, nullptr, nullptr, 0, 0, 0); };
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
  EXPECT_EQ(AddData0(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0u, 0u, nullptr, nullptr, nullptr,
                     nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                     nullptr, nullptr, 0, 0, 0, 0.0, 0.0, nullptr, nullptr, nullptr, nullptr, nullptr),
            0);
  EXPECT_EQ(ErrFile(), "QSO:  0" + std::string(16, ' ') + "   NO CONTEST MODE !!!\r\n");
  EXPECT_EQ(CheckCall0(nullptr, 0u, 0u, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr, nullptr, 0, 0, 0, 0.0, 0.0, nullptr, nullptr, nullptr, nullptr, nullptr,
                       nullptr, nullptr, nullptr, nullptr),
            1);
  EXPECT_EQ(RemoveData0(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, 0u, 0u, nullptr, nullptr, nullptr,
                        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                        nullptr, nullptr, 0, 0, 0, 0.0, 0.0, nullptr, nullptr, nullptr, nullptr, nullptr),
            1);
  EXPECT_EQ(ResetStats0(nullptr, 0, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                        nullptr, nullptr, nullptr, nullptr, 0, 0, 0, 0.0, 0.0, nullptr, nullptr, nullptr),
            1);
  int out = 7;
  ASSERT_NE(GetResult0(&out), nullptr);
  ASSERT_NE(GetResult0(nullptr), nullptr);
  EXPECT_EQ(out, 7);
  SetupSet0();
}

TEST_F(EntryPoints, NullTimeIsStoredAndRemovedAsNull) {
  Qso q;
  q.time.status = 2;
  Add(q);
  EXPECT_EQ(RemoveData0("X", q.call, nullptr, nullptr, nullptr, nullptr, 0u, 0u, "", "", "", "", "", "", "", "",
                        "", "", "", "", "", "", "", 0, 0, 0, 0.0, 0.0, "", "", "", q.band, ""),
            1);
  EXPECT_EQ(Check("OK1XYZ", "80m", "80m"), 2);
}

}  // namespace
