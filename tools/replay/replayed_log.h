// What a replay found: for every QSO the plug-in's verdict and the problem lines it wrote, and
// the plug-in's summary.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "log_file.h"
#include "problem_file.h"
#include "replay.h"

struct ReplayedQso {
  std::size_t line = 0;  // of its record in the log file
  double days = 0.0;
  std::string call, band;       // as the plug-in got them: "DL1ABC", "80m"
  std::string dxcc, continent;  // "Fed. Rep. of Germany", "EU"; empty when not known
  QsoFate fate = QsoFate::Rejected;
  std::vector<std::string> problemLines;  // appended to err.txt by its AddData0, CR LF removed
};

struct ReplayedLog {
  std::vector<ReplayedQso> qsos;  // in the order replayed, which is time order
  std::vector<Problem> notes;     // how the replay settled entities
  std::string summary;            // GetResult0's text
};

// Takes every QSO as the replay's observer is told about it.
class ReplayRecorder {
 public:
  explicit ReplayRecorder(const std::filesystem::path& problemFile) : problems_(problemFile) {}

  void Take(const LogQso& qso, QsoFate fate);
  ReplayedLog& log() { return log_; }

 private:
  ProblemFileTail problems_;
  ReplayedLog log_;
};
