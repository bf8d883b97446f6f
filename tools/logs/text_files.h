// Whole files, bytes as they lie on disk: every tool's logs, country files and outputs.
#pragma once

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

// A file to read from any offset, as long as it was when opened: a log still being written is read
// as it stood. Throws std::runtime_error naming the file when it cannot be read or is no regular
// file (a pipe or a device is refused before it is opened).
class InputFile {
 public:
  explicit InputFile(const std::filesystem::path& file);

  std::size_t size() const { return size_; }
  // Exactly `count` bytes from `offset` into `out`; throws std::runtime_error naming the file when
  // it no longer holds them.
  void Read(std::size_t offset, char* out, std::size_t count);
  std::string Text();  // all of it

 private:
  std::filesystem::path path_;
  std::ifstream in_;
  std::size_t size_ = 0;
  std::size_t next_ = 0;  // where the stream stands: reading on from there needs no seek
};

// All of the file, refused as InputFile refuses it.
std::string ReadTextFile(const std::filesystem::path& file);

// Creates or truncates the file. Throws std::runtime_error naming the file when it cannot be
// written whole.
void WriteTextFile(const std::filesystem::path& file, std::string_view text);
