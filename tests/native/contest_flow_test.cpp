// A contest as the host drives it, on a module object of the test's own: reset with the header
// dialog and the "Start" toggle, QSOs, score requests, setup.
#include "stats_module.h"
#include "host_program_scan.h"
#include "summary.h"
#include "dialogs_headless.h"
#include "ini_store.h"

#include <gtest/gtest.h>

#include "test_files.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <malloc.h>

#include <filesystem>
#include <fstream>
#include <future>
#include <iterator>
#include <thread>
#include <utility>

namespace {

namespace fs = std::filesystem;

class RecordingWindows : public MultiplierWindows {
 public:
  bool open = false;
  int started = 0;
  int macroRequests = 0;
  int refreshRequests = 0;
  bool hostRuns = false;
  bool IsOpen() override { return open; }
  void Start(const SharedContest&, ProfileStore&) override { ++started; }
  void RequestRefresh() override { ++refreshRequests; }
  bool SendModeMacros() override {
    ++macroRequests;
    return hostRuns;
  }
};

// The INI store, counting its passes over the file: each call reads the file, or reads and writes it.
class CountingStore : public IniFileStore {
 public:
  std::optional<std::string> Read(const std::string& file, const std::string& section,
                                  const std::string& key) override {
    ++passes;
    return IniFileStore::Read(file, section, key);
  }
  bool Write(const std::string& file, const std::string& section, const std::string& key,
             const std::string& value) override {
    ++passes;
    return IniFileStore::Write(file, section, key, value);
  }
  std::vector<std::optional<std::string>> ReadAll(const std::string& file, const std::string& section,
                                                  const std::vector<std::string>& keys) override {
    ++passes;
    return IniFileStore::ReadAll(file, section, keys);
  }
  bool WriteAll(const std::string& file, const std::string& section,
                const std::vector<std::pair<std::string, std::string>>& entries) override {
    ++passes;
    return IniFileStore::WriteAll(file, section, entries);
  }
  int passes = 0;
};

class ContestFlow : public InTempFolder {
 protected:
  void SetUp() override {
    InTempFolder::SetUp();
    Platform platform;
    auto store = std::make_unique<CountingStore>();
    store_ = store.get();
    platform.profile = std::move(store);
    auto dialogs = std::make_unique<HeadlessDialogs>();
    auto windows = std::make_unique<RecordingWindows>();
    dialogs_ = dialogs.get();
    windows_ = windows.get();
    platform.dialogs = std::move(dialogs);
    platform.windows = std::move(windows);
    platform.hostProgram = std::make_unique<ScanningHostProgram>();
    module_ = std::make_unique<StatsModule>(std::move(platform));
  }
  void TearDown() override {
    module_.reset();
    InTempFolder::TearDown();
  }

  void Reset(int startFlag) {
    module_->ResetStats({startFlag, "DL1AAA", {46054.0, DateTimeStatus::Valid}, {46055.0, DateTimeStatus::Valid}});
  }
  int Add(std::string_view call, std::string_view band, std::string_view dxcc) {
    QsoArgs q;
    q.ownCall = "DL1AAA";
    q.call = call;
    q.band = band;
    q.dxcc = dxcc;
    q.mode = "BPSK63";
    q.exchSent = "0001";
    q.exchRcvd = "0042";
    q.rstSent = q.rstRcvd = "599";
    q.freqHz = band == "80m" ? 3580000 : 7040000;
    q.time = {46054.5, DateTimeStatus::Valid};
    return module_->AddData(q);
  }
  std::string Setting(const char* key) {
    IniFileStore store;
    return Settings(store).ReadSetting(key, "<missing>");
  }
  void Store(const char* key, const char* value) {
    IniFileStore store;
    Settings(store).WriteSetting(key, value);
  }

