// The file operations on POSIX systems.
#include "files.h"

#include <fcntl.h>
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

bool OpenAndWrite(const std::string& path, int flags, std::string_view text) {
  int fd = ::open(path.c_str(), flags | O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  bool written = WriteAll(fd, text);
  return ::close(fd) == 0 && written;
}

}  // namespace

NewFile::NewFile(const std::string& path) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd >= 0) handle_ = fd;
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

bool AppendWhole(const std::string& path, std::string_view text) { return OpenAndWrite(path, 0, text); }

// Appending after the truncation: a line another process appends in between comes before the
// text instead of being written over.
bool RestartWhole(const std::string& path, std::string_view text) { return OpenAndWrite(path, O_TRUNC, text); }
