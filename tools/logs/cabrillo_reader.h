// A Cabrillo 3.0 file of this contest read as a contest log.
#pragma once

#include <string_view>

#include "log_types.h"

LogFile ReadCabrilloLog(std::string_view text);
