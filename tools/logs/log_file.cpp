// The format is taken from the first line that shows one, never from the absence of a marker: a
// Cabrillo log with a line of text before START-OF-LOG, or without it, is still a Cabrillo log,
// and a file that is neither is told so rather than read as an empty log of the other kind.
#include "log_file.h"

#include <algorithm>
#include <string>

#include "adif_log.h"
#include "cabrillo_reader.h"
#include "cabrillo_tags.h"
#include "host_form.h"
#include "text_decoding.h"
#include "text_files.h"
#include "text_window.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsNameChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// The tag of a line "CALLSIGN: ..." or "X-LOGGER: ...": one the format knows, or a program's own;
// empty for any other line.
std::string CabrilloTagOf(std::string_view line) {
  while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
  const std::size_t colon = line.find(':');
  if (colon == std::string_view::npos || colon == 0 || colon > 32) return {};
  std::string tag = UpperCase(line.substr(0, colon));
  const bool own = tag.starts_with("X-") && tag.size() > 2 &&
                   std::all_of(tag.begin(), tag.end(), [](char c) { return IsNameChar(c) || c == '-'; });
  return cabrillo::RuleOf(tag) || own ? tag : std::string();
}

// "<EOH>", "<EOR>" or a field with its length, "<CALL:6>".
bool HasAdifTag(std::string_view line) {
  for (std::size_t at = line.find('<'); at != std::string_view::npos; at = line.find('<', at + 1)) {
    const std::string_view rest = line.substr(at + 1);
    if (SameLetters(rest.substr(0, 4), "EOH>") || SameLetters(rest.substr(0, 4), "EOR>")) return true;
    std::size_t i = 0;
    while (i < rest.size() && IsNameChar(rest[i])) ++i;
    if (i == 0 || i >= rest.size() || rest[i] != ':') continue;
    std::size_t digits = ++i;
    while (i < rest.size() && rest[i] >= '0' && rest[i] <= '9') ++i;
    if (i > digits && i < rest.size() && (rest[i] == '>' || rest[i] == ':')) return true;
  }
  return false;
}

// An ADIF header is free text and may hold a line such as "Contest: ..."; a log's own lines
// (START-OF-LOG, QSO) are not mistaken that way.
LogFormat FormatOf(std::string_view text) {
  bool headerTag = false;
  for (std::size_t from = 0; from < text.size();) {
    std::size_t end = text.find('\n', from);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = text.substr(from, end - from);
    from = end + 1;
    const std::string tag = CabrilloTagOf(line);
    if (tag == "START-OF-LOG" || tag == "QSO" || tag == "X-QSO" || tag == "END-OF-LOG") return LogFormat::Cabrillo;
    if (!tag.empty()) {
      headerTag = true;
    } else if (HasAdifTag(line)) {
      return LogFormat::Adif;
    }
  }
  return headerTag ? LogFormat::Cabrillo : LogFormat::Unknown;
}

LogFile Unreadable(std::string_view text) {
  LogFile log;
  log.format = LogFormat::Unknown;
  const bool empty = std::all_of(text.begin(), text.end(), IsBlank);
  log.problems.push_back({1,
                          empty ? "the file is empty: there is no log in it"
                                : "the file is neither a Cabrillo log (no tag line such as START-OF-LOG: or QSO:) "
                                  "nor an ADIF log (no field such as <CALL:6>, no <EOH>): nothing in it can be read",
                          ProblemKind::Unreadable});
  return log;
}

// What every log gets once read, whatever read it.
LogFile Finished(LogFile log, bool byteOrderMark) {
  // A robot that reads a Cabrillo file as ASCII sees three bytes before the first tag; the
  // plug-in writes its own Cabrillo file from an ADIF log, so there it does no harm.
  if (byteOrderMark && log.format == LogFormat::Cabrillo) {
    log.problems.push_back({1,
                            "the file starts with a UTF-8 byte-order mark (bytes EF BB BF): the sponsor's robot reads "
                            "it as part of the first tag; save the log as plain text without it",
                            ProblemKind::Fault});
  } else if (byteOrderMark && log.format == LogFormat::Adif) {
    log.problems.push_back(
        {1, "the file starts with a UTF-8 byte-order mark; harmless here, as the plug-in writes its own Cabrillo file",
         ProblemKind::Oddity});
  }
  std::stable_sort(log.problems.begin(), log.problems.end(),
                   [](const Problem& a, const Problem& b) { return a.line < b.line; });
  return log;
}

