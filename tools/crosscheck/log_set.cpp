// "Newest" is the file's modification time, then its name (the one that sorts last in byte
// order), so that a sponsor who copies a whole folder, times and all, gets the same choice.
#include "log_set.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>

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
    // Before 1899-12-30 the day count runs backwards while the time of day runs forwards
    // (-1.25 is 1899-12-29 06:00). Cabrillo times are whole minutes: the rounding only undoes
    // the binary fraction.
    const double whole = q.days < 0 ? std::ceil(q.days) : std::floor(q.days);
    const std::int64_t minute =
        static_cast<std::int64_t>(whole) * 24 * 60 + std::llround(std::fabs(q.days - whole) * 24 * 60);
    checked.qsos.push_back({q.line, q.call, q.band, minute, q.exchSent, q.exchRcvd});
  }
  return checked;
}

std::string FileText(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) throw std::runtime_error(file.string() + ": cannot be read");
  std::string text(std::istreambuf_iterator<char>(in), {});
  if (in.bad()) throw std::runtime_error(file.string() + ": read error");
  return text;
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
      log = ParseLogText(FileText(file));
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
    byCall[call].push_back({{file, call, CategoryOf(log), qsoLines}, CheckedOf(log, call), fs::last_write_time(file)});
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
