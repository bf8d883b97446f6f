// ADIF's tagged text: records of named fields, each record closed by <EOR>.
#pragma once

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "log_types.h"

struct AdifRecord {
  std::size_t line = 0;                       // of its first field
  std::map<std::string, std::string> fields;  // names in upper case
};

struct AdifFaults {
  std::vector<Problem> problems;
  std::size_t skipped = 0;  // records lost to a broken tag, a missing <EOR> or no fields at all
};

// Hands every complete record to `take` as soon as its <EOR> is read, so that a long log is never
// held as fields and as QSOs at once. A record with a broken tag is dropped whole and reading
// goes on after its <EOR>.
AdifFaults ReadAdifRecords(std::string_view text, const std::function<void(const AdifRecord&)>& take);
