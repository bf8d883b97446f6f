// An ADIF file read as a contest log.
#pragma once

#include "log_types.h"
#include "text_window.h"

// Reads the text from its start, twice: once to count its records. With `take`, the QSOs go to it,
// once, and the log's list stays empty.
LogFile ReadAdifLog(TextWindow& text, const QsoTaker* take = nullptr);
