// The header of a Cabrillo file: which tags it has, in which order, and their values.
#pragma once

#include <optional>
#include <vector>

#include "finding.h"
#include "log_file.h"

// `score`: the plug-in's score of the log, which CLAIMED-SCORE must state; nothing: not compared.
void CheckCabrilloHeader(const LogFile& log, std::optional<long long> score, std::vector<Finding>& out);
