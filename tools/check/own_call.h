// The call a log is sent from, as its QSOs give it, and the call each QSO's own call is held against.
#pragma once

#include <cstddef>
#include <string>

#include "log_file.h"

struct LogOwnCall {
  std::string mostGiven;           // the own call most QSOs give, upper case; empty when none gives one
  std::size_t giving = 0;          // QSOs giving it
  std::size_t givingAny = 0;       // QSOs giving an own call at all
  std::string reference;           // what each QSO's own call must be: the CALLSIGN, unless most QSOs give another
  bool headerDisagrees = false;    // a Cabrillo CALLSIGN that most QSO lines contradict
};

LogOwnCall OwnCallOf(const LogFile& log);
