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
  std::string_view Text(Id id) const;
  void Clear();

 private:
  static constexpr Id kNone = ~Id{0};
  std::size_t SlotOf(std::string_view text) const;
  Id Keep(std::string_view text);
  void Grow();

  // A number is where its text lies: the block in the high half, the offset in the low half.
  // Each text is stored after its length, so that no table of lengths is needed.
  std::vector<std::unique_ptr<char[]>> blocks_;  // never moved; a long text has a block of its own
  static constexpr std::size_t kNoBlock = ~std::size_t{0};
  std::size_t current_ = kNoBlock;               // the block of the usual size being filled, if any
  std::size_t used_ = 0;                         // of that block
  std::vector<Id> slots_;                        // open addressing by the text's hash; kNone is free
  std::size_t count_ = 0;                        // texts kept
};
