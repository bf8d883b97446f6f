// The lines the plug-in appends to its problem file, read while it writes them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

class ProblemFileTail {
 public:
  explicit ProblemFileTail(std::filesystem::path file) : file_(std::move(file)) {}

  // The whole lines added since the last call, without their CR LF; none while the file is
  // missing or unreadable.
  std::vector<std::string> NewLines();

 private:
  std::filesystem::path file_;
  std::uintmax_t read_ = 0;  // bytes taken as whole lines so far
};
