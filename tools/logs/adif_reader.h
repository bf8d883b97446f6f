// ADIF's tagged text: records of named fields, each record closed by <EOR>.
#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "log_types.h"
#include "text_window.h"

struct AdifRecord {
  std::size_t line = 0;             // of its first field
  std::vector<std::string> values;  // of the wanted fields, in their order; empty when absent.
                                    // Copies: a file's text is let go while the record is read
  std::string cut;  // a wanted field whose length ends before its value does, told; empty when none
};

struct AdifFaults {
  std::vector<Problem> problems;
  std::size_t skipped = 0;  // records lost to a broken tag, a missing <EOR> or no fields at all
};

// No field of a QSO needs more than this many bytes; a record with a longer wanted field is
// skipped. The other fields are passed over unread, whatever their length.
inline constexpr std::size_t kLongestAdifValue = 255;

// Reads the text from its start and hands every complete record to `take` as soon as its <EOR> is
// read, with the values of the `wanted` fields (upper case names); nothing else of the record is
// kept. A record with a broken tag is dropped whole and reading goes on after its <EOR>.
AdifFaults ReadAdifRecords(TextWindow& text, std::span<const std::string_view> wanted,
                           const std::function<void(const AdifRecord&)>& take);
