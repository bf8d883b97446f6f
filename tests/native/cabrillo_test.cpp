// The Cabrillo header's round trip through the dialog and the settings, and the file's bytes.
#include "cabrillo_writer.h"
#include "host_program_scan.h"
#include "line_text.h"
#include "cabrillo_header.h"
#include "contest_rules.h"
#include "dialogs_headless.h"
#include "ini_store.h"

#include <gtest/gtest.h>

#include "test_files.h"

#include <signal.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

namespace fs = std::filesystem;

class FixedHostProgram : public HostProgram {
 public:
  std::optional<FileVersion> version;
  std::optional<FileVersion> FindVersion(const std::string&) override { return version; }
};

class CabrilloFolder : public InTempFolder {
 protected:

  IniFileStore store;
  Settings settings{store};
  HeadlessDialogs dialogs;
  CabrilloLog log;

};

TEST(ReplaceAll, ReplacesLeftToRightWithoutRescanning) {
  EXPECT_EQ(ReplaceAll("a/b/c", "/", "_"), "a_b_c");
  EXPECT_EQ(ReplaceAll("aaa", "aa", "a"), "aa");
  EXPECT_EQ(ReplaceAll("x<CR>y<CR>", "<CR>", "<CR><CR>"), "x<CR><CR>y<CR><CR>");
  EXPECT_EQ(ReplaceAll("same", "s", "s"), "same");
  EXPECT_EQ(ReplaceAll("", "a", "b"), "");
}

TEST(FileBase, IsASafeFileNameOfTheCall) {
  EXPECT_EQ(FileBaseOf("AB/N0CALL/P"), "AB_N0CALL_P");
  EXPECT_EQ(FileBaseOf(" \tDL1AAA\\2 \r\n"), "DL1AAA_2");
  EXPECT_EQ(FileBaseOf("   "), "VEKO");
  EXPECT_EQ(FileBaseOf(""), "VEKO");
  EXPECT_EQ(FileBaseOf("K1A:stream"), "K1A_stream");
  EXPECT_EQ(FileBaseOf("a<b>c\"d|e?f*g\x01h"), "a_b_c_d_e_f_g_h");
}

TEST_F(CabrilloFolder, HeaderStartsFromSettingsAndTheContestsDefaults) {
  settings.WriteSetting("Name", "Jo Op");
  settings.WriteSetting("SoapBox", "Best wishes<CR><LF>73");
  settings.WriteSetting("Claimed", "15");
  CabrilloHeaderFields shown;
  dialogs.headerAnswers.push_back([&](CabrilloHeaderFields& f) {
    shown = f;
    f.categoryBand = "80M";
    return false;
  });
  EXPECT_FALSE(EditCabrilloHeader(log, "DL1AAA", settings, dialogs));
  EXPECT_EQ(shown.operators, "DL1AAA");
  EXPECT_EQ(shown.name, "Jo Op");
  EXPECT_EQ(shown.soapbox, "Best wishes\r\n73");
  EXPECT_EQ(shown.claimed, "15");
  EXPECT_EQ(shown.contest, "PSK-63-TORVALE ");
  EXPECT_EQ(shown.categoryBand, "80M-40M");
  EXPECT_EQ(shown.location, "DX");
  EXPECT_EQ(log.header, shown);  // cancel keeps what was loaded
  EXPECT_EQ(settings.ReadSetting("Operators", "missing"), "missing");
}

TEST_F(CabrilloFolder, OkStoresTheHeaderAndEmptiesTheLines) {
  log.qsoLines.push_back("old\r\n");
  dialogs.headerAnswers.push_back([](CabrilloHeaderFields& f) {
    f.soapbox = "Best wishes\r\n73";
    f.address = "Main St 1<CR>Springfield";
    f.categoryBand = "80M";
    return true;
  });
  EXPECT_TRUE(EditCabrilloHeader(log, "AB/N0CALL/P", settings, dialogs));
  EXPECT_TRUE(log.qsoLines.empty());
  EXPECT_EQ(log.fileBase, "AB_N0CALL_P");
  EXPECT_EQ(settings.ReadSetting("SoapBox", ""), "Best wishes<CR><LF>73");
  EXPECT_EQ(settings.ReadSetting("Address", ""), "Main St 1<CR>Springfield");
  EXPECT_EQ(settings.ReadSetting("Operators", ""), "AB/N0CALL/P");
  EXPECT_EQ(settings.ReadSetting("Location", ""), "DX");
  EXPECT_EQ(settings.ReadSetting("Contest", "missing"), "PSK-63-TORVALE");
  EXPECT_EQ(settings.ReadSetting("Claimed", "missing"), "missing");

  // The next contest starts again from the contest's own band category.
  CabrilloHeaderFields shown;
  dialogs.headerAnswers.push_back([&](CabrilloHeaderFields& f) {
    shown = f;
    return false;
  });
  EditCabrilloHeader(log, "AB/N0CALL/P", settings, dialogs);
  EXPECT_EQ(shown.categoryBand, "80M-40M");
  EXPECT_EQ(shown.soapbox, "Best wishes\r\n73");
}

