// The one table of every text the tools keep for the run: each kept once, never moved, and
// numbered densely in the order it was first kept. SharedText holds a kept text by its address,
// the cross-check's InternedText by its number.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The empty text, number 0, not kept in the table: constant from the program's start, it costs
// the many empty fields of a QSO nothing.
inline const std::string kNoText;

struct KeptText {
  std::uint32_t number = 0;
  const std::string* text = &kNoText;
};

// The text as kept, keeping it first when it is new. Throws std::length_error past 2^32 texts.
KeptText KeepText(std::string_view text);
// The text a number names; `number` is one KeepText gave.
const std::string& KeptTextOf(std::uint32_t number);
// Every number KeepText gave is below it.
std::uint32_t KeptTextCount();
// Asks the memory for the place where the text is looked up, so that a caller keeping many texts
// in a row has them at hand: in a table of a contest's calls every look-up is a cache miss, and
// one after another they wait for each other.
void PrefetchText(std::string_view text);
