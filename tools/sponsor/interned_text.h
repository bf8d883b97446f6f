// A text kept once for the whole run and named by a number: the cross-check holds every QSO of a
// contest at once, and its calls, bands and serials repeat from QSO to QSO.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "text_table.h"

class InternedText {
 public:
  InternedText() = default;  // empty
  // Implicit, so that a QSO is still written with its texts.
  InternedText(std::string_view text) : id_(KeepText(text).number) {}
  InternedText(const std::string& text) : InternedText(std::string_view(text)) {}
  InternedText(const char* text) : InternedText(std::string_view(text)) {}

  const std::string& str() const { return KeptTextOf(id_); }
  operator const std::string&() const { return str(); }
  operator std::string_view() const { return str(); }
  bool empty() const { return id_ == 0; }
  // Numbers in the order the texts were first kept: dense, for tables indexed by text; every
  // one is below KeptTextCount().
  std::uint32_t id() const { return id_; }

  friend bool operator==(InternedText a, InternedText b) { return a.id_ == b.id_; }
  friend bool operator==(InternedText a, std::string_view b) { return a.str() == b; }
  friend bool operator==(InternedText a, const std::string& b) { return a.str() == b; }
  friend bool operator==(InternedText a, const char* b) { return a.str() == b; }

 private:
  std::uint32_t id_ = 0;
};
