// Files created new, replaced whole, appended in one piece; what a replacement keeps of the old
// file (its link, its read-only mode, its readers) and what it leaves behind.
#include "text_file.h"
#include "files.h"

#include <gtest/gtest.h>

#include "test_files.h"

#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

class Files : public InTempFolder {};

// The names in a folder, sorted.
std::vector<std::string> Names(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

unsigned Mode(const fs::path& file) {
  struct stat st {};
  return ::stat(file.c_str(), &st) == 0 ? st.st_mode & 0777 : 0;
}

TEST_F(Files, ANewFileIsNeverAnExistingNameOfAnyKind) {
  std::ofstream("file.txt") << "kept";
  fs::create_directory("folder");
  fs::create_symlink("file.txt", "link");
  fs::create_symlink("missing.txt", "dangling");
  for (const char* taken : {"file.txt", "folder", "link", "dangling"}) {
    NewFile file(taken, FileState{});
    EXPECT_FALSE(file) << taken;
    EXPECT_TRUE(file.Taken()) << taken;
  }
  NewFile nowhere("no-such-folder/x", FileState{});
  EXPECT_FALSE(nowhere);
  EXPECT_FALSE(nowhere.Taken());
  EXPECT_EQ(FileBytes("file.txt"), "kept");
  EXPECT_FALSE(fs::exists("missing.txt"));

  NewFile fresh("fresh.txt", FileState{});
  ASSERT_TRUE(fresh);
  EXPECT_TRUE(fresh.Write("new"));
  EXPECT_TRUE(fresh.Close());
  EXPECT_FALSE(fresh.Close());
  EXPECT_EQ(FileBytes("fresh.txt"), "new");
}

TEST_F(Files, AReplacedFileIsWholeAndLeavesNothingBeside) {
  EXPECT_TRUE(ReplaceFile("Plugins/a.ini", "one"));
  EXPECT_TRUE(ReplaceFile("Plugins/a.ini", "two"));
  EXPECT_EQ(FileBytes("Plugins/a.ini"), "two");
  EXPECT_FALSE(ReplaceFile("Missing/a.ini", "x"));
  EXPECT_FALSE(fs::exists("Missing"));
  EXPECT_EQ(Names("Plugins"), std::vector<std::string>{"a.ini"});
}

// A long log's file goes out from its pieces; the rewrite in place, for a target that cannot be
// replaced, must cut the old file after all of them, not after the first.
TEST_F(Files, PartsAreWrittenBackToBackEitherWay) {
  const std::vector<std::string_view> parts{"START\r\n", "", "QSO: 1\r\nQSO: 2\r\n", "END\r\n"};
  EXPECT_TRUE(ReplaceFile("Plugins/log.cbr", parts));
  EXPECT_EQ(FileBytes("Plugins/log.cbr"), "START\r\nQSO: 1\r\nQSO: 2\r\nEND\r\n");
  EXPECT_EQ(Names("Plugins"), std::vector<std::string>{"log.cbr"});

  std::ofstream("held.cbr") << std::string(100, 'x');
  EXPECT_TRUE(WriteInPlace("held.cbr", parts));
  EXPECT_EQ(FileBytes("held.cbr"), "START\r\nQSO: 1\r\nQSO: 2\r\nEND\r\n");
  EXPECT_FALSE(WriteInPlace("missing.cbr", parts));
  EXPECT_FALSE(fs::exists("missing.cbr"));
}

TEST_F(Files, ARestartEmptiesTheFileAndAppendsFollowIt) {
  EXPECT_TRUE(AppendToFile("err.txt", ""));
  EXPECT_TRUE(fs::exists("err.txt"));
  AppendToFile("err.txt", "a\r\n");
  EXPECT_TRUE(RestartFile("err.txt", "title\r\n"));
  AppendToFile("err.txt", "b\r\n");
  EXPECT_EQ(FileBytes("err.txt"), "title\r\nb\r\n");
}

// A reader copying the file while it is begun anew sees the old file or the new one, never the
// old start with the new end, never an empty file.
TEST_F(Files, AReaderOfTheOldFileKeepsItWholeThroughARestart) {
  const std::string old = "title\r\n" + std::string(100000, 'x') + "\r\n";
  std::ofstream("err.txt", std::ios::binary) << old;
  std::ifstream reader("err.txt", std::ios::binary);
  std::string start(10, '\0');
  reader.read(start.data(), 10);
  ASSERT_TRUE(RestartFile("err.txt", "title\r\n"));
  std::string copy = start + std::string(std::istreambuf_iterator<char>(reader), {});
  EXPECT_EQ(copy, old);
  EXPECT_EQ(FileBytes("err.txt"), "title\r\n");
}

TEST_F(Files, ALinkIsKeptAndItsTargetReplaced) {
  fs::create_directory("shared");
  std::ofstream("shared/PSK63.ini", std::ios::binary) << "old";
  // A chain: a relative link to a link in another folder.
  fs::create_symlink("../shared/middle.ini", "Plugins/PSK63.ini");
  fs::create_symlink("PSK63.ini", "shared/middle.ini");
  EXPECT_TRUE(ReplaceFile("Plugins/PSK63.ini", "new"));
  EXPECT_TRUE(fs::is_symlink("Plugins/PSK63.ini"));
  EXPECT_TRUE(fs::is_symlink("shared/middle.ini"));
  EXPECT_EQ(FileBytes("shared/PSK63.ini"), "new");
  EXPECT_EQ(Names("Plugins"), std::vector<std::string>{"PSK63.ini"});
  EXPECT_EQ(Names("shared"), (std::vector<std::string>{"PSK63.ini", "middle.ini"}));

  // A link to a file not yet there makes it, as a write through the link would.
  fs::create_symlink("shared/first.cbr", "first.cbr");
  EXPECT_TRUE(ReplaceFile("first.cbr", "made"));
  EXPECT_TRUE(fs::is_symlink("first.cbr"));
  EXPECT_EQ(FileBytes("shared/first.cbr"), "made");

  fs::create_symlink("loop-b", "loop-a");
  fs::create_symlink("loop-a", "loop-b");
  EXPECT_FALSE(ReplaceFile("loop-a", "x"));
  EXPECT_TRUE(fs::is_symlink("loop-a"));
}

TEST_F(Files, AReadOnlyFileIsNotWrittenAndOtherModesAreKept) {
  std::ofstream("err.txt", std::ios::binary) << "old";
  fs::permissions("err.txt", fs::perms(0444));
  EXPECT_FALSE(ReplaceFile("err.txt", "new"));
  EXPECT_FALSE(RestartFile("err.txt", "new"));
  EXPECT_EQ(FileBytes("err.txt"), "old");
  EXPECT_EQ(Mode("err.txt"), 0444u);

  // A private file stays private.
  std::ofstream("Plugins/PSK63.ini", std::ios::binary) << "old";
  fs::permissions("Plugins/PSK63.ini", fs::perms(0600));
  EXPECT_TRUE(ReplaceFile("Plugins/PSK63.ini", "new"));
  EXPECT_EQ(FileBytes("Plugins/PSK63.ini"), "new");
  EXPECT_EQ(Mode("Plugins/PSK63.ini"), 0600u);

  fs::create_directory("folder.cbr");
  EXPECT_FALSE(ReplaceFile("folder.cbr", "new"));
  EXPECT_EQ(Names("."), (std::vector<std::string>{"Plugins", "err.txt", "folder.cbr"}));
}

// Only the temporaries of this file in their own name form go, and only those no writer holds.
TEST_F(Files, TemporariesAKilledWriterLeftGoAtTheNextWriteOfThatFile) {
  const std::vector<std::string> others{
      "PSK63.ini.backup.tmp",   // the user's
      "PSK63.ini.12-3.tmp.txt",
      "PSK63.ini.-3.tmp",
      "PSK63.ini.12-.tmp",
      "PSK63.ini12-3.tmp",
      "PSK63.in.12-3.tmp",      // another file's, cut form of a different length
      "other.ini.12-3.tmp",     // another file's
      "PSK63.ini.77-1.tmp",     // a live writer's
  };
  for (const std::string& name : others) std::ofstream("Plugins/" + name) << "x";
  fs::remove("Plugins/PSK63.ini.77-1.tmp");
  NewFile live("Plugins/PSK63.ini.77-1.tmp", FileState{});
  ASSERT_TRUE(live);
  for (const char* left : {"PSK63.ini.3141592653-7.tmp", "PSK63.ini.1-1.tmp"}) {
    std::ofstream(std::string("Plugins/") + left) << std::string(100000, 'k');
  }
  // A folder of that name is no temporary.
  fs::create_directory("Plugins/PSK63.ini.5-5.tmp");

  EXPECT_TRUE(ReplaceFile("Plugins/PSK63.ini", "new"));
  std::vector<std::string> want = others;
  want.push_back("PSK63.ini");
  want.push_back("PSK63.ini.5-5.tmp");
  std::sort(want.begin(), want.end());
  EXPECT_EQ(Names("Plugins"), want);
  EXPECT_EQ(FileBytes("Plugins/PSK63.ini"), "new");
}

// A name that fits gets its file, however little room is left for the temporary's suffix.
TEST_F(Files, TheTemporaryNeverMakesAFittingNameTooLong) {
  const std::string name = std::string(240, 'K') + ".cbr";
  // What a writer of this name killed earlier left: the temporary's cut form.
  const std::string left = std::string(235, 'K') + ".99-1.tmp";
  ASSERT_EQ(left.size(), name.size());
  std::ofstream(left) << "left";
  EXPECT_TRUE(ReplaceFile(name, "one"));
  EXPECT_TRUE(ReplaceFile(name, "two"));
  EXPECT_EQ(FileBytes(name), "two");
  EXPECT_EQ(Names("."), (std::vector<std::string>{name, "Plugins"}));

  EXPECT_FALSE(ReplaceFile(std::string(256, 'K'), "x"));
  EXPECT_EQ(Names(".").size(), 2u);
}

}  // namespace
