// Taking a QSO into the log, or out of it, and the problem lines that intake reports.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "contest_log.h"
#include "contest_rules.h"

// The arguments of one logged QSO, as the host passes them.
struct QsoArgs {
  std::string_view ownCall;
  std::string_view call;
  COleDateTime time;
  std::uint32_t freqHz = 0;
  std::string_view mode;      // e.g. "BPSK63"
  std::string_view rstSent;
  std::string_view rstRcvd;
  std::string_view exchSent;  // e.g. "0012"
  std::string_view exchRcvd;
  std::string_view multKey;
  std::string_view dxcc;
  std::string_view continent;
  std::string_view band;      // e.g. "80m"
};

struct IntakeResult {
  bool stored = false;        // false: rejected for its mode or a missing exchange
  std::string problemLines;   // what goes into the problem file, CR LF included
};

// One problem file line in Cabrillo QSO order, ending in the verdict and CR LF.
std::string ProblemLine(const QsoArgs& qso, std::string_view verdict);

IntakeResult AddQso(Contest& contest, const QsoArgs& qso);

// Removes the first QSO with this call, band and time; the others keep their dupe flags.
void RemoveQso(Contest& contest, std::string_view call, std::string_view band, const COleDateTime& time);
