// Quiet for the first second, then at most four updates a second.
#include "progress_line.h"

#include <utility>

namespace {

constexpr auto kQuietFor = std::chrono::seconds(1);
constexpr auto kEvery = std::chrono::milliseconds(250);

}  // namespace

ProgressLine::ProgressLine(std::ostream& out, std::size_t total, std::string program, std::string unit)
    : out_(out), total_(total), program_(std::move(program)), unit_(std::move(unit)) {}

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
  out_ << '\r' << program_ << ": " << done << " of " << total_ << ' ' << unit_ << std::flush;
}
