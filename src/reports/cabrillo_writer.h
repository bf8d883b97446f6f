// The Cabrillo 3.0 file of a report run, byte for byte.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "cabrillo_log.h"
#include "ole_date_time.h"
#include "host_program.h"

inline constexpr std::string_view kHostProgramName = "Ravix";

// One "QSO:" line, the own call taken from the header, appended to the log's lines.
void AppendQsoLine(CabrilloLog& log, std::string_view call, std::uint32_t freqKHz, std::string_view mode,
                   const COleDateTime& time, std::string_view rstSent, std::string_view exchSent,
                   std::string_view rstRcvd, std::string_view exchRcvd);

// The whole file: header, QSO lines, END-OF-LOG.
std::string CabrilloText(const CabrilloLog& log, const std::optional<FileVersion>& hostVersion);

// Writes fileBase + ".cbr" in the current folder through a new temporary file beside it, so an
// earlier good file is never left half written. Answers the operator's message: "File produced: NAME" or,
// when the file could not be written, "File not produced: NAME". The QSO lines are used up, each
// piece let go once copied, so that a long contest's lines and its file's text are not held
// twice over; the next summary makes them afresh.
std::string WriteCabrilloFile(CabrilloLog& log, HostProgram& hostProgram);
