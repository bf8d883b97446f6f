// The sent serials as a sequence: one number per QSO, counting up by one in time order.
#pragma once

#include <vector>

#include "finding.h"
#include "log_file.h"

void CheckSentSerials(const LogFile& log, std::vector<Finding>& out);
