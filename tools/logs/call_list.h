// A check-partial list of active contest calls (MASTER.SCP): one call a line, "#" comments.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_set>

class CallList {
 public:
  // Throws std::runtime_error when the file cannot be read.
  static CallList Load(const std::filesystem::path& file);
  static CallList Parse(std::string_view text);

  // The call, or the part of it that names the station ("OK1XYZ" of "OK1XYZ/P" or "DL/OK1XYZ").
  bool Knows(std::string_view call) const;
  std::size_t size() const { return calls_.size(); }

 private:
  std::unordered_set<std::string> calls_;
};
