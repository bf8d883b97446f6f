// Taken in the replay's order (time, then file order). A repeat and a step back are told at the
// QSO that makes them; numbers never sent at all at the QSO that sent the next higher one.
//
// One fault is one finding. A record that could not be read, an X-QSO line, a QSO without a sent
// serial and a serial that is no number of four digits (told by the per-QSO check) each still sent
// a number: the one after the serial before it in the file, which is therefore not "never sent".
// A serial that breaks a count going up by one on both sides of it (12, 31, 14) is a typo for the
// missing number (13), told once at its own line.
#include "serial_check.h"

#include <algorithm>
#include <unordered_map>

#include "host_form.h"

namespace {

std::string Serial(long long n) { return SerialExchange(std::to_string(n)); }

// Every fault of the sequence costs a point at most, or the sponsor's trust: a warning.
void Add(std::vector<Finding>& out, std::size_t line, FindingKind kind,
         std::initializer_list<std::string_view> values) {
  out.push_back({line, Severity::Warning, kind, 0, ProblemLines::None, PackValues(values)});
}

struct Sent {
  const LogQso* qso;
  long long number;
};

// A number of up to four digits; anything else is no serial of this contest.
std::optional<long long> NumberOf(std::string_view written) {
  if (written.empty() || written.size() > 4 ||
      !std::all_of(written.begin(), written.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    return std::nullopt;
  }
  long long n = 0;
  for (char c : written) n = n * 10 + (c - '0');
  return n;
}

// Lines where a record sent a number that is not known: unreadable records and X-QSO lines.
std::vector<std::size_t> UnreadRecords(const LogFile& log) {
  std::vector<std::size_t> lines;
  for (const Problem& p : log.problems) {
    if (p.kind == ProblemKind::Skipped || p.kind == ProblemKind::Excluded) lines.push_back(p.line);
  }
  return lines;
}

struct Covered {
  long long number;
  std::size_t line;
};

// The numbers the slots most likely sent, walking the file in order: one after the last known
// serial before each slot.
// `later` is room for what is added after them. Grown by doubling, a log with no number in its
// serials would hold its slots one and a half times over.
std::vector<Covered> Slots(const LogFile& log, std::size_t later) {
  std::vector<Covered> covered;
  const std::vector<std::size_t> unread = UnreadRecords(log);
  covered.reserve(log.qsos.size() + unread.size() + later);
  std::size_t nextUnread = 0;
  long long last = 0;
  auto coverUnreadBefore = [&](std::size_t line) {
    for (; nextUnread < unread.size() && unread[nextUnread] < line; ++nextUnread) {
      covered.push_back({++last, unread[nextUnread]});
    }
  };
  for (const LogQso& qso : log.qsos) {
    coverUnreadBefore(qso.line);
    if (const std::optional<long long> n = NumberOf(qso.WrittenSent())) {
      last = *n;
    } else {
      covered.push_back({++last, qso.line});
    }
  }
  coverUnreadBefore(static_cast<std::size_t>(-1));
  return covered;
}

}  // namespace

void CheckSentSerials(const LogFile& log, std::vector<Finding>& out) {
  std::vector<Sent> inTime;
  for (const LogQso& qso : log.qsos) {
    if (const std::optional<long long> n = NumberOf(qso.WrittenSent())) inTime.push_back({&qso, *n});
  }
  std::stable_sort(inTime.begin(), inTime.end(), [](const Sent& a, const Sent& b) { return a.qso->days < b.qso->days; });

  // Later the typos' numbers and every number sent, at most one each of a serial sent.
  std::vector<Covered> covered = Slots(log, 2 * inTime.size());
  std::vector<char> typo(inTime.size(), 0);
  for (std::size_t i = 1, before = 0; i + 1 < inTime.size(); ++i) {
    const long long low = inTime[before].number, high = inTime[i + 1].number, n = inTime[i].number;
    if (high == low + 2 && n != low + 1) {
      typo[i] = 1;
      Add(out, inTime[i].qso->line, FindingKind::SerialBreaksCount,
          {Serial(n), Serial(low), std::to_string(inTime[before].qso->line), Serial(high),
           std::to_string(inTime[i + 1].qso->line), Serial(low + 1)});
      covered.push_back({low + 1, inTime[i].qso->line});
    } else {
      before = i;
    }
  }

  std::unordered_map<long long, std::size_t> sentAt;  // serial: line
  long long previous = 0;
  std::size_t previousLine = 0;
  for (std::size_t i = 0; i < inTime.size(); ++i) {
    if (typo[i]) continue;
    const LogQso* qso = inTime[i].qso;
    const long long n = inTime[i].number;
    auto [earlier, isNew] = sentAt.emplace(n, qso->line);
    if (!isNew) {
      Add(out, qso->line, FindingKind::SerialSentBefore, {Serial(n), std::to_string(earlier->second)});
    } else if (n < previous) {
      Add(out, qso->line, FindingKind::SerialLower, {Serial(n), Serial(previous), std::to_string(previousLine)});
    }
    previous = n;
    previousLine = qso->line;
  }

  // Every number sent or covered, the lowest line of each: a gap is told at the QSO that sent the
  // number after it.
  std::vector<Covered> all = std::move(covered);
  all.reserve(all.size() + sentAt.size());
  for (const auto& [n, line] : sentAt) all.push_back({n, line});
  std::sort(all.begin(), all.end(), [](const Covered& a, const Covered& b) {
    return a.number != b.number ? a.number < b.number : a.line < b.line;
  });
  long long below = 0;
  for (const Covered& c : all) {
    if (c.number == below + 2) {
      Add(out, c.line, FindingKind::SerialNeverSent, {Serial(below + 1), Serial(c.number)});
    } else if (c.number > below + 2) {
      Add(out, c.line, FindingKind::SerialsNeverSent, {Serial(below + 1), Serial(c.number - 1), Serial(c.number)});
    }
    below = std::max(below, c.number);
  }
}
