// The process's current folder, which is where the plug-in writes its files, as the host's
// current folder is for it: moved into while this object lives, the earlier one restored after.
#pragma once

#include <filesystem>

class WorkingFolder {
 public:
  // Moves into the folder, creating it when missing. Throws std::filesystem::filesystem_error.
  explicit WorkingFolder(const std::filesystem::path& folder);
  // Moves into a new folder of its own below the system's temporary folder, removed with
  // everything in it at the end.
  struct Scratch {};
  explicit WorkingFolder(Scratch);
  ~WorkingFolder();
  WorkingFolder(const WorkingFolder&) = delete;
  WorkingFolder& operator=(const WorkingFolder&) = delete;

  const std::filesystem::path& path() const { return folder_; }  // absolute, links resolved

 private:
  std::filesystem::path previous_, folder_;
  bool scratch_ = false;
};
