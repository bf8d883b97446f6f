// QSO intake: the band is listed first, then mode and exchange are judged, then dupes flagged.
#include "qso_intake.h"

#include <algorithm>

#include "line_text.h"

std::string ProblemLine(const QsoArgs& qso, std::string_view verdict) {
  constexpr std::string_view gap = "  ";
  std::string line = "QSO:  ";
  line += std::to_string(qso.freqHz / 1000);
  // The host's texts may hold anything; a line break in one would forge a line of its own.
  line.append(gap).append(OnOneLine(qso.mode));
  line.append(gap).append(FormatDateTime(qso.time, "%Y-%m-%d %H%M"));
  for (std::string_view field : {qso.ownCall, qso.rstSent, qso.exchSent, qso.call, qso.rstRcvd, qso.exchRcvd}) {
    line.append(gap).append(OnOneLine(field));
  }
  line.append(verdict).append("\r\n");
  return line;
}

namespace {

CInfo RecordOf(const QsoArgs& qso) {
  return {qso.call,    qso.dxcc,    qso.multKey,  qso.continent, qso.band, qso.mode, qso.rstRcvd,
          qso.rstSent, qso.exchRcvd, qso.exchSent, qso.freqHz / 1000, 0,       qso.time};
}

}  // namespace

IntakeResult AddQso(Contest& contest, const QsoArgs& qso) {
  // Bands of rejected QSOs are listed too: the summary shows them with zeros.
  auto& bands = contest.BandList;
  if (std::find(bands.begin(), bands.end(), qso.band) == bands.end()) bands.emplace_back(qso.band);

  IntakeResult result;
  if (qso.mode != kContestMode) {
    result.problemLines = ProblemLine(qso, kVerdictNoContestMode);
    return result;
  }
  if (qso.exchRcvd.empty() || qso.exchSent.empty()) {
    result.problemLines = ProblemLine(qso, kVerdictNoRxNumber);
    return result;
  }

  CInfo record = RecordOf(qso);
  // One DUPE line for every earlier QSO with this call on this band, not just the first.
  std::size_t earlier = contest.Log.CountCallOnBand(qso.call, qso.band);
  if (earlier != 0) {
    record.Dupe = 1;
    std::string line = ProblemLine(qso, kVerdictDupe);
    result.problemLines.reserve(line.size() * earlier);
    for (std::size_t i = 0; i < earlier; ++i) result.problemLines += line;
  }
  contest.Log.Append(record);
  result.stored = true;
  return result;
}

void RemoveQso(Contest& contest, std::string_view call, std::string_view band, const COleDateTime& time) {
  contest.Log.RemoveFirst(call, band, time);
}
