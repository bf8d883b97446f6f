// Names carry the test and a count, so that the same test run twice at once, or two processes
// of one suite, never share a folder.
#include "test_files.h"

#include <unistd.h>

#include <atomic>

namespace fs = std::filesystem;

TempFolder::TempFolder() {
  static std::atomic<unsigned> count = 0;
  const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = test ? std::string(test->test_suite_name()) + "-" + test->name() : std::string("suite");
  for (char& c : name) {
    if (c == '/') c = '_';
  }
  path_ = fs::temp_directory_path() /
          ("stats-" + name + "-" + std::to_string(::getpid()) + "-" + std::to_string(++count));
  fs::remove_all(path_);
  fs::create_directories(path_);
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

void InTempFolder::SetUp() {
  folder_.emplace();
  fs::create_directories(folder_->path() / "Plugins");
  previous_ = fs::current_path();
  fs::current_path(folder_->path());
}

void InTempFolder::TearDown() {
  fs::current_path(previous_);
  folder_.reset();
}
