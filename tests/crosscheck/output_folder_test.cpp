// A results file written as it is made: whole, block after block, or the file before it kept.
#include "output_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "test_files.h"
#include "text_files.h"

namespace {

class StreamedOutput : public InTempFolder {};

TEST_F(StreamedOutput, WholeAcrossBlocksAndTheOldFileKeptWhenTheWriterFails) {
  OutputFolder out("results");
  // More than the stream's own buffer, in uneven pieces.
  std::string expected;
  out.Write("decisions.csv", [&](std::ostream& stream) {
    for (int i = 0; i < 200000; ++i) {
      const std::string row = "DL1AA," + std::to_string(i) + ",confirmed,yes,,OK1BB," + std::to_string(i % 97) + "\n";
      stream << row;
      expected += row;
    }
  });
  EXPECT_EQ(ReadTextFile("results/decisions.csv"), expected);

  EXPECT_THROW(out.Write("decisions.csv",
                         [](std::ostream& stream) {
                           stream << "half a table";
                           throw std::runtime_error("the table could not be made");
                         }),
               std::runtime_error);
  EXPECT_EQ(ReadTextFile("results/decisions.csv"), expected);
  EXPECT_FALSE(std::filesystem::exists("results/decisions.csv.new"));

  out.Finish();
  EXPECT_EQ(ReadTextFile("results/" + std::string(OutputFolder::kListName)), "decisions.csv\n");
}

// A report is linked in whole when new and replaced whole when not; either way the folder holds
// nothing else, and the file may be read and written as one the program made by name.
TEST_F(StreamedOutput, ANewReportAndAReplacedOneAreWholeAndNothingElseIsLeft) {
  OutputFolder out("results");
  const std::string report(100000, 'x');
  out.Write("reports/DL1AA.txt", report);
  EXPECT_EQ(ReadTextFile("results/reports/DL1AA.txt"), report);
  out.Write("reports/DL1AA.txt", "shorter\n");
  EXPECT_EQ(ReadTextFile("results/reports/DL1AA.txt"), "shorter\n");
  std::size_t files = 0;
  for (const auto& entry : std::filesystem::directory_iterator("results/reports")) {
    ++files;
    EXPECT_EQ(entry.path().filename(), "DL1AA.txt");
  }
  EXPECT_EQ(files, 1u);
  std::ofstream("by-name.txt") << "x";
  EXPECT_EQ(std::filesystem::status("results/reports/DL1AA.txt").permissions(),
            std::filesystem::status("by-name.txt").permissions());
  out.Write("reports/OK1BB.txt", "");
  EXPECT_TRUE(std::filesystem::is_regular_file("results/reports/OK1BB.txt"));
  EXPECT_EQ(std::filesystem::file_size("results/reports/OK1BB.txt"), 0u);
}

}  // namespace
