// Taken in the replay's order (time, then file order). A repeat and a step back are told at the
// QSO that makes them; numbers never sent at all at the QSO that sent the next higher one.
#include "serial_check.h"

#include <algorithm>
#include <unordered_map>

#include "host_form.h"

namespace {

std::string Serial(long long n) { return SerialExchange(std::to_string(n)); }

}  // namespace

void CheckSentSerials(const LogFile& log, std::vector<Finding>& out) {
  std::vector<const LogQso*> inTime;
  for (const LogQso& qso : log.qsos) {
    const std::string& s = qso.written.exchSent;
    // Longer ones are told as not four digits; past 9 digits they are no serial at all.
    if (!s.empty() && s.size() <= 9 && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; })) {
      inTime.push_back(&qso);
    }
  }
  std::stable_sort(inTime.begin(), inTime.end(), [](const LogQso* a, const LogQso* b) { return a->days < b->days; });

  std::unordered_map<long long, std::size_t> sentAt;  // serial: line
  long long previous = 0;
  std::size_t previousLine = 0;
  for (const LogQso* qso : inTime) {
    const long long n = std::stoll(qso->written.exchSent);
    auto [earlier, isNew] = sentAt.emplace(n, qso->line);
    if (!isNew) {
      out.push_back({qso->line, Severity::Warning,
                     "sent serial " + Serial(n) + " was sent before, at line " + std::to_string(earlier->second)});
    } else if (n < previous) {
      out.push_back({qso->line, Severity::Warning,
                     "sent serial " + Serial(n) + " is lower than " + Serial(previous) + ", sent before it at line " +
                         std::to_string(previousLine)});
    }
    previous = n;
    previousLine = qso->line;
  }

  std::vector<std::pair<long long, std::size_t>> sent(sentAt.begin(), sentAt.end());
  std::sort(sent.begin(), sent.end());
  long long below = 0;
  for (const auto& [n, line] : sent) {
    if (n > below + 1) {
      const std::string missing = n == below + 2
                                      ? "sent serial " + Serial(below + 1) + " was"
                                      : "sent serials " + Serial(below + 1) + " to " + Serial(n - 1) + " were";
      out.push_back({line, Severity::Warning, missing + " never sent; this QSO sent " + Serial(n)});
    }
    below = n;
  }
}
