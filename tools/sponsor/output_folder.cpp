// The list names files relative to the folder; a line that would lead outside it (an absolute
// path, "..") or to anything but a regular file is never acted on.
#include "output_folder.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <stdexcept>

#include "text_files.h"

namespace fs = std::filesystem;

OutputFolder::OutputFolder(fs::path folder) : folder_(std::move(folder)) { fs::create_directories(folder_); }

namespace {

class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }

 private:
  int fd_;
};

// A new file is written unnamed in its folder and then linked in under its name: no reader sees
// part of it, as with a rename, and the folder is locked only while the name is added. Made by
// name, the file's inode is allocated under the folder's lock, and two workers writing reports
// into one folder each spun on the other's. False when the name is taken or the system makes no
// unnamed files (the caller writes beside the file and renames); throws when the text cannot be
// written.
bool LinkedWhole(const fs::path& target, std::string_view text) {
  const Descriptor file(::open(target.parent_path().c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666));
  if (file.get() < 0) return false;
  for (std::size_t done = 0; done < text.size();) {
    const ssize_t n = ::write(file.get(), text.data() + done, text.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw std::runtime_error(target.string() + ": cannot be written whole");
    done += static_cast<std::size_t>(n);
  }
  const std::string self = "/proc/self/fd/" + std::to_string(file.get());
  if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, target.c_str(), AT_SYMLINK_FOLLOW) == 0) return true;
  if (errno == EEXIST || errno == ENOENT) return false;  // ENOENT: no /proc to link from
  throw std::runtime_error(target.string() + ": cannot be written: " + std::strerror(errno));
}

}  // namespace

void OutputFolder::Write(const fs::path& name, std::string_view text) {
  const fs::path target = folder_ / name;
  fs::create_directories(target.parent_path());
  if (LinkedWhole(target, text)) {
    written_.insert(name.generic_string());
    return;
  }
  Replace(name, [&](const fs::path& temporary) { WriteTextFile(temporary, text); });
}

void OutputFolder::Write(const fs::path& name, const std::function<void(std::ostream&)>& fill) {
  Replace(name, [&](const fs::path& temporary) {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (out) fill(out);
    out.close();
    if (!out) throw std::runtime_error(temporary.string() + ": cannot be written whole");
  });
}

void OutputFolder::Replace(const fs::path& name, const std::function<void(const fs::path&)>& write) {
  const fs::path target = folder_ / name;
  fs::create_directories(target.parent_path());
  const fs::path temporary = target.string() + ".new";
  std::error_code error;
  try {
    write(temporary);
  } catch (...) {
    fs::remove(temporary, error);  // half a file is no result
    throw;
  }
  fs::rename(temporary, target, error);
  if (error) {
    fs::remove(temporary, error);
    throw std::runtime_error(target.string() + ": cannot be written");
  }
  written_.insert(name.generic_string());
}

void OutputFolder::Finish() {
  const fs::path list = folder_ / kListName;
  std::string before;
  try {
    before = ReadTextFile(list);
  } catch (const std::exception&) {
  }
  for (std::size_t from = 0; from < before.size();) {
    const std::size_t end = std::min(before.find('\n', from), before.size());
    const fs::path name(before.substr(from, end - from));
    from = end + 1;
    const std::string text = name.generic_string();
    if (text.empty() || name.is_absolute() || text.find("..") != std::string::npos || written_.count(text)) continue;
    std::error_code error;
    if (fs::is_regular_file(fs::symlink_status(folder_ / name, error))) fs::remove(folder_ / name, error);
  }
  std::string now;
  for (const std::string& name : written_) now += name + "\n";
  WriteTextFile(list, now);
}
