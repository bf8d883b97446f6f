// A short text that many QSOs of a log hold alike (a band, a mode, an own call, a report, a
// continent): kept once for the whole run and held by a pointer, so that a long log costs a
// pointer a field and not a string.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

#include "text_table.h"

class SharedText {
 public:
  SharedText() : text_(&kNoText) {}  // empty
  // Keeps the text for the rest of the run: only bounded values (a log's reader cuts long ones
  // off first), never a whole line, which differs from QSO to QSO.
  explicit SharedText(std::string_view text) : text_(KeepText(text).text) {}

  const std::string& str() const { return *text_; }
  operator const std::string&() const { return *text_; }
  operator std::string_view() const { return *text_; }
  const char* c_str() const { return text_->c_str(); }
  bool empty() const { return text_->empty(); }
  std::size_t size() const { return text_->size(); }

  // The same text is the same object.
  friend bool operator==(const SharedText& a, const SharedText& b) { return a.text_ == b.text_; }
  friend bool operator==(const SharedText& a, std::string_view b) { return *a.text_ == b; }

  // Joined into a new text as a std::string would be.
  friend std::string operator+(const SharedText& a, std::string_view b) { return std::string(*a.text_).append(b); }
  friend std::string operator+(std::string_view a, const SharedText& b) { return std::string(a).append(*b.text_); }
  friend std::string operator+(const SharedText& a, const SharedText& b) { return *a.text_ + *b.text_; }

 private:
  const std::string* text_;
};

std::ostream& operator<<(std::ostream& out, const SharedText& text);
