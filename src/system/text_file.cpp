// Files are written in binary mode: every line already carries its CR LF.
#include "text_file.h"

#include <atomic>
#include <filesystem>
#include <mutex>
#include <random>

#include "files.h"

namespace {

// Orders a restart against the appends of other threads: between its truncation and its text
// an append would otherwise come first.
std::mutex& AppendLock() {
  static std::mutex lock;
  return lock;
}

// A name beside `path` that no other writer, in this process or another, is likely to pick; one
// that is taken all the same is never opened.
std::string TemporaryName(const std::string& path) {
  static const std::string processPart = std::to_string(std::random_device()());
  static std::atomic<unsigned long long> counter = 0;
  return path + "." + processPart + "-" + std::to_string(++counter) + ".tmp";
}

}  // namespace

bool AppendToFile(const std::string& path, std::string_view text) {
  std::lock_guard guard(AppendLock());
  return AppendWhole(path, text);
}

bool RestartFile(const std::string& path, std::string_view text) {
  std::lock_guard guard(AppendLock());
  return RestartWhole(path, text);
}

bool ReplaceFile(const std::string& path, std::string_view text) {
  constexpr int kTries = 8;
  for (int attempt = 0; attempt < kTries; ++attempt) {
    const std::string temporary = TemporaryName(path);
    NewFile file(temporary);
    if (!file) {
      // Only a name someone else holds is worth another try; a missing folder is not.
      std::error_code error;
      if (!std::filesystem::exists(std::filesystem::symlink_status(temporary, error))) return false;
      continue;
    }
    bool written = file.Write(text);
    written = file.Close() && written;
    std::error_code error;
    if (written) std::filesystem::rename(temporary, path, error);
    if (!written || error) {
      std::filesystem::remove(temporary, error);
      return false;
    }
    return true;
  }
  return false;
}
