// The part of a text a reader stands at. A text in memory is seen whole; a file is read a piece at
// a time and only the bytes from the reader's place on are kept, so that a long log, or a long
// field in one, costs a piece and what the reader looks ahead at, not the file.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "text_files.h"

// Bytes to seek, told by a table: a search of the set for each byte of the text would cost a call
// a byte.
class ByteSet {
 public:
  constexpr explicit ByteSet(std::string_view bytes) {
    for (char c : bytes) in_[static_cast<unsigned char>(c)] = true;
  }
  constexpr bool Has(char c) const { return in_[static_cast<unsigned char>(c)]; }

 private:
  std::array<bool, 256> in_{};
};

class TextWindow {
 public:
  static constexpr std::size_t npos = std::string_view::npos;

  // The text must outlive the window.
  explicit TextWindow(std::string_view text);
  // The file's bytes from `start` on (past a byte-order mark), read `piece` bytes at a time. The
  // file must outlive the window.
  TextWindow(InputFile& file, std::size_t start, std::size_t piece);
  TextWindow(const TextWindow&) = delete;
  TextWindow& operator=(const TextWindow&) = delete;

  // Offsets count from the text's start, in bytes.
  std::size_t size() const { return size_; }
  std::size_t pos() const { return pos_; }
  std::size_t line() const { return line_; }  // of pos(), from 1

  // Moves on to `to` (at most size()), counting the line ends passed; the bytes before it are let go.
  void MoveTo(std::size_t to) {
    if (to <= HeldEnd()) {
      CountLines(to);
    } else {
      MoveBeyond(to);
    }
  }
  // Moves on to the next `c` at or after pos(); at the end, false, when there is none.
  bool MoveToNext(char c);
  // Moves on to the next of `bytes` at or after pos(), or to the end.
  void MoveToFirstOf(const ByteSet& bytes);
  // The next of `bytes` at or after `from` (not before pos()), npos when none; the bytes up to it
  // are held, as the reader looks back at them.
  std::size_t FindFirstOf(const ByteSet& bytes, std::size_t from);
  // Up to `count` bytes from `from` (not before pos()), fewer at the end of the text; valid until
  // the window is next asked for bytes it does not hold.
  std::string_view View(std::size_t from, std::size_t count) {
    count = from < size_ ? std::min(count, size_ - from) : 0;
    if (from + count > HeldEnd()) Hold(from + count);
    return held_.substr(from - base_, count);
  }
  // Back to the text's start, line 1: a file is read again.
  void Rewind();

 private:
  std::size_t HeldEnd() const { return base_ + held_.size(); }
  // Moves on to `to`, which the window holds.
  void CountLines(std::size_t to) {
    line_ += static_cast<std::size_t>(std::count(held_.begin() + static_cast<std::ptrdiff_t>(pos_ - base_),
                                                 held_.begin() + static_cast<std::ptrdiff_t>(to - base_), '\n'));
    pos_ = to;
  }
  void MoveBeyond(std::size_t to);
  void Hold(std::size_t end);  // reads on until the window holds the bytes up to `end`
  // Lets the bytes before pos() go and reads the next piece; false when the text has no more.
  bool Fetch();

  InputFile* file_ = nullptr;  // none for a text in memory
  std::size_t start_ = 0;      // of the text in the file
  std::size_t piece_ = 0;
  std::size_t size_ = 0;
  std::string buffer_;     // a file's held bytes
  std::string_view held_;  // the bytes from base_ on: all of a text in memory, buffer_ for a file
  std::size_t base_ = 0;
  std::size_t pos_ = 0;
  std::size_t line_ = 1;
};
