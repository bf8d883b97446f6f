// Cabrillo lines: fixed header tags, QSO lines in the log checker's column layout.
#include "cabrillo_writer.h"

#include <vector>

#include "contest_rules.h"
#include "line_text.h"
#include "text_file.h"

namespace {

// printf's "%-Ns" and "%Ns": a width is a minimum, never a cut.
std::string Left(std::string_view text, std::size_t width) {
  std::string out(text);
  if (out.size() < width) out.append(width - out.size(), ' ');
  return out;
}

std::string Right(std::string_view text, std::size_t width) {
  std::string out(text.size() < width ? width - text.size() : 0, ' ');
  return out.append(text);
}

std::string HostVersionText(const FileVersion& v) {
  std::string text = std::to_string(v.major) + "." + std::to_string(v.minor);
  return v.major == 2 ? text : text + "." + std::to_string(v.build);
}

// The dialog's forms made into tagged lines: every line break of the soapbox and every "<CR>"
// of the address starts a new line with the same tag; "<LF>" is dropped. Only these markers
// break a line: other control characters are made harmless first.
std::string TaggedLines(std::string_view tag, std::string_view markedText) {
  std::string breakAndTag = "\r\n";
  breakAndTag += tag;
  return ReplaceAll(ReplaceAll(OnOneLine(markedText), "<CR>", breakAndTag), "<LF>", "");
}

}  // namespace

void AppendQsoLine(CabrilloLog& log, std::string_view call, std::uint32_t freqKHz, std::string_view mode,
                   const COleDateTime& time, std::string_view rstSent, std::string_view exchSent,
                   std::string_view rstRcvd, std::string_view exchRcvd) {
  // The frequency is printed as a signed number, as the format always did.
  std::string line = "QSO: " + Right(std::to_string(static_cast<std::int32_t>(freqKHz)), 5);
  line += " " + Right(OnOneLine(mode), 2);
  line += " " + FormatDateTime(time, "%Y-%m-%d %H%M");
  line += " " + Left(OnOneLine(log.header.callsign), 13);
  line += " " + Left(OnOneLine(rstSent), 3);
  line += " " + Left(OnOneLine(exchSent), 6);
  line += " " + Left(OnOneLine(call), 13);
  line += " " + Left(OnOneLine(rstRcvd), 3);
  line += " ";
  line += OnOneLine(exchRcvd);
  line += "\r\n";
  log.qsoLines.push_back(line);
}

namespace {

// The lines before the QSO lines.
std::string HeaderText(const CabrilloLog& log, const std::optional<FileVersion>& hostVersion) {
  const CabrilloHeaderFields& h = log.header;
  std::string text = "START-OF-LOG: 3.0\r\nCONTEST: ";
  text.append(kContestName).append("\r\n");
  auto line = [&text](std::string_view tag, std::string_view value) {
    text.append(tag).append(OnOneLine(value)).append("\r\n");
  };
  auto taggedLines = [&text](std::string_view tag, std::string_view markedText) {
    text.append(tag).append(TaggedLines(tag, markedText)).append("\r\n");
  };
  line("CALLSIGN: ", h.callsign);
  line("CATEGORY-OPERATOR: ", h.categoryOperator);
  line("CATEGORY-BAND: ", h.categoryBand);
  line("CREATED-BY: Ravix ", hostVersion ? HostVersionText(*hostVersion) : "");
  line("NAME: ", h.name);
  taggedLines("ADDRESS: ", h.address);
  line("ADDRESS-CITY: ", h.addressCity);
  line("ADDRESS-POSTALCODE: ", h.addressPostalCode);
  line("ADDRESS-COUNTRY: ", h.addressCountry);
  line("OPERATORS: ", h.operators);
  line("EMAIL: ", h.email);
  taggedLines("SOAPBOX: ", EncodeSoapbox(h.soapbox));
  return text;
}

constexpr std::string_view kEndOfLog = "END-OF-LOG:\r\n";

}  // namespace

std::string CabrilloText(const CabrilloLog& log, const std::optional<FileVersion>& hostVersion) {
  std::string text = HeaderText(log, hostVersion);
  text.reserve(text.size() + log.qsoLines.bytes() + kEndOfLog.size());
  for (const std::string& piece : log.qsoLines.pieces()) text += piece;
  text += kEndOfLog;
  return text;
}

// The file is written from the header, the line pieces and END-OF-LOG as they lie: a copy of a
// long log's lines in one text would double them at the end of the contest, when memory is at its
// highest. The lines are let go once they are in the file.
std::string WriteCabrilloFile(CabrilloLog& log, HostProgram& hostProgram) {
  const std::string name = log.fileBase + std::string(kCabrilloExtension);
  const std::string header = HeaderText(log, hostProgram.FindVersion(std::string(kHostProgramName)));
  std::vector<std::string_view> parts{header};
  for (const std::string& piece : log.qsoLines.pieces()) parts.emplace_back(piece);
  parts.emplace_back(kEndOfLog);
  const bool written = ReplaceFile(name, parts);
  log.qsoLines.clear();
  if (!written) return "File not produced: " + name;
  return "File produced: " + name;
}
