// ADIF field names and value forms, turned into the values the host passes.
#include "adif_log.h"

#include <algorithm>
#include <variant>

#include "adif_reader.h"
#include "contest_rules.h"
#include "host_form.h"

namespace {

std::string Field(const AdifRecord& record, const char* name) {
  auto it = record.fields.find(name);
  return it == record.fields.end() ? std::string() : Trimmed(it->second);
}

// The first of the two fields that has a value.
std::string Either(const AdifRecord& record, const char* name, const char* alternative) {
  std::string value = Field(record, name);
  return value.empty() ? Field(record, alternative) : value;
}

bool AllDigits(const std::string& text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int Number(const std::string& digits, std::size_t at, std::size_t count) { return std::stoi(digits.substr(at, count)); }

// "20250315" with "1203" or "120312", in the forms checked below.
CalendarTime CivilOf(const std::string& date, const std::string& time) {
  return {Number(date, 0, 4), Number(date, 4, 2), Number(date, 6, 2),
          Number(time, 0, 2), Number(time, 2, 2), time.size() == 6 ? Number(time, 4, 2) : 0};
}

bool IsDate(const std::string& date) { return date.size() == 8 && AllDigits(date) && HostDays(CivilOf(date, "0000")); }

bool IsTime(const std::string& time) {
  return (time.size() == 4 || time.size() == 6) && AllDigits(time) && HostDays(CivilOf("20000101", time));
}

// PSK63 is logged as MODE PSK with SUBMODE PSK63 (older files: MODE PSK63), or as BPSK63; the
// host knows it as the contest mode. Other modes go on under the narrowest name the log gives.
std::string HostMode(const std::string& mode, const std::string& submode) {
  const std::string m = UpperCase(mode), s = UpperCase(submode);
  if ((m == "PSK" && (s == "PSK63" || s == "BPSK63")) || m == "BPSK63" || (m == "PSK63" && s.empty())) {
    return std::string(kContestMode);
  }
  return submode.empty() ? mode : submode;
}

// The QSO, or why the record cannot be replayed. Oddities that still let it through go to `notes`.
std::variant<LogQso, std::string> QsoOfRecord(const AdifRecord& record, std::vector<Problem>& notes) {
  LogQso qso;
  qso.line = record.line;
  WrittenQso& written = qso.written;
  written.call = Field(record, "CALL");
  written.ownCall = Either(record, "STATION_CALLSIGN", "OPERATOR");
  written.freq = Field(record, "FREQ");
  written.band = Field(record, "BAND");
  written.mode = Field(record, "MODE");
  written.submode = Field(record, "SUBMODE");
  written.exchSent = Either(record, "STX", "STX_STRING");
  written.exchRcvd = Either(record, "SRX", "SRX_STRING");

  qso.call = UpperCase(written.call);
  if (qso.call.empty()) return "no CALL";

  const std::string date = Field(record, "QSO_DATE"), time = Field(record, "TIME_ON");
  if (!IsDate(date)) return "QSO_DATE '" + date + "' is no date (YYYYMMDD)";
  if (!IsTime(time)) return "TIME_ON '" + time + "' is no time (HHMM or HHMMSS)";
  qso.days = *HostDays(CivilOf(date, time));

  const std::string& freq = written.freq;
  if (!freq.empty()) {
    const std::optional<std::uint32_t> hz = ScaledDecimal(freq, 6);
    if (!hz) return "FREQ '" + freq + "' is no frequency in MHz";
    qso.freqHz = *hz;
  }
  qso.band = HostBandName(written.band);
  if (qso.band.empty()) {
    if (freq.empty()) return "neither BAND nor FREQ";
    std::optional<std::string> band = AmateurBandOf(qso.freqHz);
    if (!band) return "FREQ " + freq + " MHz is on no amateur band and BAND is missing";
    qso.band = *band;
  }

  qso.mode = HostMode(written.mode, written.submode);
  qso.rstSent = Field(record, "RST_SENT");
  qso.rstRcvd = Field(record, "RST_RCVD");
  qso.exchSent = SerialExchange(written.exchSent);
  qso.exchRcvd = SerialExchange(written.exchRcvd);
  qso.ownCall = UpperCase(written.ownCall);
  qso.continent = UpperCase(Field(record, "CONT"));

  const std::string dxcc = Field(record, "DXCC");
  if (AllDigits(dxcc) && dxcc.size() <= 4) {
    qso.dxccNumber = std::stoi(dxcc);
  } else if (!dxcc.empty()) {
    notes.push_back({record.line, "DXCC '" + dxcc + "' is no entity number; the call sign decides"});
  }
  return qso;
}

}  // namespace

LogFile ReadAdifLog(std::string_view text) {
  LogFile log;
  AdifFaults faults = ReadAdifRecords(text, [&log](const AdifRecord& record) {
    std::variant<LogQso, std::string> qso = QsoOfRecord(record, log.problems);
    if (auto* why = std::get_if<std::string>(&qso)) {
      ++log.skipped;
      log.problems.push_back({record.line, "record skipped: " + *why, ProblemKind::Skipped});
    } else {
      log.qsos.push_back(std::move(std::get<LogQso>(qso)));
    }
  });
  log.skipped += faults.skipped;
  log.problems.insert(log.problems.end(), faults.problems.begin(), faults.problems.end());
  return log;
}
