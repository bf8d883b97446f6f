// A progress line on standard error, shown only once a run has taken long enough that someone
// would wonder whether it still runs, and ended with the last unit of work.
#pragma once

#include <chrono>
#include <cstddef>
#include <ostream>
#include <string>

class ProgressLine {
 public:
  // Shows "program: done of total unit", e.g. "stats-replay: 120 of 400 QSOs".
  ProgressLine(std::ostream& out, std::size_t total, std::string program, std::string unit);
  ~ProgressLine();  // ends a line cut short
  ProgressLine(const ProgressLine&) = delete;
  ProgressLine& operator=(const ProgressLine&) = delete;

  void Update(std::size_t done);

 private:
  using Clock = std::chrono::steady_clock;
  void Show(std::size_t done);

  std::ostream& out_;
  std::size_t total_;
  std::string program_, unit_;
  Clock::time_point start_ = Clock::now();
  Clock::time_point shown_{};
  bool showing_ = false;
};
