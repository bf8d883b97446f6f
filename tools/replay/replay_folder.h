// A replay where the plug-in writes its files: in the output folder, as its current folder.
#pragma once

#include <filesystem>
#include <vector>

#include "replay.h"

struct FolderReplay {
  ReplayResult result;
  std::vector<std::filesystem::path> written;  // absolute, sorted
};

// Creates the folder and its "Plugins" folder when missing and removes an old "err.txt", so that
// the same log replayed twice leaves the same files. The current folder is restored afterwards.
FolderReplay ReplayInFolder(const std::filesystem::path& folder, const StatsEntryPoints& plugin,
                            const ContestOpening& opening, std::vector<LogQso> qsos, const QsoObserver& observe = {});
