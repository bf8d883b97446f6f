// The file operations that need the system's own calls: a file created new and exclusively, and
// appends that go out in one write.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// A file created for writing under a name nothing had: it never opens an existing file, folder
// or link (a link is not followed, even one that points nowhere).
class NewFile {
 public:
  explicit NewFile(const std::string& path);
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;
  ~NewFile();

  // False when the name was taken or the file could not be created.
  explicit operator bool() const { return handle_ != kNone; }
  // Every byte, or false.
  bool Write(std::string_view bytes);
  // False when the file never opened or anything written did not reach it.
  bool Close();

 private:
  static constexpr std::intptr_t kNone = -1;
  std::intptr_t handle_ = kNone;  // a descriptor natively, a HANDLE on Windows
  bool failed_ = false;
};

// Appends the text in one write, creating the file when missing, so that writers in other
// threads and processes never land inside it. False when the file could not be opened or written.
bool AppendWhole(const std::string& path, std::string_view text);

// Empties the file (creating it when missing) and writes the text in one write. False on failure.
bool RestartWhole(const std::string& path, std::string_view text);
