// Cabrillo lines are "TAG: value". A QSO line of this contest reads
//   QSO: freq mo date time own-call rst nr call rst nr [transmitter]
// with the frequency in kHz and the contest mode's code "PM" for PSK63.
#include "cabrillo_reader.h"

#include <algorithm>
#include <sstream>
#include <variant>
#include <vector>

#include "contest_rules.h"
#include "host_form.h"

namespace {

bool Digits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int Number(std::string_view text) { return std::stoi(std::string(text)); }

// "2026-02-01" and "1805".
std::optional<double> DaysOf(std::string_view date, std::string_view time) {
  if (date.size() != 10 || date[4] != '-' || date[7] != '-' || time.size() != 4) return std::nullopt;
  const std::string_view y = date.substr(0, 4), m = date.substr(5, 2), d = date.substr(8, 2);
  if (!Digits(y) || !Digits(m) || !Digits(d) || !Digits(time)) return std::nullopt;
  return HostDays({Number(y), Number(m), Number(d), Number(time.substr(0, 2)), Number(time.substr(2, 2)), 0});
}

std::variant<LogQso, std::string> QsoOfLine(std::size_t line, std::string_view value, std::string_view text) {
  std::vector<std::string> f;
  std::istringstream words{std::string(value)};
  for (std::string word; words >> word;) f.push_back(word);
  if (f.size() < 9 || f.size() > 11) {
    return "QSO: line with " + std::to_string(f.size()) +
           " fields; this contest's have 10: freq mode date time own-call rst nr call rst nr";
  }

  LogQso qso;
  qso.line = line;
  WrittenQso& written = qso.written;
  written.freq = f[0];
  written.mode = f[1];
  written.ownCall = f[4];
  written.exchSent = f[6];
  written.call = f[7];
  if (f.size() > 9) written.exchRcvd = f[9];
  written.text = text;

  const std::optional<std::uint32_t> hz = ScaledDecimal(f[0], 3);
  if (!hz) return "frequency '" + f[0] + "' is no figure in kHz";
  qso.freqHz = *hz;
  std::optional<std::string> band = AmateurBandOf(qso.freqHz);
  if (!band) return "frequency " + f[0] + " kHz is on no amateur band";
  qso.band = *band;

  qso.mode = SameLetters(f[1], kCabrilloModeCode) ? std::string(kContestMode) : f[1];
  const std::optional<double> days = DaysOf(f[2], f[3]);
  if (!days) return "'" + f[2] + " " + f[3] + "' is no date and time (YYYY-MM-DD HHMM)";
  qso.days = *days;
  qso.ownCall = UpperCase(f[4]);
  qso.rstSent = f[5];
  qso.exchSent = SerialExchange(f[6]);
  qso.call = UpperCase(f[7]);
  qso.rstRcvd = f[8];
  if (f.size() > 9) qso.exchRcvd = SerialExchange(f[9]);
  return qso;
}

}  // namespace

LogFile ReadCabrilloLog(std::string_view text) {
  LogFile log;
  log.format = LogFormat::Cabrillo;
  bool ended = false;
  std::size_t line = 0;
  for (std::size_t from = 0; from < text.size();) {
    ++line;
    std::size_t end = text.find('\n', from);
    if (end == std::string_view::npos) end = text.size();
    std::string_view raw = text.substr(from, end - from);
    if (raw.ends_with('\r')) raw.remove_suffix(1);
    const std::string content = Trimmed(raw);
    from = end + 1;
    if (content.empty()) continue;

    const std::size_t colon = content.find(':');
    const std::string tag = UpperCase(content.substr(0, colon));
    const std::string value = colon == std::string::npos ? "" : Trimmed(content.substr(colon + 1));
    if (colon == std::string::npos) {
      log.cabrilloLines.push_back({line, "", content});
      log.problems.push_back({line, "a line without a tag is ignored", ProblemKind::Layout});
      continue;
    }
    log.cabrilloLines.push_back({line, tag, tag == "QSO" ? "" : value});
    if (tag == "CALLSIGN") {
      log.ownCall = UpperCase(value);
    } else if (tag == "END-OF-LOG") {
      ended = true;
    } else if (tag == "X-QSO") {
      ++log.skipped;
      log.problems.push_back({line, "X-QSO: excluded from the score by its operator, not replayed", ProblemKind::Excluded});
    } else if (tag == "QSO") {
      std::variant<LogQso, std::string> qso = QsoOfLine(line, value, raw);
      if (auto* why = std::get_if<std::string>(&qso)) {
        ++log.skipped;
        log.problems.push_back({line, "QSO skipped: " + *why, ProblemKind::Skipped});
      } else {
        log.qsos.push_back(std::move(std::get<LogQso>(qso)));
      }
    }
  }
  if (!ended) log.problems.push_back({line, "no END-OF-LOG: line; the file may be cut short", ProblemKind::Layout});
  return log;
}
