// Files created new, replaced whole, appended in one piece.
#include "text_file.h"
#include "files.h"

#include <gtest/gtest.h>

#include "test_files.h"

#include <filesystem>
#include <fstream>

namespace {

namespace fs = std::filesystem;

class Files : public InTempFolder {};

TEST_F(Files, ANewFileIsNeverAnExistingNameOfAnyKind) {
  std::ofstream("file.txt") << "kept";
  fs::create_directory("folder");
  fs::create_symlink("file.txt", "link");
  fs::create_symlink("missing.txt", "dangling");
  for (const char* taken : {"file.txt", "folder", "link", "dangling", "no-such-folder/x"}) {
    EXPECT_FALSE(NewFile(taken)) << taken;
  }
  EXPECT_EQ(FileBytes("file.txt"), "kept");
  EXPECT_FALSE(fs::exists("missing.txt"));

  NewFile fresh("fresh.txt");
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
  EXPECT_EQ(std::distance(fs::directory_iterator("Plugins"), fs::directory_iterator()), 1);
}

TEST_F(Files, ARestartEmptiesTheFileAndAppendsFollowIt) {
  EXPECT_TRUE(AppendToFile("err.txt", ""));
  EXPECT_TRUE(fs::exists("err.txt"));
  AppendToFile("err.txt", "a\r\n");
  EXPECT_TRUE(RestartFile("err.txt", "title\r\n"));
  AppendToFile("err.txt", "b\r\n");
  EXPECT_EQ(FileBytes("err.txt"), "title\r\nb\r\n");
}

}  // namespace