  std::unique_ptr<StatsModule> module_;
  CountingStore* store_ = nullptr;
  HeadlessDialogs* dialogs_ = nullptr;
  RecordingWindows* windows_ = nullptr;
};

TEST_F(ContestFlow, WithoutMasterNoWindowAndTheProblemFileIsKept) {
  std::ofstream("err.txt", std::ios::binary) << "old line\r\n";
  Reset(0);
  EXPECT_EQ(dialogs_->headerShown, 0);
  EXPECT_EQ(windows_->started, 0);
  EXPECT_EQ(Setting("Start"), "<missing>");
  EXPECT_EQ(FileBytes("err.txt"), "old line\r\n");
  Reset(1);
  EXPECT_EQ(dialogs_->headerShown, 1);
  EXPECT_EQ(Setting("Start"), "1");
}

TEST_F(ContestFlow, StartAlternatesAndEachResetBeginsANewProblemFile) {
  Store("Master", "1");
  std::ofstream("err.txt", std::ios::binary) << "old line\r\n";
  Reset(1);  // the header dialog sets "Start", which the same reset then clears
  EXPECT_EQ(Setting("Start"), "0");
  EXPECT_EQ(windows_->started, 0);
  EXPECT_EQ(FileBytes("err.txt"), "PSK-TORVALE UBN file \r\n");
  Reset(0);
  EXPECT_EQ(Setting("Start"), "1");
  EXPECT_EQ(windows_->started, 1);
  Reset(0);
  EXPECT_EQ(Setting("Start"), "0");
  EXPECT_EQ(windows_->started, 1);

  windows_->open = true;  // a window already open: neither started nor toggled
  Reset(0);
  EXPECT_EQ(Setting("Start"), "0");
  EXPECT_EQ(windows_->started, 1);
  Add("OK1A", "80m", "OK");
  Add("OK1A", "80m", "OK");
  Reset(0);
  EXPECT_EQ(FileBytes("err.txt"), "PSK-TORVALE UBN file \r\n");
}

TEST_F(ContestFlow, AnyNonzeroMasterCountsAsOn) {
  Store("Master", "2");
  Reset(0);
  EXPECT_EQ(windows_->started, 1);
}

TEST_F(ContestFlow, ReportRunWritesTheFileOnceMessagesAndMarksOut) {
  Reset(1);
  Add("OK1A", "80m", "OK");
  Add("OK1A", "80m", "OK");  // dupe: in the file, not in the score
  Add("DL2B", "40m", "DL");
  int out = 0;
  std::string summary = module_->GetResult(&out);
  EXPECT_EQ(out, -1);
  EXPECT_EQ(dialogs_->messagesShown, 1);
  EXPECT_EQ(dialogs_->lastMessage, "Output: File produced: DL1AAA.cbr");
  std::string file = FileBytes("DL1AAA.cbr");
  EXPECT_EQ(file.find("QSO:  3580 PM 2026-02-01 1200 DL1AAA        599 0001   OK1A          599 0042\r\n"
                      "QSO:  3580 PM 2026-02-01 1200 DL1AAA        599 0001   OK1A          599 0042\r\n"
                      "QSO:  7040 PM 2026-02-01 1200 DL1AAA        599 0001   DL2B          599 0042\r\n"
                      "END-OF-LOG:\r\n"),
            file.size() - 3 * 79 - 13);
  EXPECT_EQ(Setting("Claimed"), "4");
  EXPECT_EQ(summary.find("Stats.dll"), std::string::npos);

  // Asking again writes the same file: each QSO once.
  module_->GetResult(&out);
  EXPECT_EQ(FileBytes("DL1AAA.cbr"), file);

  // A cancelled header in a later run still gives each QSO once, with tagged header lines.
  dialogs_->headerAnswers.push_back([](CabrilloHeaderFields&) { return false; });
  Store("SoapBox", "one<CR><LF>two");
  Reset(1);
  Add("OK1A", "80m", "OK");
  module_->GetResult(&out);
  file = FileBytes("DL1AAA.cbr");
  EXPECT_NE(file.find("SOAPBOX: one\r\nSOAPBOX: two\r\nQSO:  3580"), std::string::npos);
  EXPECT_EQ(file.find("DL2B"), std::string::npos);
}

TEST_F(ContestFlow, OutsideAReportRunNothingIsWrittenButClaimed) {
  Reset(0);
  Add("OK1A", "80m", "OK");
  int out = 7;
  std::string summary = module_->GetResult(&out);
  EXPECT_EQ(out, 7);
  EXPECT_EQ(dialogs_->messagesShown, 0);
  EXPECT_NE(summary.find(kCreditLine), std::string::npos);
  EXPECT_EQ(Setting("Claimed"), "1");
  EXPECT_FALSE(fs::exists("DL1AAA.cbr"));
  EXPECT_NE(module_->GetResult(nullptr), nullptr);
}

TEST_F(ContestFlow, ModeMacrosAreSentUntilAHostTakesThem) {
  Store("Master", "1");
  Reset(0);  // the window's own thread does it while the window is in use
  module_->GetResult(nullptr);
  EXPECT_EQ(windows_->macroRequests, 0);

  Store("Master", "0");
  Reset(0);
  module_->GetResult(nullptr);
  module_->GetResult(nullptr);
  EXPECT_EQ(windows_->macroRequests, 2);
  windows_->hostRuns = true;
  module_->GetResult(nullptr);
  module_->GetResult(nullptr);
  EXPECT_EQ(windows_->macroRequests, 3);
}

TEST_F(ContestFlow, CallChecksRearmTheRefreshUnlessTheBandsDisagree) {
  Reset(0);
  module_->CheckCall(CallCheckQuery{"OK1A", "OK", "E", "80m", "80m"});
  module_->CheckCall(CallCheckQuery{"OK1A", "OK", "", "80m", std::nullopt});
  module_->CheckCall(CallCheckQuery{"OK1A", "OK", "E", "80m", "40m"});
  EXPECT_EQ(windows_->refreshRequests, 2);
}

TEST_F(ContestFlow, SetupStoresTheChoiceOnlyOnOk) {
  int shown = -1;
  dialogs_->setupAnswers.push_back([&](int& box) {
    shown = box;
    return true;
  });
  module_->SetupSet();
  EXPECT_EQ(shown, 0);
  EXPECT_EQ(Setting("Master"), "0");

  dialogs_->setupAnswers.push_back([](int& box) {
    box = 1;
    return true;
  });
  module_->SetupSet();
  EXPECT_EQ(Setting("Master"), "1");
  EXPECT_EQ(module_->masterFlag(), 1);

  dialogs_->setupAnswers.push_back([](int& box) {
    box = 0;
    return false;  // close box after clicking
  });
  module_->SetupSet();
  EXPECT_EQ(Setting("Master"), "1");

  Store("Master", "5");
  dialogs_->setupAnswers.push_back([&](int& box) {
    shown = box;
    return true;
  });
  module_->SetupSet();
  EXPECT_EQ(shown, 0);
  EXPECT_EQ(Setting("Master"), "0");
}

// A deadlock would hang the suite: give up loudly instead.
template <class Body>
void WithinSeconds(int seconds, Body body) {
  auto done = std::async(std::launch::async, body);
  if (done.wait_for(std::chrono::seconds(seconds)) != std::future_status::ready) {
    ADD_FAILURE() << "still running after " << seconds << " s";
    std::abort();
  }
  done.get();
}

TEST_F(ContestFlow, ReportsFromTwoThreadsEachKeepTheirTextAndLeaveAWholeFile) {
  Reset(1);
  for (int i = 0; i < 1500; ++i) Add("OK" + std::to_string(i), i % 2 ? "80m" : "40m", "OK");
  const std::string expected = module_->GetResult(nullptr);
  const std::string file = FileBytes("DL1AAA.cbr");
  auto reporter = [&] {
    for (int i = 0; i < 25; ++i) {
      int out = 0;
      const char* text = module_->GetResult(&out);
      ASSERT_EQ(text, expected);
      ASSERT_EQ(out, -1);
      // The other thread's reports must not touch this thread's text before its next call.
      std::this_thread::sleep_for(std::chrono::microseconds(300));
      ASSERT_EQ(text, expected);
    }
  };
  WithinSeconds(120, [&] {
    std::thread other(reporter);
    reporter();
    other.join();
  });
  EXPECT_EQ(FileBytes("DL1AAA.cbr"), file);
}

TEST_F(ContestFlow, CallsComingBackInWhileADialogIsUpNeitherBlockNorSpoilTheOuterCall) {
  Reset(1);
  Add("OK1A", "80m", "OK");
  const std::string expected = module_->GetResult(nullptr);
  int innerOut = 7;
  std::string inner = "<not called>";
  bool comingBack = false;
  dialogs_->whileMessageShown = [&] {
    if (std::exchange(comingBack, true)) return;
    inner = module_->GetResult(&innerOut);
    // Contest calls are answered as usual; another report, reset or setup is not begun.
    EXPECT_EQ(Add("DL2B", "40m", "DL"), 1);
    EXPECT_EQ(module_->CheckCall(CallCheckQuery{"DL2B", "DL", "DL", "40m", "40m"}), 0);
    module_->ResetStats({1, "XX1XX", {}, {}});
    module_->SetupSet();
  };
  std::string outer;
  WithinSeconds(20, [&] { outer = module_->GetResult(nullptr); });
  EXPECT_EQ(outer, expected);
  EXPECT_EQ(inner, "");
  EXPECT_EQ(innerOut, 7);
  EXPECT_EQ(dialogs_->headerShown, 1);
  EXPECT_EQ(dialogs_->setupShown, 0);
  EXPECT_EQ(module_->contest().Read([](const Contest& c) { return c.Log.size(); }), 2u);

  // The same inside the header dialog of a reset.
  dialogs_->headerAnswers.push_back([&](CabrilloHeaderFields&) {
    inner = module_->GetResult(&innerOut);
    EXPECT_EQ(Add("OK1A", "80m", "OK"), 1);
    return true;
  });
  WithinSeconds(20, [&] { Reset(1); });
  EXPECT_EQ(inner, "");
  EXPECT_EQ(module_->contest().Read([](const Contest& c) { return c.Log.size(); }), 1u);
}

TEST_F(ContestFlow, ProblemLinesAndTheTitleNeverCutIntoEachOther) {
  Store("Master", "1");
  QsoArgs big;
  std::string longCall(20000, 'L');  // a line larger than any stream buffer
  big.call = longCall;
  big.mode = "CW";
  QsoArgs small;
  small.call = "OK1A";
  small.mode = "SSB";
  const std::string bigLine = ProblemLine(big, kVerdictNoContestMode);
  const std::string smallLine = ProblemLine(small, kVerdictNoContestMode);
  // The file is begun anew by every reset: check what the last one left, round after round.
  for (int round = 0; round < 20; ++round) {
    std::atomic<bool> stop = false;
    auto adding = [&](const QsoArgs& q) {
      while (!stop) module_->AddData(q);
    };
    std::thread a(adding, std::cref(big)), b(adding, std::cref(small));
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(50);
    while (std::chrono::steady_clock::now() < until) Reset(0);
    stop = true;
    a.join();
    b.join();

    std::string text = FileBytes("err.txt");
    ASSERT_EQ(text.rfind(kProblemFileTitle, 0), 0u);
    std::size_t at = kProblemFileTitle.size();
    while (at < text.size()) {
      std::size_t end = text.find("\r\n", at);
      ASSERT_NE(end, std::string::npos) << "unterminated line at " << at;
      std::string line = text.substr(at, end + 2 - at);
      ASSERT_TRUE(line == bigLine || line == smallLine) << "broken line at " << at << ": " << line.substr(0, 60);
      at = end + 2;
    }
  }
}

// Heap in use, as the C library counts it; 0 where another allocator stands in for it.
std::size_t HeapInUse() { return mallinfo2().uordblks; }

TEST_F(ContestFlow, ReportRunsDoNotPileUpWhatTheyShowed) {
  const std::string longCall(100000, 'K');
  module_->ResetStats({1, longCall, {}, {}});
  std::size_t before = HeapInUse();
  for (int i = 0; i < 300; ++i) module_->GetResult(nullptr);
  EXPECT_LT(HeapInUse() - std::min(before, HeapInUse()), 5'000'000u);
  EXPECT_EQ(dialogs_->messagesShown, 300);
  EXPECT_EQ(dialogs_->lastMessage, "Output: File not produced: " + std::string(longCall) + ".cbr");
}

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t at = 0, end; at < text.size(); at = end + 2) {
    end = text.find("\r\n", at);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(at, end - at));
  }
  return lines;
}

