// The QSO lines of every log read, in a scratch file instead of memory: a report quotes a few
// lines of any log, and a contest's lines together would take more memory than all else.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

class QsoLineStore {
 public:
  // The file is removed from its folder at once: it goes with the process, however that ends.
  // Throws std::runtime_error when no scratch file can be made.
  QsoLineStore();
  ~QsoLineStore();
  QsoLineStore(const QsoLineStore&) = delete;
  QsoLineStore& operator=(const QsoLineStore&) = delete;

  // Keeps a line; returns its number, counted from 0 in the order kept. Throws std::runtime_error
  // when the scratch file cannot be written.
  std::size_t Add(std::string_view text);
  // Safe in processes forked after the lines were kept. Throws std::runtime_error when the
  // scratch file cannot be read.
  std::string Text(std::size_t number) const;
  std::size_t size() const { return lengths_.size(); }

 private:
  void Flush();
  std::uint64_t LengthOf(std::size_t number) const;

  // Ten million lines for the largest contests: a length of two bytes a line, and where every
  // kEvery-th line starts, in place of where each one starts (eight bytes a line).
  static constexpr std::size_t kEvery = 64;
  static constexpr std::uint16_t kLong = 0xFFFF;

  int fd_ = -1;
  std::vector<std::uint16_t> lengths_;        // by line; kLong: the length is in long_
  std::map<std::size_t, std::uint64_t> long_;  // by line: the lengths of kLong bytes and more
  std::vector<std::uint64_t> starts_;         // of every kEvery-th line, in the file (and the buffer after it)
  std::uint64_t flushed_ = 0;                 // bytes in the file; the rest are in buffer_
  std::string buffer_;
};
