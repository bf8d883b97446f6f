// A results file written as it is made: whole, block after block, or the file before it kept.
#include "output_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
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

}  // namespace
