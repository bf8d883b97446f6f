// What every test that touches files shares: a fresh folder of its own, the folder as the current
// one (the host's current folder is where the plug-in writes), and a file's bytes.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "file_bytes.h"

// A new folder below the system's temporary folder, named after the running test and made unique
// by the process, removed with everything in it at the end.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  std::filesystem::path operator/(const std::filesystem::path& name) const { return path_ / name; }
  const std::filesystem::path& path() const { return path_; }

 private:
  std::filesystem::path path_;
};

// Each test runs in a fresh folder holding an empty "Plugins" folder, as the host's current
// folder: the module's files land there.
class InTempFolder : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  const std::filesystem::path& folder() const { return folder_->path(); }

 private:
  std::optional<TempFolder> folder_;
  std::filesystem::path previous_;
};
