// An ADIF file read as a contest log.
#pragma once

#include <string_view>

#include "log_types.h"

LogFile ReadAdifLog(std::string_view text);
