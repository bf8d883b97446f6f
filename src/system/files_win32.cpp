// The file operations on Windows, all through the wide-character calls on one converted name. A
// writer's new file is opened without sharing: nobody else can open or remove it while it is open.
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

}  // namespace

// The file functions' own conversion: the ANSI code page unless the host switched them to OEM.
// Every byte converts to some character, so the name is never refused here.
std::filesystem::path SystemPath(const std::string& bytes) {
  const UINT codePage = AreFileApisANSI() ? CP_ACP : CP_OEMCP;
  const int size = static_cast<int>(bytes.size());
  std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0)), L'\0');
  MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), static_cast<int>(wide.size()));
  return std::filesystem::path(std::move(wide));
}

// Links are not looked into: the settings file, where one is usual, goes through the platform's
// profile functions, which write through links.
FileState StateOf(const std::filesystem::path& path) {
  DWORD attributes = GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    DWORD error = GetLastError();
    bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
    return {missing ? FileState::kMissing : FileState::kOther};
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return {FileState::kOther};
  return {(attributes & FILE_ATTRIBUTE_READONLY) ? FileState::kReadOnlyFile : FileState::kFile};
}

// CREATE_NEW fails for any existing name, a link included, and never opens its target. The new
// file takes the folder's permissions, as the old one did.
NewFile::NewFile(const std::filesystem::path& path, const FileState&) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    handle_ = reinterpret_cast<std::intptr_t>(file);
  } else {
    DWORD error = GetLastError();
    taken_ = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
  }
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

// A target open in another program without delete sharing (a viewer, even one sharing reading
// and writing) cannot be replaced: the system answers "access denied" or a sharing violation.
MoveResult MoveOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING)) return MoveResult::kMoved;
  switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
      return MoveResult::kSourceGone;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
      return MoveResult::kTargetBusy;
    default:
      return MoveResult::kFailed;
  }
}

// Shared for reading and writing, as the C runtime opens files, so that the program holding the
// file keeps it.
bool WriteInPlace(const std::filesystem::path& path, std::span<const std::string_view> parts) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool written = true;
  for (std::string_view part : parts) written = written && WriteAll(file, part);
  written = written && SetEndOfFile(file);
  return CloseHandle(file) && written;
}

bool RemoveFile(const std::filesystem::path& path) { return DeleteFileW(path.c_str()) != 0; }

// A writer's file open without sharing refuses the removal.
bool RemoveAbandoned(const std::filesystem::path& path) { return DeleteFileW(path.c_str()) != 0; }

// Append-only access: the system puts every write at the end of the file.
bool AppendWhole(const std::filesystem::path& path, std::string_view text) {
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool written = WriteAll(file, text);
  return CloseHandle(file) && written;
}
