// ADIF field names and value forms, turned into the values the host passes.
#include "adif_log.h"

#include <algorithm>
#include <array>
#include <variant>

#include "adif_reader.h"
#include "calendar.h"
#include "contest_rules.h"
#include "host_form.h"

namespace {

// The fields a QSO is made of; the reader keeps nothing else of a record.
enum Field : std::size_t {
  kCall,
  kQsoDate,
  kTimeOn,
  kBand,
  kFreq,
  kMode,
  kSubmode,
  kRstSent,
  kRstRcvd,
  kStx,
  kStxString,
  kSrx,
  kSrxString,
  kStationCallsign,
  kOperator,
  kDxcc,
  kCont,
  kFieldCount
};
constexpr std::array<std::string_view, kFieldCount> kFieldNames = {
    "CALL", "QSO_DATE", "TIME_ON", "BAND", "FREQ", "MODE", "SUBMODE", "RST_SENT", "RST_RCVD",
    "STX",  "STX_STRING", "SRX", "SRX_STRING", "STATION_CALLSIGN", "OPERATOR", "DXCC", "CONT"};

std::string_view TrimmedView(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r'); };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return text;
}

std::string_view Value(const AdifRecord& record, Field field) { return TrimmedView(record.values[field]); }

// The first of the two fields that has a value.
std::string_view Either(const AdifRecord& record, Field field, Field alternative) {
  const std::string_view value = Value(record, field);
  return value.empty() ? Value(record, alternative) : value;
}

bool AllDigits(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int Number(std::string_view digits, std::size_t at, std::size_t count) {
  int n = 0;
  for (char c : digits.substr(at, count)) n = n * 10 + (c - '0');
  return n;
}

// "20250315" with "1203" or "120312", in the forms checked below.
CalendarTime CivilOf(std::string_view date, std::string_view time) {
  return {Number(date, 0, 4), Number(date, 4, 2), Number(date, 6, 2),
          Number(time, 0, 2), Number(time, 2, 2), time.size() == 6 ? Number(time, 4, 2) : 0};
}

bool IsDate(std::string_view date) { return date.size() == 8 && AllDigits(date) && HostDays(CivilOf(date, "0000")); }

bool IsTime(std::string_view time) {
  return (time.size() == 4 || time.size() == 6) && AllDigits(time) && HostDays(CivilOf("20000101", time));
}

// PSK63 is logged as MODE PSK with SUBMODE PSK63 (older files: MODE PSK63), or as BPSK63; the
// host knows it as the contest mode. Other modes go on under the narrowest name the log gives.
SharedText HostMode(std::string_view mode, std::string_view submode) {
  const std::string m = UpperCase(mode), s = UpperCase(submode);
  if ((m == "PSK" && (s == "PSK63" || s == "BPSK63")) || m == "BPSK63" || (m == "PSK63" && s.empty())) {
    return SharedText(kContestMode);
  }
  return SharedText(submode.empty() ? mode : submode);
}

std::uint8_t Padding(std::string_view host, std::string_view written) {
  return static_cast<std::uint8_t>(host.size() - written.size());
}

// The QSO, or why the record cannot be replayed. Oddities that still let it through go to `notes`.
std::variant<LogQso, std::string> QsoOfRecord(const AdifRecord& record, std::vector<Problem>& notes) {
  LogQso qso;
  qso.line = record.line;
  WrittenQso& written = qso.written;
  const std::string_view call = Value(record, kCall), freq = Value(record, kFreq);
  const std::string_view sent = Either(record, kStx, kStxString), rcvd = Either(record, kSrx, kSrxString);
  written.call = SharedText(call);
  written.ownCall = SharedText(Either(record, kStationCallsign, kOperator));
  qso.ownCallFromOperator = Value(record, kStationCallsign).empty() && !written.ownCall.empty();
  qso.valueCut = !record.cut.empty();
  written.freq = SharedText(freq);
  written.band = SharedText(Value(record, kBand));
  written.mode = SharedText(Value(record, kMode));
  written.submode = SharedText(Value(record, kSubmode));

  qso.call = SharedText(UpperCase(call));
  if (qso.call.empty()) return "no CALL";

  const std::string_view date = Value(record, kQsoDate), time = Value(record, kTimeOn);
  if (!IsDate(date)) return "QSO_DATE '" + std::string(date) + "' is no date (YYYYMMDD)";
  if (!IsTime(time)) return "TIME_ON '" + std::string(time) + "' is no time (HHMM or HHMMSS)";
  const int year = Number(date, 0, 4);
  if (year < kFirstLogYear || year > kLastLogYear) {
    return "QSO_DATE '" + std::string(date) + "' lies outside the years " + std::to_string(kFirstLogYear) + " to " +
           std::to_string(kLastLogYear) + ": a typo in the year";
  }
  qso.days = *HostDays(CivilOf(date, time));

  if (!freq.empty()) {
    const std::optional<std::uint32_t> hz = ScaledDecimal(freq, 6);
    if (!hz) return "FREQ '" + std::string(freq) + "' is no frequency in MHz";
    qso.freqHz = *hz;
  }
  std::string band = HostBandName(written.band.str());
  if (band.empty()) {
    if (freq.empty()) return "neither BAND nor FREQ";
    std::optional<std::string> onFrequency = AmateurBandOf(qso.freqHz);
    if (!onFrequency) return "FREQ " + std::string(freq) + " MHz is on no amateur band and BAND is missing";
    band = *onFrequency;
  }
  qso.band = SharedText(band);

  qso.mode = HostMode(written.mode.str(), written.submode.str());
  qso.rstSent = SharedText(Value(record, kRstSent));
  qso.rstRcvd = SharedText(Value(record, kRstRcvd));
  qso.exchSent = SerialExchange(sent);
  qso.sentPadding = Padding(qso.exchSent, sent);
  qso.exchRcvd = SerialExchange(rcvd);
  qso.rcvdPadding = Padding(qso.exchRcvd, rcvd);
  qso.ownCall = SharedText(UpperCase(written.ownCall.str()));
  qso.continent = SharedText(UpperCase(Value(record, kCont)));

  const std::string_view dxcc = Value(record, kDxcc);
  if (AllDigits(dxcc) && dxcc.size() <= 4) {
    qso.dxccNumber = Number(dxcc, 0, dxcc.size());
  } else if (!dxcc.empty()) {
    notes.push_back({record.line, "DXCC '" + std::string(dxcc) + "' is no entity number; the call sign decides"});
  }
  return qso;
}

// No fewer than the records taken, as each ends with one. A vector grown by doubling would, at its
// last growth, hold the QSOs one and a half times over. Counted in a pass of its own, as a file's
// text is not kept for the reading that follows.
std::size_t RecordEnds(TextWindow& text) {
  std::size_t ends = 0;
  for (text.Rewind(); text.MoveToNext('<'); text.MoveTo(text.pos() + 1)) {
    if (SameLetters(text.View(text.pos() + 1, 4), "EOR>")) ++ends;
  }
  return ends;
}

}  // namespace

LogFile ReadAdifLog(TextWindow& text, const QsoTaker* take) {
  LogFile log;
  if (!take) log.qsos.reserve(RecordEnds(text));
  AdifFaults faults = ReadAdifRecords(text, kFieldNames, [&log, take](const AdifRecord& record) {
    std::variant<LogQso, std::string> qso = QsoOfRecord(record, log.problems);
    if (auto* why = std::get_if<std::string>(&qso)) {
      ++log.skipped;
      // The cut value is likely why, and the fault to mend: one finding tells both.
      const std::string cut = record.cut.empty() ? "" : " (" + record.cut + ")";
      log.problems.push_back({record.line, "record skipped: " + *why + cut, ProblemKind::Skipped});
    } else {
      if (!record.cut.empty()) {
        log.problems.push_back({record.line, record.cut + "; the plug-in gets the shorter value", ProblemKind::Fault});
      }
      if (take) {
        (*take)(std::get<LogQso>(qso));
      } else {
        log.qsos.push_back(std::move(std::get<LogQso>(qso)));
      }
    }
  });
  log.skipped += faults.skipped;
  log.problems.insert(log.problems.end(), faults.problems.begin(), faults.problems.end());
  return log;
}
