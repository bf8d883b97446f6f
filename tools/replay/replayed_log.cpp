// A line that is not a QSO's (the title a reset writes) belongs to no QSO and is left out.
#include "replayed_log.h"

void ReplayRecorder::Take(const LogQso& qso, QsoFate fate) {
  ReplayedQso& replayed =
      log_.qsos.emplace_back(ReplayedQso{qso.line, qso.days, qso.call, qso.band, qso.dxcc, qso.continent, fate, {}});
  for (std::string& line : problems_.NewLines()) {
    if (line.starts_with("QSO:")) replayed.problemLines.push_back(std::move(line));
  }
}