TEST(QsoLine, KeepsTheColumnsAndNeverCuts) {
  CabrilloLog log;
  log.header.callsign = "DL1AAA";
  COleDateTime t{46054.0 + (18 * 60 + 5) / 1440.0, DateTimeStatus::Valid};
  AppendQsoLine(log, "OK1XYZ", 3580, "PM", t, "599", "0001", "579", "0042");
  AppendQsoLine(log, "VERYLONGCALL/QRP", 14070, "PM", t, "5999", "1234567", "5", "12");
  ASSERT_EQ(log.qsoLines.pieces().size(), 1u);
  EXPECT_EQ(log.qsoLines.pieces()[0],
            "QSO:  3580 PM 2026-02-01 1805 DL1AAA        599 0001   OK1XYZ        579 0042\r\n"
            "QSO: 14070 PM 2026-02-01 1805 DL1AAA        5999 1234567 VERYLONGCALL/QRP 5   12\r\n");
}

TEST(CabrilloFile, HeaderLinesInOrderWithTaggedContinuations) {
  CabrilloLog log;
  log.header.callsign = "DL1AAA";
  log.header.categoryOperator = "SINGLE-OP";
  log.header.categoryBand = "80M-40M";
  log.header.name = "Jo Op";
  log.header.address = "Main St 1<CR><LF>Springfield";
  log.header.soapbox = "Best wishes\r\n73";
  log.qsoLines.push_back("QSO: a\r\n");
  log.qsoLines.push_back("QSO: b\r\n");
  EXPECT_EQ(CabrilloText(log, std::nullopt),
            "START-OF-LOG: 3.0\r\nCONTEST: PSK-63-TORVALE\r\nCALLSIGN: DL1AAA\r\nCATEGORY-OPERATOR: SINGLE-OP\r\n"
            "CATEGORY-BAND: 80M-40M\r\nCREATED-BY: Ravix \r\nNAME: Jo Op\r\nADDRESS: Main St 1\r\n"
            "ADDRESS: Springfield\r\nADDRESS-CITY: \r\nADDRESS-POSTALCODE: \r\nADDRESS-COUNTRY: \r\n"
            "OPERATORS: \r\nEMAIL: \r\nSOAPBOX: Best wishes\r\nSOAPBOX: 73\r\nQSO: a\r\nQSO: b\r\nEND-OF-LOG:\r\n");
  auto createdBy = [&](FileVersion v) {
    std::string text = CabrilloText(log, v);
    auto at = text.find("CREATED-BY");
    return text.substr(at, text.find('\n', at) + 1 - at);
  };
  EXPECT_EQ(createdBy({2, 19, 0}), "CREATED-BY: Ravix 2.19\r\n");
  EXPECT_EQ(createdBy({3, 1, 4}), "CREATED-BY: Ravix 3.1.4\r\n");
}

TEST_F(CabrilloFolder, WritesTheFileAndSaysSo) {
  log.fileBase = "DL1AAA";
  FixedHostProgram host;
  host.version = FileVersion{3, 1, 4};
  EXPECT_EQ(WriteCabrilloFile(log, host), "File produced: DL1AAA.cbr");
  EXPECT_EQ(FileBytes("DL1AAA.cbr"), CabrilloText(log, host.version));
  EXPECT_FALSE(fs::exists("DL1AAA.cbr.tmp"));
}

// A long contest's lines span many pieces; the file gets each line once, in order, and the lines
// are used up by the write.
TEST_F(CabrilloFolder, ALongLogsFileHasEveryLineOnceAndUsesTheLinesUp) {
  log.fileBase = "DL1AAA";
  std::string lines;
  for (int i = 0; i < 3000; ++i) {
    const std::string line = "QSO: " + std::to_string(i) + std::string(static_cast<std::size_t>(i % 90), 'x') + "\r\n";
    log.qsoLines.push_back(line);
    lines += line;
  }
  ASSERT_GT(log.qsoLines.pieces().size(), 1u);
  const std::string expected = CabrilloText(log, std::nullopt);
  EXPECT_NE(expected.find(lines + "END-OF-LOG:\r\n"), std::string::npos);
  FixedHostProgram host;
  EXPECT_EQ(WriteCabrilloFile(log, host), "File produced: DL1AAA.cbr");
  EXPECT_EQ(FileBytes("DL1AAA.cbr"), expected);
  EXPECT_TRUE(log.qsoLines.empty());
  EXPECT_EQ(log.qsoLines.bytes(), 0u);
}

