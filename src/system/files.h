// The file operations that need the system's own calls, on names in the system's own form: a file
// created new and exclusively, its rename over another, a rewrite in place, removals, and appends
// that go out in one write.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

// The name as the system's calls take it, converted from the host's bytes once: natively the bytes
// themselves; on Windows wide characters through the code page the file functions use. Every call
// below takes this form, so that a file is created, renamed and removed under one name whatever
// the code page and whatever the bytes.
std::filesystem::path SystemPath(const std::string& bytes);

// What a name is, links not followed.
struct FileState {
  enum Kind { kMissing, kFile, kReadOnlyFile, kLink, kOther } kind = kMissing;
  unsigned permissions = 0;  // natively the mode's permission bits, e.g. 0600
};
FileState StateOf(const std::filesystem::path& path);

// A file created for writing under a name nothing had: it never opens an existing file, folder
// or link (a link is not followed, even one that points nowhere). While it is open, no other
// writer takes it for abandoned.
class NewFile {
 public:
  // The file gets the permissions of `like` when that is a file.
  NewFile(const std::filesystem::path& path, const FileState& like);
  NewFile(const NewFile&) = delete;
  NewFile& operator=(const NewFile&) = delete;
  ~NewFile();

  // False when the name was taken or the file could not be created.
  explicit operator bool() const { return handle_ != kNone; }
  // The creation failed because something had the name already.
  bool Taken() const { return taken_; }
  // Every byte, or false.
  bool Write(std::string_view bytes);
  // False when the file never opened or anything written did not reach it.
  bool Close();

 private:
  static constexpr std::intptr_t kNone = -1;
  std::intptr_t handle_ = kNone;  // a descriptor natively, a HANDLE on Windows
  bool taken_ = false;
  bool failed_ = false;
};

enum class MoveResult {
  kMoved,
  kTargetBusy,  // another program holds the target open so that it cannot be replaced
  kSourceGone,  // another writer removed the source, taking it for abandoned
  kFailed,
};
// Renames `from` over `to` in the same folder.
MoveResult MoveOver(const std::filesystem::path& from, const std::filesystem::path& to);

// Rewrites an existing file from its start with the parts one after the other and cuts it after
// them. False unless every byte and the new end reached it.
bool WriteInPlace(const std::filesystem::path& path, std::span<const std::string_view> parts);

bool RemoveFile(const std::filesystem::path& path);
// Removes a file only when no writer holds it (a NewFile still open), e.g. one a killed writer
// left. False when it was kept or could not be removed.
bool RemoveAbandoned(const std::filesystem::path& path);

// Appends the text in one write, creating the file when missing, so that writers in other
// threads and processes never land inside it. False when the file could not be opened or written.
bool AppendWhole(const std::filesystem::path& path, std::string_view text);
