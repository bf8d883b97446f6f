// Reading a contest log: the reader a file needs, told from its content.
#pragma once

#include <filesystem>
#include <string_view>

#include "log_types.h"

// A Cabrillo file when a Cabrillo tag line ("START-OF-LOG:", "QSO:", any tag the format knows)
// comes before any ADIF field or <EOH>; an ADIF file when one of those comes first. A file with
// neither, or with nothing in it, is LogFormat::Unknown, told by one problem.
LogFile ParseLogText(std::string_view text);

// Throws std::runtime_error when the file cannot be read.
LogFile ReadLogFile(const std::filesystem::path& path);
