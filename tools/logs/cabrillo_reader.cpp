// Cabrillo lines are "TAG: value". A QSO line of this contest reads
//   QSO: freq mo date time own-call rst nr call rst nr [transmitter]
// with the frequency in kHz and the contest mode's code "PM" for PSK63. Lines are read as views
// of the file's text: a line is copied only as far as a QSO or a header value needs it.
#include "cabrillo_reader.h"

#include <algorithm>
#include <array>
#include <variant>

#include "calendar.h"
#include "contest_rules.h"
#include "date_text.h"
#include "host_form.h"

namespace {

// No line of a Cabrillo log needs more: a QSO line of this contest has about 90 characters, a
// header line at most 75 after its tag. A longer one is not read, and only its start is kept.
constexpr std::size_t kLongestLine = 1024;
constexpr std::size_t kKeptOfALongLine = 60;

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

std::string_view TrimmedView(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// "599", "59", "579": readability 1 to 5, strength and tone 1 to 9.
bool LooksLikeRst(std::string_view f) {
  return (f.size() == 2 || f.size() == 3) && f[0] >= '1' && f[0] <= '5' &&
         std::all_of(f.begin() + 1, f.end(), [](char c) { return c >= '1' && c <= '9'; });
}

// A call has letters and digits; a serial only digits.
bool LooksLikeCall(std::string_view f) {
  return std::any_of(f.begin(), f.end(), IsLetter) && std::any_of(f.begin(), f.end(), IsDigit);
}

// "2026-02-01" and "1805"; a date outside the years a log may hold is none.
std::variant<double, std::string> DaysOf(std::string_view date, std::string_view time) {
  const std::variant<double, DateFault> days = ReadDateTime(date, time);
  if (const double* read = std::get_if<double>(&days)) return *read;
  const std::string written = "'" + std::string(date) + " " + std::string(time) + "'";
  if (std::get<DateFault>(days) == DateFault::Year) {
    return written + " lies outside the years " + std::to_string(kFirstLogYear) + " to " +
           std::to_string(kLastLogYear) + ": a typo in the year";
  }
  return written + " is no date and time (YYYY-MM-DD HHMM)";
}

// Why the frequency gives no band, saying the unit the line must use: "7.041" read as kHz lies on
// no band, but as MHz it is 7041 kHz.
std::string NoBandText(std::string_view freq, std::uint32_t hz) {
  const std::uint64_t asMegahertz = static_cast<std::uint64_t>(hz) * 1000;
  if (asMegahertz <= 0xFFFFFFFFu && AmateurBandOf(static_cast<std::uint32_t>(asMegahertz))) {
    return "frequency '" + std::string(freq) + "' is in MHz: QSO lines give it in kHz, " + std::to_string(hz);
  }
  return "frequency " + std::string(freq) + " kHz is on no amateur band";
}

// The text in upper case: `kept`, the text as written, when it is already, which it mostly is.
// Told from the line, not from the kept text, which lies elsewhere in memory.
SharedText InUpperCase(std::string_view written, const SharedText& kept) {
  if (std::none_of(written.begin(), written.end(), [](char c) { return c >= 'a' && c <= 'z'; })) return kept;
  return SharedText(UpperCase(written));
}

// The field's text kept as it was on the line before when it is the same, which a log's band, mode,
// own call and reports nearly always are: a text kept anew costs a hash and a look-up.
class LastText {
 public:
  const SharedText& Of(std::string_view text) {
    if (text != last_.str()) last_ = SharedText(text);
    return last_;
  }

 private:
  SharedText last_;
};

class LineReader {
 public:
  explicit LineReader(LogFile& log) : log_(log) {}

  void Take(std::size_t line, std::string_view raw) {
    if (ended_) {
      // Nothing after END-OF-LOG is part of the log: the first line is kept for the check to
      // tell once, the rest is not read.
      if (!afterEnd_ && !TrimmedView(raw).empty()) {
        log_.cabrilloLines.push_back({line, "", std::string(TrimmedView(raw).substr(0, kKeptOfALongLine))});
        afterEnd_ = true;
      }
      return;
    }
    const std::string_view content = TrimmedView(raw);
    if (content.empty()) return;
    if (content.size() > kLongestLine) {
      Finish();
      TooLong(line, content);
      return;
    }
    const std::size_t colon = content.find(':');
    if (colon == std::string_view::npos) {
      Finish();
      log_.cabrilloLines.push_back({line, "", std::string(content)});
      // "QSO 3582 PM ..." is a QSO line that lost its colon: a QSO the sponsor cannot read, whose
      // serial the lines after it still count on.
      if (SameLetters(content.substr(0, 4), "QSO ") || SameLetters(content.substr(0, 4), "QSO\t")) {
        return Skip(line, "the line starts with QSO but has no ':' after it; write 'QSO:'");
      }
      log_.problems.push_back({line, "a line without a tag is ignored", ProblemKind::Layout});
      return;
    }
    const std::string tag = UpperCase(TrimmedView(content.substr(0, colon)));
    const std::string_view value = TrimmedView(content.substr(colon + 1));
    log_.cabrilloLines.push_back({line, tag, tag == "QSO" ? "" : std::string(value)});
    if (tag == "QSO") return Queue(line, value, raw);
    Finish();
    if (tag == "CALLSIGN") {
      if (log_.ownCall.empty()) log_.ownCall = UpperCase(value);
    } else if (tag == "CATEGORY-TRANSMITTER") {
      twoTransmitters_ = SameLetters(value, "TWO");
    } else if (tag == "END-OF-LOG") {
      ended_ = true;
    } else if (tag == "X-QSO") {
      ++log_.skipped;
      log_.problems.push_back(
          {line, "X-QSO: excluded from the score by its operator, not replayed", ProblemKind::Excluded});
    }
  }

  // Takes the QSO lines still waiting.
  void Finish() {
    for (std::size_t i = 0; i < waiting_; ++i) Qso(waitingLines_[i]);
    waiting_ = 0;
  }

  bool ended() const { return ended_; }

 private:
  // A QSO line split into its fields, waiting to be taken.
  struct QsoLine {
    std::size_t line = 0;
    std::string_view raw;
    std::array<std::string_view, 11> f;
    std::size_t n = 0;  // fields, those past the 11th counted only
    bool tabs = false;
  };

  // QSO lines wait in a batch, their calls' places in the shared texts asked of the memory as
  // they come, so that the look-ups of a batch wait for the memory together and not one after
  // the other. Every other line takes the batch first, so that all is taken in file order.
  void Queue(std::size_t line, std::string_view value, std::string_view raw) {
    QsoLine& q = waitingLines_[waiting_++];
    q.line = line;
    q.raw = raw;
    q.n = 0;
    q.tabs = false;
    for (std::size_t at = 0; at < value.size();) {
      for (; at < value.size() && IsBlank(value[at]); ++at) q.tabs = q.tabs || value[at] == '\t';
      const std::size_t start = at;
      while (at < value.size() && !IsBlank(value[at])) ++at;
      if (at == start) continue;
      if (q.n < q.f.size()) q.f[q.n] = value.substr(start, at - start);
      ++q.n;
    }
    if (q.n > 7) PrefetchText(q.f[7]);
    if (waiting_ == waitingLines_.size()) Finish();
  }

  void TooLong(std::size_t line, std::string_view content) {
    const std::string start(content.substr(0, kKeptOfALongLine));
    const std::size_t colon = start.find(':');
    const std::string tag = colon == std::string::npos ? "" : UpperCase(TrimmedView(start.substr(0, colon)));
    log_.cabrilloLines.push_back({line, tag, tag == "QSO" ? "" : start});
    const std::string what = "the line is " + std::to_string(content.size()) +
                             " characters long; no line of a Cabrillo log needs more than " +
                             std::to_string(kLongestLine) + ", so it is not read";
    if (tag == "QSO") {
      ++log_.skipped;
      log_.problems.push_back({line, "QSO skipped: " + what, ProblemKind::Skipped});
    } else {
      log_.problems.push_back({line, what, ProblemKind::Layout});
    }
  }

  void Qso(const QsoLine& q) {
    const std::size_t line = q.line, n = q.n;
    const std::array<std::string_view, 11>& f = q.f;
    if (n < 9 || n > 11) {
      Skip(line, "QSO: line with " + std::to_string(n) +
                     " fields; this contest's have 10: freq mode date time own-call rst nr call rst nr");
      return;
    }

    std::string_view sentRst = f[5], sentNr = f[6], call = f[7], rcvdRst = f[8], rcvdNr = n > 9 ? f[9] : "";
    std::string fault;
    if (n == 9) {
      // One field is missing: the call tells on which side, the field that is left whether it is
      // the report or the number.
      if (LooksLikeCall(f[6]) && !LooksLikeCall(f[7])) {
        call = f[6], rcvdRst = f[7], rcvdNr = f[8];
        if (LooksLikeRst(f[5])) {
          sentNr = "";
        } else {
          sentRst = "", sentNr = f[5];
          fault = "no sent RST before the sent serial " + std::string(sentNr) +
                  ": the line has 9 fields, this contest's have 10; write 599 " + std::string(sentNr);
        }
      } else if (!LooksLikeRst(f[8])) {
        rcvdRst = "", rcvdNr = f[8];
        fault = "no received RST before the received exchange " + std::string(rcvdNr) +
                ": the line has 9 fields, this contest's have 10; write 599 " + std::string(rcvdNr);
      }
    } else if (n == 11 && !(twoTransmitters_ && (f[10] == "0" || f[10] == "1"))) {
      fault = "an 11th field '" + std::string(f[10]) +
              "' after the received exchange: this contest's QSO lines have 10 (an 11th, the transmitter 0 or 1, "
              "only with CATEGORY-TRANSMITTER: TWO); remove it";
    }
    if (q.tabs && fault.empty()) {
      fault = "the fields are separated by tabs: the sponsor's robot splits QSO lines at spaces; write spaces";
    }

    LogQso qso;
    qso.line = line;
    WrittenQso& written = qso.written;
    written.freq = freq_.Of(f[0]);
    written.mode = mode_.Of(f[1]);
    written.ownCall = ownCall_.Of(f[4]);
    written.call = SharedText(call);
    // For the QSO's later readers (the check, the plan): the kept text lies elsewhere in memory.
    __builtin_prefetch(&written.call.str());
    written.text = q.raw;

    const std::optional<std::uint32_t> hz = ScaledDecimal(f[0], 3);
    if (!hz) return Skip(line, "frequency '" + std::string(f[0]) + "' is no figure in kHz");
    qso.freqHz = *hz;
    const std::string_view band = AmateurBandName(qso.freqHz);
    if (band.empty()) return Skip(line, NoBandText(f[0], qso.freqHz));
    qso.band = band_.Of(band);

    // Each field is kept once: the texts as read are mostly the upper-case ones already, and
    // keeping a text costs a hash and a look-up, ten times a line.
    static const SharedText contestMode(kContestMode);
    qso.mode = SameLetters(f[1], kCabrilloModeCode) ? contestMode : written.mode;
    std::variant<double, std::string> days = DaysOf(f[2], f[3]);
    if (auto* why = std::get_if<std::string>(&days)) return Skip(line, *why);
    qso.days = std::get<double>(days);
    qso.ownCall = InUpperCase(f[4], written.ownCall);
    qso.rstSent = rstSent_.Of(sentRst);
    qso.exchSent = SerialExchange(sentNr);
    qso.sentPadding = static_cast<std::uint8_t>(qso.exchSent.size() - sentNr.size());
    qso.call = InUpperCase(call, written.call);
    qso.rstRcvd = rstRcvd_.Of(rcvdRst);
    qso.exchRcvd = SerialExchange(rcvdNr);
    qso.rcvdPadding = static_cast<std::uint8_t>(qso.exchRcvd.size() - rcvdNr.size());
    if (!fault.empty()) log_.problems.push_back({line, fault, ProblemKind::Fault});
    log_.qsos.push_back(std::move(qso));
  }

  void Skip(std::size_t line, const std::string& why) {
    ++log_.skipped;
    log_.problems.push_back({line, "QSO skipped: " + why, ProblemKind::Skipped});
  }

  LogFile& log_;
  bool ended_ = false, afterEnd_ = false;
  bool twoTransmitters_ = false;
  LastText freq_, mode_, ownCall_, band_, rstSent_, rstRcvd_;
  std::array<QsoLine, 16> waitingLines_;
  std::size_t waiting_ = 0;
};

}  // namespace

LogFile ReadCabrilloLog(std::string_view text) {
  LogFile log;
  log.format = LogFormat::Cabrillo;
  LineReader reader(log);
  std::size_t line = 0;
  for (std::size_t from = 0; from < text.size();) {
    ++line;
    std::size_t end = text.find('\n', from);
    if (end == std::string_view::npos) end = text.size();
    std::string_view raw = text.substr(from, end - from);
    if (raw.ends_with('\r')) raw.remove_suffix(1);
    from = end + 1;
    reader.Take(line, raw);
  }
  reader.Finish();
  if (!reader.ended()) {
    log.problems.push_back({line, "no END-OF-LOG: line; the file may be cut short", ProblemKind::Layout});
  }
  return log;
}
