// Each test runs in a fresh folder of its own, holding an empty "Plugins" folder, as the host's
// current folder: the module's files land there.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class InTempFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::temp_directory_path() /
           (std::string("stats-") + test->test_suite_name() + "-" + test->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_ / "Plugins");
    previous_ = std::filesystem::current_path();
    std::filesystem::current_path(dir_);
  }
  void TearDown() override {
    std::filesystem::current_path(previous_);
    std::filesystem::remove_all(dir_);
  }

 private:
  std::filesystem::path dir_, previous_;
};

inline std::string Slurp(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}
