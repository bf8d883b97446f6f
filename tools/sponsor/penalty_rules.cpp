// A QSO neither log confirms is lost; what only one side got wrong is lost by that side alone; a
// QSO the contest's rules do not count is lost whatever the other log says.
#include "penalty_rules.h"

bool Kept(Decision decision, const PenaltyRules& rules) {
  switch (decision) {
    case Decision::Confirmed:
    case Decision::NotSubmitted:
      return true;
    case Decision::Unique:
      return !rules.uniqueRemoved;
    case Decision::BandMismatch:
      return rules.bandMismatchKept;
    case Decision::WrongSerial:
      return rules.wrongSerialKept;
    case Decision::NotInLog:
    case Decision::BustedCall:
    case Decision::WrongMode:
    case Decision::WrongBand:
    case Decision::OutsidePeriod:
    case Decision::OffEntryBand:
      return false;
  }
  return false;
}

bool Penalised(Decision decision) { return decision == Decision::NotInLog || decision == Decision::BustedCall; }

std::string_view DecisionName(Decision decision) {
  switch (decision) {
    case Decision::Confirmed:
      return "confirmed";
    case Decision::NotInLog:
      return "not in log";
    case Decision::BustedCall:
      return "busted call";
    case Decision::WrongSerial:
      return "wrong serial received";
    case Decision::BandMismatch:
      return "band mismatch";
    case Decision::Unique:
      return "unique";
    case Decision::NotSubmitted:
      return "not submitted";
    case Decision::WrongMode:
      return "not the contest's mode";
    case Decision::WrongBand:
      return "not a contest band";
    case Decision::OutsidePeriod:
      return "outside the contest period";
    case Decision::OffEntryBand:
      return "not the entry's band";
  }
  return "";
}
