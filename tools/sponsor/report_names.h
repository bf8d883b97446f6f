// The file names of the per-station reports: one for every call, whatever the call holds.
#pragma once

#include <string>
#include <vector>

// The call's file base (as the plug-in names its Cabrillo file: "/" and "\" become "_"), cut to
// 64 bytes, with a leading "." made "_" so that no name is hidden; a name already taken
// (compared without case, as Windows and macOS do) gets "-2", "-3", ... Names are given in the
// order of the calls.
std::vector<std::string> ReportNames(const std::vector<std::string>& calls);
