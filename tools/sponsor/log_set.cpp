// "Newest" is the file's modification time, then its name (the one that sorts last in byte
// order), so that a sponsor who copies a whole folder, times and all, gets the same choice.
#include "log_set.h"

#include <algorithm>
#include <map>

#include "calendar.h"
#include "text_files.h"

namespace fs = std::filesystem;

namespace {

struct Candidate {
  SubmittedLog log;
  CheckedLog checked;
  fs::file_time_type written;
};

bool Newer(const Candidate& a, const Candidate& b) {
  if (a.written != b.written) return a.written > b.written;
  return a.log.file.filename().string() > b.log.file.filename().string();
}

std::string CallOf(const LogFile& log) {
  if (!log.ownCall.empty()) return log.ownCall;
  for (const LogQso& q : log.qsos) {
    if (!q.ownCall.empty()) return q.ownCall;
  }
  return "";
}

std::string CategoryOf(const LogFile& log) {
  for (const CabrilloLine& line : log.cabrilloLines) {
    if (line.tag == "CATEGORY-OPERATOR") return line.value;
  }
  return "";
}

}  // namespace

CheckedLog CheckedOf(const LogFile& log, const std::string& call) {
  CheckedLog checked{call, {}};
  checked.qsos.reserve(log.qsos.size());
  for (const LogQso& q : log.qsos) {
    checked.qsos.push_back({q.line, q.call, q.band, MinuteOf(q.days), q.exchSent, q.exchRcvd});
  }
  return checked;
}

LogSet ReadLogFolder(const fs::path& folder) {
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    if (entry.is_regular_file()) files.push_back(fs::absolute(entry.path()));
  }
  std::sort(files.begin(), files.end());

  LogSet set;
  std::map<std::string, std::vector<Candidate>> byCall;
  for (const fs::path& file : files) {
    LogFile log;
    try {
      log = ParseLogText(ReadTextFile(file));
    } catch (const std::exception& error) {
      set.passedOver.push_back({file, error.what()});
      continue;
    }
    if (log.format != LogFormat::Cabrillo) {
      set.passedOver.push_back({file, "not a Cabrillo file"});
      continue;
    }
    const std::string call = CallOf(log);
    if (call.empty()) {
      set.passedOver.push_back({file, "names no call sign (no CALLSIGN: line, no own call on a QSO line)"});
      continue;
    }
    const std::size_t qsoLines = static_cast<std::size_t>(std::count_if(
        log.cabrilloLines.begin(), log.cabrilloLines.end(), [](const CabrilloLine& l) { return l.tag == "QSO"; }));
    CheckedLog checked = CheckedOf(log, call);
    std::string category = CategoryOf(log);
    byCall[call].push_back({{file, call, std::move(category), qsoLines, std::move(log)}, std::move(checked),
                            fs::last_write_time(file)});
  }

  for (auto& [call, candidates] : byCall) {
    std::sort(candidates.begin(), candidates.end(), Newer);
    for (std::size_t i = 1; i < candidates.size(); ++i) {
      set.passedOver.push_back({candidates[i].log.file, "an older file for " + call + " than " +
                                                            candidates.front().log.file.filename().string()});
    }
    set.logs.push_back(std::move(candidates.front().log));
    set.checked.push_back(std::move(candidates.front().checked));
  }
  std::sort(set.passedOver.begin(), set.passedOver.end(),
            [](const PassedOver& a, const PassedOver& b) { return a.file < b.file; });
  return set;
}
