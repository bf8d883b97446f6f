// The settings file: values read back whole, defaults for what is missing, the integer reading,
// and the INI format the platform's profile functions share with our own store.
#include "ini_store.h"
#include "settings.h"

#include <gtest/gtest.h>

#include "test_files.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <thread>

namespace {

namespace fs = std::filesystem;

class SettingsFile : public InTempFolder {
 protected:
  static std::string FileText() { return FileBytes("Plugins/PSK63.ini"); }

  IniFileStore store;
  Settings settings{store};

};

TEST_F(SettingsFile, WritesWhatThePlatformWrites) {
  settings.WriteSettingInt("Master", 1);
  EXPECT_EQ(FileText(), "[Settings]\r\nMaster=1\r\n");
  settings.WriteSetting("Start", "0");
  settings.WriteSettingInt("Master", -12);
  EXPECT_EQ(FileText(), "[Settings]\r\nMaster=-12\r\nStart=0\r\n");
}

TEST_F(SettingsFile, ReadsBackLongValuesWhole) {
  std::string soapbox(300, 'x');
  soapbox += "<CR><LF>73";
  settings.WriteSetting("SoapBox", soapbox);
  EXPECT_EQ(settings.ReadSetting("SoapBox", ""), soapbox);
}

TEST_F(SettingsFile, MissingKeysGiveTheDefaultAndEmptyValuesDoNot) {
  EXPECT_EQ(settings.ReadSetting("Operators", "DL1AAA"), "DL1AAA");
  EXPECT_EQ(settings.ReadSettingInt("Master"), 0);
  settings.WriteSetting("Operators", "");
  EXPECT_EQ(settings.ReadSetting("Operators", "DL1AAA"), "");
  EXPECT_EQ(settings.ReadSetting("Name", "none"), "none");
}

TEST_F(SettingsFile, ReadsFilesOtherToolsWrote) {
  std::ofstream("Plugins/PSK63.ini", std::ios::binary)
      << "; comment\n[Other]\nName=wrong\n\n[settings]\n  NAME =  Jo Op  \nClub=\"Radio Club\"\nEmail=\n\n[Next]\nClub=x\n";
  EXPECT_EQ(settings.ReadSetting("Name", ""), "Jo Op");
  EXPECT_EQ(settings.ReadSetting("Club", ""), "Radio Club");
  EXPECT_EQ(settings.ReadSetting("Email", "default"), "");
  settings.WriteSetting("Email", "jo@example.org");
  settings.WriteSetting("Name", "Jo");
  EXPECT_EQ(settings.ReadSetting("Email", ""), "jo@example.org");
  EXPECT_EQ(settings.ReadSetting("Name", ""), "Jo");
  IniFileStore other;
  EXPECT_EQ(other.Read("Plugins\\PSK63.ini", "Next", "Club"), "x");
  EXPECT_EQ(other.Read("Plugins\\PSK63.ini", "Other", "Name"), "wrong");
}

TEST_F(SettingsFile, WritesNothingWithoutThePluginsFolder) {
  fs::remove_all("Plugins");
  settings.WriteSettingInt("Claimed", 15);
  EXPECT_FALSE(fs::exists("Plugins"));
  EXPECT_EQ(settings.ReadSettingInt("Claimed"), 0);
}

// The file is replaced whole, never rewritten in place: a writer killed at any moment leaves
// either the old file or the new one.
TEST_F(SettingsFile, AWriterKilledAtAnyMomentLeavesTheFileWhole) {
  const std::string soapbox(200000, 'x');
  settings.WriteSetting("SoapBox", soapbox);
  for (const char* key : {"Operators", "Name", "Address", "Address-City", "Email", "Club", "Master", "Start"}) {
    settings.WriteSetting(key, key);
  }
  std::mt19937 random(13);
  const int kills = 30;
  int whole = 0;
  for (int kill = 0; kill < kills; ++kill) {
    pid_t writer = fork();
    ASSERT_GE(writer, 0);
    if (writer == 0) {
      for (std::int32_t claimed = 0;; ++claimed) settings.WriteSettingInt("Claimed", claimed);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(2000 + random() % 20000));
    ::kill(writer, SIGKILL);
    waitpid(writer, nullptr, 0);
    if (settings.ReadSetting("SoapBox", "") == soapbox && settings.ReadSetting("Start", "") == "Start" &&
        settings.ReadSetting("Operators", "") == "Operators") {
      ++whole;
    }
  }
  EXPECT_EQ(whole, kills);
  // What the killed writers left beside the file goes with the next write.
  settings.WriteSettingInt("Claimed", -1);
  std::vector<std::string> left;
  for (const auto& entry : fs::directory_iterator("Plugins")) left.push_back(entry.path().filename().string());
  EXPECT_EQ(left, std::vector<std::string>{"PSK63.ini"});
}

// A settings file shared through a link stays shared, and one the operator made read-only stays
// as it is.
TEST_F(SettingsFile, ALinkStaysALinkAndAReadOnlyFileIsKept) {
  fs::create_directory("shared");
  std::ofstream("shared/PSK63.ini", std::ios::binary) << "[Settings]\r\nName=Jo\r\n";
  fs::create_symlink("../shared/PSK63.ini", "Plugins/PSK63.ini");
  settings.WriteSetting("Club", "RC");
  EXPECT_TRUE(fs::is_symlink("Plugins/PSK63.ini"));
  EXPECT_EQ(FileBytes("shared/PSK63.ini"), "[Settings]\r\nName=Jo\r\nClub=RC\r\n");

  fs::remove("Plugins/PSK63.ini");
  fs::copy_file("shared/PSK63.ini", "Plugins/PSK63.ini");
  fs::permissions("Plugins/PSK63.ini", fs::perms::owner_read);
  settings.WriteSetting("Club", "other");
  EXPECT_EQ(settings.ReadSetting("Club", ""), "RC");
  EXPECT_EQ(fs::status("Plugins/PSK63.ini").permissions(), fs::perms::owner_read);
}

TEST(ParseDecimal, ReadsLikeTheCRuntime) {
  EXPECT_EQ(ParseDecimal("  42abc"), 42);
  EXPECT_EQ(ParseDecimal("-7"), -7);
  EXPECT_EQ(ParseDecimal("+3"), 3);
  EXPECT_EQ(ParseDecimal("x1"), 0);
  EXPECT_EQ(ParseDecimal(""), 0);
  EXPECT_EQ(ParseDecimal("- 1"), 0);
  EXPECT_EQ(ParseDecimal("99999999999"), 2147483647);
  EXPECT_EQ(ParseDecimal("-99999999999"), -2147483647 - 1);
}

}  // namespace
