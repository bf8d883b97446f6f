// A text kept once for the whole run and named by a number: the cross-check holds every QSO of a
// contest at once, and its calls, bands and serials repeat from QSO to QSO.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class InternedText {
 public:
  InternedText() = default;  // empty
  // Implicit, so that a QSO is still written with its texts.
  InternedText(std::string_view text);
  InternedText(const std::string& text) : InternedText(std::string_view(text)) {}
  InternedText(const char* text) : InternedText(std::string_view(text)) {}
  // Asks the memory for the place where the text is looked up, so that a caller keeping many
  // texts in a row has them at hand: in a table of a contest's calls each look-up is a cache miss.
  static void Prefetch(std::string_view text);

  const std::string& str() const;
  operator const std::string&() const { return str(); }
  operator std::string_view() const { return str(); }
  bool empty() const { return id_ == 0; }
  // Numbers in the order the texts were first kept: dense, for tables indexed by text.
  std::uint32_t id() const { return id_; }

  friend bool operator==(InternedText a, InternedText b) { return a.id_ == b.id_; }
  friend bool operator==(InternedText a, std::string_view b) { return a.str() == b; }
  friend bool operator==(InternedText a, const std::string& b) { return a.str() == b; }
  friend bool operator==(InternedText a, const char* b) { return a.str() == b; }

 private:
  std::uint32_t id_ = 0;
};

// How many texts are kept: every id() is below it.
std::uint32_t InternedTextCount();
