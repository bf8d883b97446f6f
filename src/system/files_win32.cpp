// The file operations on Windows, where the C runtime has no exclusive-create mode.
#include "files.h"

#include <windows.h>

namespace {

HANDLE AsHandle(std::intptr_t handle) { return reinterpret_cast<HANDLE>(handle); }

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) || written == 0) {
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

// Shared for reading and writing, as the C runtime opens files.
bool OpenAndWrite(const std::string& path, DWORD access, DWORD disposition, std::string_view text) {
  HANDLE file = CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool written = WriteAll(file, text);
  return CloseHandle(file) && written;
}

}  // namespace

// CREATE_NEW fails for any existing name, a link included, and never opens its target.
NewFile::NewFile(const std::string& path) {
  HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) handle_ = reinterpret_cast<std::intptr_t>(file);
}

NewFile::~NewFile() { Close(); }

bool NewFile::Write(std::string_view bytes) {
  if (handle_ == kNone) return false;
  if (!WriteAll(AsHandle(handle_), bytes)) failed_ = true;
  return !failed_;
}

bool NewFile::Close() {
  if (handle_ == kNone) return false;
  if (!CloseHandle(AsHandle(handle_))) failed_ = true;
  handle_ = kNone;
  return !failed_;
}

// Append-only access: the system puts every write at the end of the file.
bool AppendWhole(const std::string& path, std::string_view text) {
  return OpenAndWrite(path, FILE_APPEND_DATA, OPEN_ALWAYS, text);
}

bool RestartWhole(const std::string& path, std::string_view text) {
  return OpenAndWrite(path, GENERIC_WRITE, CREATE_ALWAYS, text);
}
