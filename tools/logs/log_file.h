// Reading a contest log: the reader a file needs, told from its content.
#pragma once

#include <filesystem>
#include <string_view>

#include "log_types.h"

// An ADIF file, or a Cabrillo file when the text starts with "START-OF-LOG:".
LogFile ParseLogText(std::string_view text);

// Throws std::runtime_error when the file cannot be read.
LogFile ReadLogFile(const std::filesystem::path& path);
