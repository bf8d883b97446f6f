// The problem file's new lines, as the plug-in appends them between two looks.
#include "problem_file.h"

#include <gtest/gtest.h>

#include <fstream>

#include "replay_fixture.h"

namespace {


void Append(const std::filesystem::path& file, const std::string& text, bool truncate = false) {
  std::ofstream(file, std::ios::binary | (truncate ? std::ios::trunc : std::ios::app)) << text;
}

TEST(ProblemFileTail, WholeLinesOnlyAndEachOnce) {
  TempFolder folder;
  ProblemFileTail tail(folder / "err.txt");
  EXPECT_TRUE(tail.NewLines().empty());  // not there yet

  Append(folder / "err.txt", "QSO:  one   DUPE !!!\r\nQSO:  two   DUPE !!!\r\nQSO:  thr");
  EXPECT_EQ(tail.NewLines(), std::vector<std::string>({"QSO:  one   DUPE !!!", "QSO:  two   DUPE !!!"}));
  EXPECT_TRUE(tail.NewLines().empty());
  Append(folder / "err.txt", "ee\r\n");
  EXPECT_EQ(tail.NewLines(), std::vector<std::string>({"QSO:  three"}));

  // A reset begins the file anew with its title.
  Append(folder / "err.txt", "PSK-TORVALE UBN file \r\n", true);
  EXPECT_EQ(tail.NewLines(), std::vector<std::string>({"PSK-TORVALE UBN file "}));
}

}  // namespace
