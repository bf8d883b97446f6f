// The distinct texts of one contest, each kept once and named by a small number.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

// A long log repeats a few entities, bands, modes and reports over and over, and most calls
// more than once: a number a field costs four bytes where a string costs thirty-two.
class TextPool {
 public:
  using Id = std::uint32_t;

  // The text's number, the same for the same bytes; kept from now until Clear.
  Id Intern(std::string_view text);
  // The text's number when it is kept; asking never keeps it.
  std::optional<Id> Find(std::string_view text) const;
  // Valid until Clear: kept bytes never move.
  std::string_view Text(Id id) const { return texts_[id]; }
  std::size_t size() const { return texts_.size(); }
  void Clear();

 private:
  static constexpr Id kNone = ~Id{0};
  std::size_t SlotOf(std::string_view text) const;
  std::string_view Keep(std::string_view text);
  void Grow();

  std::vector<std::string_view> texts_;          // by number
  std::vector<Id> slots_;                        // open addressing by the text's hash; kNone is free
  std::vector<std::unique_ptr<char[]>> blocks_;  // the bytes, in blocks that are never moved
  char* free_ = nullptr;                         // in the newest block of the usual size
  std::size_t blockLeft_ = 0;
};