// DecodedText turns CR line ends into LF only in a file without any LF, which only the whole file
// tells; a file with an LF in its start, as nearly every log has, is not read on for it.
bool EndsLinesWithCrAlone(InputFile& file, std::string_view start) {
  if (start.find('\n') != std::string_view::npos) return false;
  TextWindow text(file, 0, kLogFilePiece);
  if (text.MoveToNext('\n')) return false;
  text.Rewind();
  return text.MoveToNext('\r');
}

// An ADIF file is told from its start: FormatOf stops at the first line that shows a format, one
// of the first few in a file a logger writes. Its last line may go on past the start and show ADIF
// all the same, as an ADIF tag in part of a line is one in all of it, and a '<' before the line's
// first colon leaves it no Cabrillo tag. The 512 bytes that tell UTF-16 lie in the start too.
constexpr std::size_t kFormatStart = std::size_t{64} << 10;

}  // namespace

LogFile ParseLogText(std::string_view text) {
  const DecodedText decoded(text);
  text = decoded.view();
  const bool byteOrderMark = text.starts_with(kByteOrderMark);
  if (byteOrderMark) text.remove_prefix(kByteOrderMark.size());
  LogFile log;
  switch (FormatOf(text)) {
    case LogFormat::Cabrillo:
      log = ReadCabrilloLog(text);
      break;
    case LogFormat::Adif: {
      TextWindow window(text);
      log = ReadAdifLog(window);
      break;
    }
    case LogFormat::Unknown:
      log = Unreadable(text);
      break;
  }
  return Finished(std::move(log), byteOrderMark);
}

namespace {

// ReadLogFile, the QSOs to `take` when one is given.
LogFile ReadFile(const std::filesystem::path& path, std::size_t piece, const QsoTaker* take) {
  InputFile file(path);
  std::string start(std::min(file.size(), kFormatStart), '\0');
  file.Read(0, start.data(), start.size());
  const bool byteOrderMark = start.starts_with(kByteOrderMark);
  const std::size_t textStart = byteOrderMark ? kByteOrderMark.size() : 0;
  if (EncodingOf(start) == TextEncoding::Utf8 &&
      FormatOf(std::string_view(start).substr(textStart)) == LogFormat::Adif && !EndsLinesWithCrAlone(file, start)) {
    TextWindow text(file, textStart, piece);
    return Finished(ReadAdifLog(text, take), byteOrderMark);
  }
  // A Cabrillo log is read from its lines as a whole, and a UTF-16 or CR-only file is decoded as a
  // whole text first; a file whose start shows no format (a header longer than any logger writes,
  // a first line longer than the start) may be either, or neither.
  LogFile log = ParseLogText(file.Text());
  if (take) {
    for (const LogQso& qso : log.qsos) (*take)(qso);
    std::vector<LogQso>().swap(log.qsos);
  }
  return log;
}

}  // namespace

LogFile ReadLogFile(const std::filesystem::path& path, std::size_t piece) { return ReadFile(path, piece, nullptr); }

void ReadLogQsos(const std::filesystem::path& path, const QsoTaker& take) { ReadFile(path, kLogFilePiece, &take); }

FileStamp StampOf(const std::filesystem::path& path, std::error_code& error) {
  FileStamp stamp{std::filesystem::file_size(path, error), {}};
  if (!error) stamp.written = std::filesystem::last_write_time(path, error);
  return error ? FileStamp{} : stamp;
}

FileStamp StampOf(const std::filesystem::path& path) {
  std::error_code error;
  return StampOf(path, error);
}

void ExpectUnchanged(const std::filesystem::path& file, const FileStamp& read, std::string_view change, bool same) {
  if (!same || StampOf(file) != read) throw std::runtime_error(file.string() + ": " + std::string(change));
}