// The names of the temporary files left in the current folder.
std::vector<std::string> Temporaries() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(".")) {
    if (entry.path().extension() == ".tmp") names.push_back(entry.path().filename().string());
  }
  return names;
}

TEST_F(CabrilloFolder, AFailedWriteIsReportedKeepsTheEarlierFileAndLeavesNoTemporary) {
  log.fileBase = "DL1AAA";
  FixedHostProgram host;
  WriteCabrilloFile(log, host);
  std::string good = FileBytes("DL1AAA.cbr");
  // A full disk, as far as this process can tell: writes past 4 KB fail.
  rlimit previous{};
  getrlimit(RLIMIT_FSIZE, &previous);
  rlimit small = previous;
  small.rlim_cur = 4096;
  auto previousSignal = signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  for (int i = 0; i < 100; ++i) log.qsoLines.push_back(std::string(78, 'Q') + "\r\n");
  std::string answer = WriteCabrilloFile(log, host);
  setrlimit(RLIMIT_FSIZE, &previous);
  signal(SIGXFSZ, previousSignal);
  EXPECT_EQ(answer, "File not produced: DL1AAA.cbr");
  EXPECT_EQ(FileBytes("DL1AAA.cbr"), good);
  EXPECT_EQ(Temporaries(), std::vector<std::string>{});

  // A folder in the way of the file itself.
  fs::remove("DL1AAA.cbr");
  fs::create_directory("DL1AAA.cbr");
  EXPECT_EQ(WriteCabrilloFile(log, host), "File not produced: DL1AAA.cbr");
  EXPECT_EQ(Temporaries(), std::vector<std::string>{});
}

// The operator is told the truth: a file made read-only is not written (and stays read-only), a
// call whose file name fits gets its file.
TEST_F(CabrilloFolder, AReadOnlyFileIsNotProducedAndALongCallIs) {
  FixedHostProgram host;
  log.fileBase = "DL1AAA";
  std::ofstream("DL1AAA.cbr", std::ios::binary) << "submitted";
  fs::permissions("DL1AAA.cbr", fs::perms::owner_read | fs::perms::group_read);
  EXPECT_EQ(WriteCabrilloFile(log, host), "File not produced: DL1AAA.cbr");
  EXPECT_EQ(FileBytes("DL1AAA.cbr"), "submitted");
  EXPECT_EQ(fs::status("DL1AAA.cbr").permissions(), fs::perms::owner_read | fs::perms::group_read);

  log.fileBase = std::string(240, 'L');
  EXPECT_EQ(WriteCabrilloFile(log, host), "File produced: " + log.fileBase + ".cbr");
  EXPECT_EQ(FileBytes(log.fileBase + ".cbr"), CabrilloText(log, std::nullopt));
  EXPECT_EQ(Temporaries(), std::vector<std::string>{});
}

TEST_F(CabrilloFolder, NoLinkOrFileOfTheTemporarysOldNameIsWrittenThrough) {
  std::ofstream("victim.txt", std::ios::binary) << "precious";
  fs::create_symlink("victim.txt", "DL1AAA.cbr.tmp");
  fs::create_symlink("nowhere.txt", "DL1AAA.cbr.tmp.tmp");
  log.fileBase = "DL1AAA";
  log.qsoLines.push_back("QSO: a\r\n");
  const std::string expected = CabrilloText(log, std::nullopt);
  FixedHostProgram host;
  EXPECT_EQ(WriteCabrilloFile(log, host), "File produced: DL1AAA.cbr");
  EXPECT_EQ(FileBytes("DL1AAA.cbr"), expected);
  EXPECT_EQ(FileBytes("victim.txt"), "precious");
  EXPECT_FALSE(fs::exists("nowhere.txt"));
  EXPECT_TRUE(fs::is_symlink("DL1AAA.cbr.tmp"));
}

