// An ADIF file read as a contest log.
#pragma once

#include "log_types.h"
#include "text_window.h"

// Reads the text from its start, twice: once to count its records.
LogFile ReadAdifLog(TextWindow& text);