bool HasControlCharacter(const std::string& line) {
  return std::any_of(line.begin(), line.end(), [](char c) { return static_cast<unsigned char>(c) < 32 || c == 127; });
}

TEST_F(ContestFlow, LineBreaksInTheHostsTextsStayInsideTheirLines) {
  dialogs_->headerAnswers.push_back([](CabrilloHeaderFields& f) {
    f.name = "Jo\r\nOperators=X";
    f.address = "Main St 1\r\n<CR>Springfield\x7f";
    f.soapbox = "one\r\ntwo\tthree\x1a";
    f.categoryBand = "80M\nCATEGORY-BAND: 40M";
    return true;
  });
  module_->ResetStats({1, "EVIL\r\nEND-OF-LOG:\r\nMaster=1", {}, {}});
  QsoArgs q;
  q.call = "OK1A\r\nQSO: fake";
  q.band = "80m";
  q.mode = "BPSK63";
  q.exchSent = "0001\n";
  q.exchRcvd = "0002\v";
  q.rstSent = "59\f9";
  EXPECT_EQ(module_->AddData(q), 1);
  EXPECT_EQ(module_->AddData(q), 1);  // a dupe: its problem line too
  q.mode = "BPSK63\r\n";
  EXPECT_EQ(module_->AddData(q), 0);
  module_->GetResult(nullptr);

  EXPECT_EQ(Setting("Master"), "<missing>");
  EXPECT_EQ(Setting("Operators"), "EVIL__END-OF-LOG:__Master=1");
  EXPECT_EQ(Setting("SoapBox"), "one<CR><LF>two_three_");
  std::string ini = FileBytes("Plugins/PSK63.ini");
  for (const std::string& line : LinesOf(ini)) {
    EXPECT_FALSE(HasControlCharacter(line)) << line;
    EXPECT_TRUE(line == "[Settings]" || line.find('=') != std::string::npos) << line;
  }
  EXPECT_EQ(LinesOf(ini).size(), 15u);  // the section, twelve header keys, "Start", "Claimed"

  std::vector<std::string> cbr = LinesOf(FileBytes("EVIL__END-OF-LOG___Master=1.cbr"));
  ASSERT_EQ(cbr.size(), 14u + 2 + 2 + 1);  // two ADDRESS and two SOAPBOX lines, two QSOs
  EXPECT_EQ(cbr[2], "CALLSIGN: EVIL__END-OF-LOG:__Master=1");
  EXPECT_EQ(cbr[4], "CATEGORY-BAND: 80M_CATEGORY-BAND: 40M");
  EXPECT_EQ(cbr[6], "NAME: Jo__Operators=X");
  EXPECT_EQ(cbr[7], "ADDRESS: Main St 1__");
  EXPECT_EQ(cbr[8], "ADDRESS: Springfield_");
  EXPECT_EQ(cbr[14], "SOAPBOX: one");
  EXPECT_EQ(cbr[15], "SOAPBOX: two_three_");
  EXPECT_EQ(cbr[16], "QSO:     0 PM 1899-12-30 0000 EVIL__END-OF-LOG:__Master=1 59_9 0001_  OK1A__QSO: fake     0002_");
  for (const std::string& line : cbr) EXPECT_FALSE(HasControlCharacter(line)) << line;
  EXPECT_EQ(std::count(cbr.begin(), cbr.end(), "END-OF-LOG:"), 1);
  EXPECT_EQ(cbr.back(), "END-OF-LOG:");

  std::vector<std::string> problems = LinesOf(FileBytes("err.txt"));
  ASSERT_EQ(problems.size(), 2u);
  for (const std::string& line : problems) EXPECT_FALSE(HasControlCharacter(line)) << line;
}

TEST_F(ContestFlow, AHugeSettingsFileIsReadAndWrittenOnlyAFewTimesPerReset) {
  {
    std::ofstream big("Plugins/PSK63.ini", std::ios::binary);
    big << "[Settings]\r\nName=Jo Op\r\n[Other tool]\r\n";
    for (int i = 0; i < 200000; ++i) big << "key" << i << "=" << std::string(40, 'v') << "\r\n";
  }
  store_->passes = 0;
  Reset(1);
  // The header read at once and written at once, "Start" written, "Master" read: not a pass per key.
  EXPECT_EQ(store_->passes, 4);
  EXPECT_EQ(module_->cabrilloLog().header.name, "Jo Op");
  EXPECT_EQ(Setting("Operators"), "DL1AAA");
  EXPECT_EQ(Setting("Start"), "1");
}

}  // namespace
