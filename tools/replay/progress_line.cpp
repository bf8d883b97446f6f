// Quiet for the first second, then at most four updates a second.
#include "progress_line.h"

namespace {

constexpr auto kQuietFor = std::chrono::seconds(1);
constexpr auto kEvery = std::chrono::milliseconds(250);

}  // namespace

ProgressLine::ProgressLine(std::ostream& out, std::size_t total) : out_(out), total_(total) {}

ProgressLine::~ProgressLine() {
  if (showing_) out_ << '\n';
}

void ProgressLine::Update(std::size_t done) {
  const Clock::time_point now = Clock::now();
  const bool last = done == total_;
  // The last QSO ends the line at once: the plug-in's own messages come next.
  if (last && showing_) {
    Show(done);
    out_ << '\n';
    showing_ = false;
    return;
  }
  if (last || now - start_ < kQuietFor || (showing_ && now - shown_ < kEvery)) return;
  shown_ = now;
  showing_ = true;
  Show(done);
}

void ProgressLine::Show(std::size_t done) {
  out_ << "\rstats-replay: " << done << " of " << total_ << " QSOs" << std::flush;
}
