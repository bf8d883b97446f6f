// Which files a run wrote is told by their write times: the plug-in's messages about them go to
// the operator, not to the host.
#include "replay_folder.h"

#include <algorithm>
#include <chrono>
#include <map>
#include <thread>

namespace fs = std::filesystem;

namespace {

class CurrentFolder {
 public:
  explicit CurrentFolder(const fs::path& folder) : previous_(fs::current_path()) { fs::current_path(folder); }
  ~CurrentFolder() {
    std::error_code ignored;
    fs::current_path(previous_, ignored);
  }
  CurrentFolder(const CurrentFolder&) = delete;
  CurrentFolder& operator=(const CurrentFolder&) = delete;

 private:
  fs::path previous_;
};

// The files the plug-in may write: those of the folder and of its "Plugins" folder.
using Snapshot = std::map<fs::path, fs::file_time_type>;

Snapshot Take(const fs::path& folder) {
  Snapshot files;
  for (const fs::path& dir : {folder, folder / "Plugins"}) {
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir, error)) {
      if (entry.is_regular_file(error)) files[entry.path()] = entry.last_write_time(error);
    }
  }
  return files;
}

// File systems stamp writes with a clock that moves in steps (a few milliseconds on Linux, about
// 16 on Windows): waiting until a step past the newest file's time makes every later write show
// a time of its own.
void WaitPastNewest(const Snapshot& files) {
  if (files.empty()) return;
  constexpr auto step = std::chrono::milliseconds(20);
  const fs::file_time_type newest = std::max_element(files.begin(), files.end(), [](const auto& a, const auto& b) {
                                      return a.second < b.second;
                                    })->second;
  const fs::file_time_type::duration wait = newest + step - fs::file_time_type::clock::now();
  if (wait > fs::file_time_type::duration::zero()) {
    std::this_thread::sleep_for(std::min<fs::file_time_type::duration>(wait, step));
  }
}

}  // namespace

FolderReplay ReplayInFolder(const fs::path& folder, const StatsEntryPoints& plugin, const ContestOpening& opening,
                            std::vector<LogQso> qsos, const QsoObserver& observe) {
  fs::create_directories(folder);
  const fs::path where = fs::canonical(folder);
  CurrentFolder inside(where);
  fs::create_directories("Plugins");
  fs::remove("err.txt");

  const Snapshot before = Take(where);
  WaitPastNewest(before);
  FolderReplay run;
  run.result = Replay(plugin, opening, std::move(qsos), observe);
  for (const auto& [path, time] : Take(where)) {
    auto old = before.find(path);
    if (old == before.end() || old->second != time) run.written.push_back(path);
  }
  return run;
}
