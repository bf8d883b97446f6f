// Lines are written in blocks and read with pread, which keeps no position: forked workers
// share the descriptor and read as they need.
#include "qso_line_store.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace {

constexpr std::size_t kBlock = 1 << 20;

std::runtime_error Failure(const char* what) {
  return std::runtime_error(std::string("the scratch file of QSO lines ") + what + ": " + std::strerror(errno));
}

}  // namespace

QsoLineStore::QsoLineStore() {
  std::string name = (std::filesystem::temp_directory_path() / "stats-crosscheck-lines-XXXXXX").string();
  fd_ = ::mkstemp(name.data());
  if (fd_ < 0) throw Failure("cannot be made");
  ::unlink(name.c_str());
  buffer_.reserve(kBlock);
}

QsoLineStore::~QsoLineStore() { ::close(fd_); }

std::size_t QsoLineStore::Add(std::string_view text) {
  const std::size_t number = lengths_.size();
  if (number % kEvery == 0) starts_.push_back(flushed_ + buffer_.size());
  if (text.size() >= kLong) long_[number] = text.size();
  lengths_.push_back(static_cast<std::uint16_t>(std::min<std::size_t>(text.size(), kLong)));
  buffer_ += text;
  if (buffer_.size() >= kBlock) Flush();
  return number;
}

std::uint64_t QsoLineStore::LengthOf(std::size_t number) const {
  return lengths_[number] == kLong ? long_.at(number) : lengths_[number];
}

void QsoLineStore::Flush() {
  for (std::size_t done = 0; done < buffer_.size();) {
    const ssize_t n = ::pwrite(fd_, buffer_.data() + done, buffer_.size() - done, static_cast<off_t>(flushed_ + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw Failure("cannot be written");
    done += static_cast<std::size_t>(n);
  }
  flushed_ += buffer_.size();
  buffer_.clear();
}

std::string QsoLineStore::Text(std::size_t number) const {
  if (number >= lengths_.size()) throw std::out_of_range("no QSO line " + std::to_string(number) + " in the store");
  std::uint64_t from = starts_[number / kEvery];
  for (std::size_t before = number / kEvery * kEvery; before < number; ++before) from += LengthOf(before);
  const auto size = static_cast<std::size_t>(LengthOf(number));
  // A line lies whole in the file or whole in the buffer: the buffer is written after a line.
  if (from >= flushed_) return buffer_.substr(static_cast<std::size_t>(from - flushed_), size);
  std::string text(size, '\0');
  for (std::size_t done = 0; done < size;) {
    const ssize_t n = ::pread(fd_, text.data() + done, size - done, static_cast<off_t>(from + done));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) throw Failure("cannot be read");
    done += static_cast<std::size_t>(n);
  }
  return text;
}