void Put(std::string& bytes, std::size_t at, std::uint32_t value, int size) {
  if (bytes.size() < at + size) bytes.resize(at + size, '\0');
  for (int i = 0; i < size; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
}

// A program file as the linker lays it out: headers, one section holding the resources at file
// offset `resourcesAt`, and in it a version resource with the given version.
void WriteProgram(const std::string& name, std::uint32_t resourcesAt, std::uint16_t major, std::uint16_t minor,
                  std::uint16_t build) {
  const std::uint32_t rva = 0x1000;
  std::string head(0x200, '\0');
  head.replace(0, 2, "MZ");
  Put(head, 0x3C, 0x40, 4);
  head.replace(0x40, 4, std::string("PE\0\0", 4));
  Put(head, 0x44, 0x14C, 2);       // i386
  Put(head, 0x46, 1, 2);           // one section
  Put(head, 0x54, 224, 2);         // optional header size
  const std::size_t optional = 0x58;
  Put(head, optional, 0x10B, 2);   // PE32
  Put(head, optional + 92, 16, 4);  // data directories
  Put(head, optional + 96 + 2 * 8, rva, 4);
  Put(head, optional + 96 + 2 * 8 + 4, 0x200, 4);
  const std::size_t section = optional + 224;
  head.replace(section, 5, ".rsrc");
  Put(head, section + 8, 0x200, 4);
  Put(head, section + 12, rva, 4);
  Put(head, section + 16, 0x200, 4);
  Put(head, section + 20, static_cast<std::uint32_t>(resourcesAt), 4);

  std::string res;
  auto directory = [&](std::size_t at, std::uint32_t id, std::uint32_t next, bool leaf) {
    Put(res, at + 14, 1, 2);  // one entry, by id
    Put(res, at + 16, id, 4);
    Put(res, at + 20, leaf ? next : (0x80000000u | next), 4);
  };
  directory(0x00, 16, 0x18, false);   // RT_VERSION
  directory(0x18, 1, 0x30, false);
  directory(0x30, 0x409, 0x48, true);
  Put(res, 0x48, rva + 0x58, 4);
  Put(res, 0x4C, 92, 4);
  const std::size_t info = 0x58;
  Put(res, info, 92, 2);
  Put(res, info + 2, 52, 2);
  const std::string key = "VS_VERSION_INFO";
  for (std::size_t i = 0; i < key.size(); ++i) Put(res, info + 6 + 2 * i, static_cast<unsigned char>(key[i]), 2);
  Put(res, info + 40, 0xFEEF04BD, 4);
  Put(res, info + 48, std::uint32_t(major) << 16 | minor, 4);
  Put(res, info + 52, std::uint32_t(build) << 16 | 7, 4);
  res.resize(0x200, '\0');

  std::ofstream out(name, std::ios::binary);
  out << head;
  out.seekp(static_cast<std::streamoff>(resourcesAt));
  out << res;
}

TEST_F(CabrilloFolder, TheHostVersionComesFromTheVersionResource) {
  ScanningHostProgram host;
  EXPECT_FALSE(host.FindVersion("Ravix"));
  std::ofstream("Ravix.exe", std::ios::binary) << "MZ not a program";
  EXPECT_FALSE(host.FindVersion("Ravix"));
  WriteProgram("Ravix.exe", 0x400, 2, 19, 0);
  auto v = host.FindVersion("Ravix");
  ASSERT_TRUE(v);
  EXPECT_EQ(v->major, 2);
  EXPECT_EQ(v->minor, 19);
  EXPECT_EQ(v->build, 0);
}

// A file's bytes as a stream that counts what it hands out.
class CountingFile : public std::filebuf {
 public:
  std::size_t handedOut = 0;

 protected:
  std::streamsize xsgetn(char* to, std::streamsize n) override {
    const std::streamsize got = std::filebuf::xsgetn(to, n);
    handedOut += static_cast<std::size_t>(got);
    return got;
  }
  int_type uflow() override {
    const int_type c = std::filebuf::uflow();
    if (c != traits_type::eof()) ++handedOut;
    return c;
  }
};

// Only the headers and the resource are read, wherever the resource lies in the file.
TEST_F(CabrilloFolder, AHugeHostProgramIsNotReadWhole) {
  const std::uint32_t hundredMegabytes = 100u << 20;
  WriteProgram("Ravix.exe", hundredMegabytes, 3, 1, 4);
  ScanningHostProgram host;
  auto v = host.FindVersion("Ravix");
  ASSERT_TRUE(v);
  EXPECT_EQ(v->major * 10000 + v->minor * 100 + v->build, 30104);

  CountingFile file;
  ASSERT_TRUE(file.open("Ravix.exe", std::ios::in | std::ios::binary));
  std::istream image(&file);
  v = FixedVersionIn(image);
  ASSERT_TRUE(v);
  EXPECT_EQ(v->major * 10000 + v->minor * 100 + v->build, 30104);
  EXPECT_LT(file.handedOut, 64u << 10) << "of a file of " << hundredMegabytes << " bytes";
}

}  // namespace
