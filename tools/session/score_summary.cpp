// Band and total lines are five fields separated by tabs ("80m\t 173\t 173\t 46\t   173"); the
// score line is "Score = 388 * (94 + 388)  = 187016 ".
#include "score_summary.h"

#include <charconv>

#include "host_form.h"

namespace {

std::optional<long long> Number(std::string_view text) {
  const std::string digits = Trimmed(text);
  long long value = 0;
  const char* end = digits.data() + digits.size();
  auto [at, error] = std::from_chars(digits.data(), end, value);
  if (digits.empty() || error != std::errc() || at != end) return std::nullopt;
  return value;
}

std::optional<BandScore> BandLine(std::string_view line) {
  std::vector<std::string_view> fields;
  for (std::size_t from = 0;;) {
    const std::size_t tab = line.find('\t', from);
    fields.push_back(line.substr(from, tab == std::string_view::npos ? std::string_view::npos : tab - from));
    if (tab == std::string_view::npos) break;
    from = tab + 1;
  }
  if (fields.size() != 5) return std::nullopt;
  BandScore score{std::string(fields[0]), 0, 0, 0, 0};
  long long* targets[] = {&score.qsos, &score.points, &score.dxcc, &score.newCalls};
  for (std::size_t i = 0; i < 4; ++i) {
    const std::optional<long long> value = Number(fields[i + 1]);
    if (!value) return std::nullopt;
    *targets[i] = *value;
  }
  return score;
}

}  // namespace

std::optional<ScoreSummary> ReadScoreSummary(std::string_view text) {
  ScoreSummary summary;
  bool haveTotal = false, haveScore = false;
  for (std::size_t from = 0; from < text.size();) {
    std::size_t end = text.find('\n', from);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(from, end - from);
    from = end + 1;
    if (line.ends_with('\r')) line.remove_suffix(1);

    if (line.starts_with("Score = ")) {
      const std::optional<long long> score = Number(line.substr(line.rfind('=') + 1));
      if (!score) return std::nullopt;
      summary.score = *score;
      haveScore = true;
    } else if (std::optional<BandScore> band = BandLine(line)) {
      if (band->band == "Total") {
        summary.total = *band;
        haveTotal = true;
      } else {
        summary.bands.push_back(std::move(*band));
      }
    }
  }
  if (!haveTotal || !haveScore) return std::nullopt;
  return summary;
}
