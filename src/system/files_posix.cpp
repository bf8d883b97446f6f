// The file operations on POSIX systems. A writer's new file carries an exclusive lock while it is
// open: another process's clean-up can tell it from one whose writer was killed.
#include "files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace {

// One write call; only a short write (a full disk) or a signal makes it continue.
bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

bool SameFile(const struct stat& a, const struct stat& b) { return a.st_dev == b.st_dev && a.st_ino == b.st_ino; }

}  // namespace

std::filesystem::path SystemPath(const std::string& bytes) { return bytes; }

// Read-only by its mode even for a caller the system lets write anyway (root): the owner made it so.
FileState StateOf(const std::filesystem::path& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return {errno == ENOENT ? FileState::kMissing : FileState::kOther};
  const unsigned permissions = st.st_mode & 0777;
  if (S_ISLNK(st.st_mode)) return {FileState::kLink, permissions};
  if (!S_ISREG(st.st_mode)) return {FileState::kOther, permissions};
  bool writable = (permissions & 0222) != 0 && ::access(path.c_str(), W_OK) == 0;
  return {writable ? FileState::kFile : FileState::kReadOnlyFile, permissions};
}

// The lock is taken without waiting: only a clean-up that is about to remove the name can hold
// it, and then the name is as good as taken.
NewFile::NewFile(const std::filesystem::path& path, const FileState& like) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) {
    taken_ = errno == EEXIST;
    return;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    taken_ = true;
    return;
  }
  handle_ = fd;
  if (like.kind == FileState::kFile && ::fchmod(fd, like.permissions) != 0) failed_ = true;
}

NewFile::~NewFile() { Close(); }

bool NewFile::Write(std::string_view bytes) {
  if (handle_ == kNone) return false;
  if (!WriteAll(static_cast<int>(handle_), bytes)) failed_ = true;
  return !failed_;
}

bool NewFile::Close() {
  if (handle_ == kNone) return false;
  if (::close(static_cast<int>(handle_)) != 0) failed_ = true;
  handle_ = kNone;
  return !failed_;
}

// A target in use can refuse the rename on some file systems (a share served by Windows, say).
MoveResult MoveOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (::rename(from.c_str(), to.c_str()) == 0) return MoveResult::kMoved;
  if (errno == ENOENT) return MoveResult::kSourceGone;
  if (errno == EBUSY || errno == ETXTBSY) return MoveResult::kTargetBusy;
  return MoveResult::kFailed;
}

bool WriteInPlace(const std::filesystem::path& path, std::span<const std::string_view> parts) {
  int fd = ::open(path.c_str(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  off_t size = 0;
  bool written = true;
  for (std::string_view part : parts) {
    written = written && WriteAll(fd, part);
    size += static_cast<off_t>(part.size());
  }
  written = written && ::ftruncate(fd, size) == 0;
  return ::close(fd) == 0 && written;
}

bool RemoveFile(const std::filesystem::path& path) { return ::unlink(path.c_str()) == 0; }

// The lock is the writer's: a file whose lock can be had has no writer left. The name must still
// be that file when it goes, or a new writer's file of the same name would be removed.
bool RemoveAbandoned(const std::filesystem::path& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat held {}, named {};
  bool abandoned = ::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
                   ::lstat(path.c_str(), &named) == 0 && SameFile(held, named);
  bool removed = abandoned && ::unlink(path.c_str()) == 0;
  ::close(fd);
  return removed;
}

bool AppendWhole(const std::filesystem::path& path, std::string_view text) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool written = WriteAll(fd, text);
  return ::close(fd) == 0 && written;
}
