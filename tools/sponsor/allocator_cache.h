// The allocator's cache of freed pieces per thread, set larger for this program. Each scoring
// worker builds and drops the pieces of one log after another (its QSO lines parsed, its replay,
// its report), and with the cache's default of seven pieces a size most frees went to the shared
// free lists, which the next allocation then searched and merged: a tenth of the workers' time.
// The cache's size is read once, when a program starts, from GLIBC_TUNABLES only.
#pragma once

#include <optional>
#include <string>

// GLIBC_TUNABLES with the larger cache added to `current` (null when unset), or nothing when it
// already sets the cache's size: what the user chose stands, and the program is started again only
// once.
std::optional<std::string> TunablesWithLargerCache(const char* current);

// Starts this program again with the larger cache, with the same arguments, when it does not have
// it yet; returns when the start fails (the program then runs as it is).
void RestartWithLargerAllocatorCache(char** argv);
