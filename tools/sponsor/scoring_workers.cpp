// Workers are forked after the matching, so they share the logs, the decisions and the country
// file with the parent (copy-on-write) and send back only the figures of each log, through a
// pipe. Log i goes to worker i mod N: the results are the same for any N.
#include "scoring_workers.h"

#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

#include "log_scoring.h"
#include "plugin_failure.h"
#include "plugin_library.h"
#include "result_pages.h"
#include "side_task.h"
#include "working_folder.h"

namespace {

// The figures of a log as they travel: numbers only, the texts are the parent's already.
constexpr std::size_t kNumbers = 9 + 2 * kDecisionCount;

void Encode(const LogResult& r, long long* n) {
  long long values[] = {static_cast<long long>(r.qsos),
                        static_cast<long long>(r.kept),
                        static_cast<long long>(r.removed),
                        r.points,
                        r.multipliers,
                        r.checked,
                        r.pointsBefore,
                        r.multipliersBefore,
                        r.before};
  std::copy(std::begin(values), std::end(values), n);
  for (std::size_t d = 0; d < kDecisionCount; ++d) {
    n[9 + d] = static_cast<long long>(r.decisions[d]);
    n[9 + kDecisionCount + d] = static_cast<long long>(r.removedBy[d]);
  }
}

void Decode(const long long* n, LogResult& r) {
  r.qsos = static_cast<std::size_t>(n[0]);
  r.kept = static_cast<std::size_t>(n[1]);
  r.removed = static_cast<std::size_t>(n[2]);
  r.points = n[3];
  r.multipliers = n[4];
  r.checked = n[5];
  r.pointsBefore = n[6];
  r.multipliersBefore = n[7];
  r.before = n[8];
  for (std::size_t d = 0; d < kDecisionCount; ++d) {
    r.decisions[d] = static_cast<std::size_t>(n[9 + d]);
    r.removedBy[d] = static_cast<std::size_t>(n[9 + kDecisionCount + d]);
  }
}

enum class Outcome : long long { Scored, NotReported, PluginFailed, Failed };

struct Message {
  long long index;
  Outcome outcome;
  long long numbers[kNumbers];
  char why[240];
};

// One log: scored, then its report and page written; a report that cannot be written passes the
// log over in the summary, a plug-in that gives no score stops the run.
Message ScoreOne(const ScoringJob& job, std::size_t i, const StatsEntryPoints& plugin,
                 const std::filesystem::path& quiet, OutputFolder& out) {
  Message m{};
  m.index = static_cast<long long>(i);
  auto why = [&](const std::string& text) { std::snprintf(m.why, sizeof m.why, "%s", text.c_str()); };
  try {
    ScoredLog scored = ScoreLog(job.set.logs[i], i, job.context, job.offsets[i], plugin, job.countries, quiet);
    scored.result.reportName = job.reportNames[i];
    Encode(scored.result, m.numbers);
    try {
      out.Write("reports/" + job.reportNames[i] + ".txt", scored.report);
      out.Write("stations/" + job.reportNames[i] + ".html", StationPage(scored.result, scored.report));
      m.outcome = Outcome::Scored;
    } catch (const std::exception& error) {
      m.outcome = Outcome::NotReported;
      why(error.what());
    }
  } catch (const PluginFailure& error) {
    m.outcome = Outcome::PluginFailed;
    why(error.what());
  } catch (const std::exception& error) {
    m.outcome = Outcome::Failed;
    why(error.what());
  }
  return m;
}

bool WriteAll(int fd, const void* data, std::size_t size) {
  const char* at = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = ::write(fd, at, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    at += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool ReadAll(int fd, void* data, std::size_t size) {
  char* at = static_cast<char*>(data);
  while (size > 0) {
    const ssize_t n = ::read(fd, at, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    at += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

ScoringOutcome ScoreAll(const ScoringJob& job, OutputFolder& out) {
  const std::size_t n = job.set.logs.size();
  std::vector<LogResult> results(n);
  for (std::size_t i = 0; i < n; ++i) {
    const SubmittedLog& s = job.set.logs[i];
    LogResult& r = results[i];
    r.call = s.call;
    r.category = s.category;
    r.file = s.file;
    r.header = s.header;
    r.checklog = IsChecklog(s.header.categoryOperator);
    r.claimed = s.header.claimed;
    r.offset = job.offsets[i];
    r.reportName = job.reportNames[i];
    if (std::optional<CountryMatch> home = job.countries.ForCall(s.call)) {
      r.entity = home->entity->name;
      r.continent = home->continent;
    }
  }
  std::vector<Message> messages;
  const std::size_t workers = std::max<std::size_t>(1, std::min(job.workers, n));
  if (workers == 1) {
    job.meanwhile();
    const PluginLibrary plugin(job.plugin);
    const WorkingFolder scratch{WorkingFolder::Scratch{}};
    const std::filesystem::path quiet = QuietFolder(scratch.path());
    for (std::size_t i = 0; i < n; ++i) messages.push_back(ScoreOne(job, i, plugin.entryPoints(), quiet, out));
  } else {
    std::vector<std::pair<pid_t, int>> children;
    for (std::size_t w = 0; w < workers; ++w) {
      int fds[2];
      if (::pipe(fds) != 0) throw std::runtime_error(std::string("no pipe for a worker: ") + std::strerror(errno));
      const pid_t pid = ::fork();
      if (pid < 0) throw std::runtime_error(std::string("no worker process: ") + std::strerror(errno));
      if (pid == 0) {
        ::close(fds[0]);
        int status = 0;
        try {
          const PluginLibrary plugin(job.plugin);
          const WorkingFolder scratch{WorkingFolder::Scratch{}};
          const std::filesystem::path quiet = QuietFolder(scratch.path());
          for (std::size_t i = w; i < n; i += workers) {
            const Message m = ScoreOne(job, i, plugin.entryPoints(), quiet, out);
            if (!WriteAll(fds[1], &m, sizeof m)) status = 1;
            if (m.outcome == Outcome::PluginFailed || m.outcome == Outcome::Failed) break;
          }
        } catch (const std::exception& error) {
          Message m{};
          m.index = -1;
          m.outcome = Outcome::Failed;
          std::snprintf(m.why, sizeof m.why, "%s", error.what());
          WriteAll(fds[1], &m, sizeof m);
          status = 1;
        }
        ::close(fds[1]);
        ::_exit(status);
      }
      ::close(fds[1]);
      children.emplace_back(pid, fds[0]);
    }
    // Started only now: a thread running while a worker is forked could hold a lock the worker
    // then never sees released.
    SideTask meanwhile(job.meanwhile);
    // Every pipe read as its worker writes: a pipe left full would stop its worker.
    std::vector<pollfd> open;
    for (const auto& [pid, fd] : children) open.push_back({fd, POLLIN, 0});
    while (!open.empty()) {
      if (::poll(open.data(), open.size(), -1) < 0 && errno != EINTR) {
        throw std::runtime_error(std::string("waiting for the workers: ") + std::strerror(errno));
      }
      for (std::size_t k = open.size(); k-- > 0;) {
        if (open[k].revents == 0) continue;
        Message m;
        if (ReadAll(open[k].fd, &m, sizeof m)) {
          messages.push_back(m);
        } else {
          ::close(open[k].fd);
          open.erase(open.begin() + static_cast<std::ptrdiff_t>(k));
        }
      }
    }
    for (const auto& [pid, fd] : children) {
      int status = 0;
      while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
      }
    }
    meanwhile.Wait();
  }
  ScoringOutcome outcome;
  std::vector<bool> scored(n, false);
  for (const Message& m : messages) {
    if (m.outcome == Outcome::PluginFailed) throw PluginFailure(m.why);
    if (m.outcome == Outcome::Failed) throw std::runtime_error(m.why);
    const std::size_t i = static_cast<std::size_t>(m.index);
    Decode(m.numbers, results[i]);
    scored[i] = true;
    if (m.outcome == Outcome::NotReported) {
      outcome.notReported.push_back(job.set.logs[i].call + ": " + m.why);
    } else {
      out.Claim("reports/" + job.reportNames[i] + ".txt");
      out.Claim("stations/" + job.reportNames[i] + ".html");
    }
  }
  for (std::size_t i = 0; i < n; ++i) {
    if (!scored[i]) throw std::runtime_error("a worker ended before it scored " + job.set.logs[i].call);
  }
  outcome.results = std::move(results);
  return outcome;
}
