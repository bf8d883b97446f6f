// Reading a contest log: the reader a file needs, told from its content.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>

#include "log_types.h"

// A Cabrillo file when a Cabrillo tag line ("START-OF-LOG:", "QSO:", any tag the format knows)
// comes before any ADIF field or <EOH>; an ADIF file when one of those comes first. A file with
// neither, or with nothing in it, is LogFormat::Unknown, told by one problem.
LogFile ParseLogText(std::string_view text);

// What a file is read in: a few of them beside a long log's QSOs.
inline constexpr std::size_t kLogFilePiece = std::size_t{1} << 20;

// The same log as ParseLogText of the file's text. An ADIF file is read `piece` bytes at a time
// and its text is never held whole. Throws std::runtime_error when the file cannot be read.
LogFile ReadLogFile(const std::filesystem::path& path, std::size_t piece = kLogFilePiece);
