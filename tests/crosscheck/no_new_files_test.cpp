// While the process is sealed nothing can be opened or created, what was open before still
// works, and afterwards files open as before, also when sealed twice over.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>

#include "no_new_files.h"
#include "test_files.h"

namespace {

int OpenForAppend(const std::filesystem::path& file) {
  return ::open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
}

TEST(NoNewFiles, NothingOpensInsideAndEverythingAfter) {
  const TempFolder temp;
  const int before = OpenForAppend(temp / "before.txt");
  ASSERT_GE(before, 0);
  {
    const NoNewFiles sealed;
    errno = 0;
    EXPECT_EQ(OpenForAppend(temp / "err.txt"), -1);
    EXPECT_EQ(errno, EMFILE);
    EXPECT_FALSE(std::filesystem::exists(temp / "err.txt"));
    EXPECT_FALSE(std::ofstream(temp / "settings.ini"));
    EXPECT_EQ(::write(before, "kept", 4), 4);
    {
      const NoNewFiles again;
      EXPECT_EQ(OpenForAppend(temp / "err.txt"), -1);
    }
    EXPECT_EQ(OpenForAppend(temp / "err.txt"), -1);
  }
  const int after = OpenForAppend(temp / "err.txt");
  EXPECT_GE(after, 0);
  ::close(after);
  ::close(before);
  EXPECT_EQ(FileBytes(temp / "before.txt"), "kept");
}

}  // namespace
