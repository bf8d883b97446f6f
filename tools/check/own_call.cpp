// One typo in CALLSIGN is one fault, told at the header line, not a fault on every QSO line: when
// more than half the QSO lines agree on an own call other than the CALLSIGN, theirs is the
// reference and the header is at fault.
#include "own_call.h"

#include <unordered_map>

LogOwnCall OwnCallOf(const LogFile& log) {
  LogOwnCall own;
  std::unordered_map<std::string, std::size_t> counts;
  for (const LogQso& q : log.qsos) {
    if (q.ownCall.empty()) continue;
    ++own.givingAny;
    const std::size_t n = ++counts[q.ownCall.str()];
    if (n > own.giving || (n == own.giving && q.ownCall.str() < own.mostGiven)) {
      own.giving = n;
      own.mostGiven = q.ownCall.str();
    }
  }
  own.reference = log.ownCall;
  if (own.reference.empty() || (own.mostGiven != log.ownCall && own.giving * 2 > own.givingAny)) {
    own.headerDisagrees = !own.reference.empty();
    own.reference = own.mostGiven;
  }
  return own;
}
