// The choice among several files of one call does not rest on the order of the folder: a sponsor
// who copies a whole folder, times and all, gets the same choice, and a receipt list decides
// when the copy lost the times.
#include "log_set.h"

#include <algorithm>
#include <atomic>
#include <exception>
#include <functional>
#include <stdexcept>
#include <string_view>
#include <system_error>
#include <thread>

#include "calendar.h"
#include "contest_rules.h"
#include "host_form.h"
#include "shown_text.h"
#include "text_files.h"

namespace fs = std::filesystem;

namespace {

struct Candidate {
  SubmittedLog log;
  CheckedLog checked;
  const std::string* received;  // in the receipt list; null when it does not name the file
};

// Why the first candidate wins over another, or nothing when it does not.
std::optional<std::string> WinsOver(const Candidate& a, const Candidate& b) {
  if (a.received || b.received) {
    if (!b.received) return "in the receipt list, " + Shown(b.log.file.filename().string()) + " is not";
    if (!a.received) return std::nullopt;
    if (*a.received != *b.received) {
      if (*a.received > *b.received) return "received later (" + Shown(*a.received) + ")";
      return std::nullopt;
    }
  }
  if (a.log.stamp.written != b.log.stamp.written) {
    if (a.log.stamp.written > b.log.stamp.written) return std::string("modified later");
    return std::nullopt;
  }
  if (a.log.file.filename().string() > b.log.file.filename().string())
    return std::string("as old, its name sorts later");
  return std::nullopt;
}

std::string CallOf(const LogFile& log) {
  if (!log.ownCall.empty()) return log.ownCall;
  for (const LogQso& q : log.qsos) {
    if (!q.ownCall.empty()) return q.ownCall;
  }
  return "";
}

EntryHeader HeaderOf(const LogFile& log) {
  EntryHeader header;
  std::map<std::string, std::string*> fields = {{"CATEGORY-OPERATOR", &header.categoryOperator},
                                                {"CATEGORY-BAND", &header.categoryBand},
                                                {"CATEGORY-POWER", &header.categoryPower},
                                                {"CATEGORY-ASSISTED", &header.categoryAssisted},
                                                {"CATEGORY-TRANSMITTER", &header.categoryTransmitter},
                                                {"CATEGORY-OVERLAY", &header.categoryOverlay},
                                                {"CLUB", &header.club},
                                                {"NAME", &header.name},
                                                {"CLAIMED-SCORE", &header.claimedText}};
  for (const CabrilloLine& line : log.cabrilloLines) {
    auto it = fields.find(line.tag);
    if (it == fields.end()) continue;
    *it->second = line.value;
    fields.erase(it);  // the first value counts
  }
  std::string digits = header.claimedText;
  std::erase(digits, ',');
  if (!digits.empty() && digits.size() <= 18 &&
      std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
    header.claimed = std::stoll(digits);
  }
  return header;
}

class LastInterned {
 public:
  InternedText Of(std::string_view text) {
    if (text != last_.str()) last_ = InternedText(text);
    return last_;
  }

 private:
  InternedText last_;
};

// A serial of four digits, as the reader pads most, is compared as it stands.
InternedText Serial(std::string_view exchange) {
  const bool fourDigits = exchange.size() == 4 && std::all_of(exchange.begin(), exchange.end(),
                                                               [](char c) { return c >= '0' && c <= '9'; });
  return fourDigits ? InternedText(exchange) : InternedText(CheckedSerial(exchange));
}

// One file as read for the check: a candidate with its QSO lines, or why it is passed over.
struct ReadFile {
  std::optional<Candidate> candidate;
  std::vector<SmallText> lines;
  std::string why;
};

ReadFile ReadOne(const fs::path& file, const Receipts& receipts) {
  ReadFile read;
  LogFile log;
  // Taken before the file is read: a file written over while it is read is not the one checked.
  std::error_code unseen;
  const FileStamp stamp = StampOf(file, unseen);
  try {
    if (unseen) throw std::runtime_error("cannot be read: " + unseen.message());
    log = ParseLogText(ReadTextFile(file));
  } catch (const std::exception& error) {
    read.why = Shown(error.what());
    return read;
  }
  if (log.format != LogFormat::Cabrillo) {
    read.why = "not a Cabrillo file";
    return read;
  }
  const std::string call = CallOf(log);
  if (call.empty()) {
    read.why = "names no call sign (no CALLSIGN: line, no own call on a QSO line)";
    return read;
  }
  const std::size_t qsoLines = static_cast<std::size_t>(std::count_if(
      log.cabrilloLines.begin(), log.cabrilloLines.end(), [](const CabrilloLine& l) { return l.tag == "QSO"; }));
  CheckedLog checked = CheckedOf(log, call);
  EntryHeader header = HeaderOf(log);
  std::string category = header.categoryOperator;
  read.lines.reserve(log.qsos.size());
  for (LogQso& q : log.qsos) read.lines.push_back(std::move(q.written.text));
  auto receipt = receipts.find(file.filename().string());
  read.candidate = Candidate{{file, call, std::move(category), qsoLines, stamp, 0, std::move(header), {}},
                             std::move(checked),
                             receipt == receipts.end() ? nullptr : &receipt->second};
  return read;
}

}  // namespace

LogFile ReadAgain(const SubmittedLog& log) {
  constexpr std::string_view kChanged = "changed while the logs were checked";
  ExpectUnchanged(log.file, log.stamp, kChanged);
  const std::string text = ReadTextFile(log.file);
  ExpectUnchanged(log.file, log.stamp, kChanged);
  return ParseLogText(text);
}

CheckedLog CheckedOf(const LogFile& log, const std::string& call) {
  CheckedLog checked{call, {}};
  checked.qsos.reserve(log.qsos.size());
  // A log's band and sent call are mostly those of the QSO before: kept as they were, they cost
  // no hash.
  LastInterned band, sent;
  // The calls' places asked of the memory a few QSOs ahead (each a cache miss in a table of all
  // the contest's calls), and the calls themselves, which lie elsewhere, a few before that.
  constexpr std::size_t kAhead = 8;
  for (std::size_t i = 0; i < log.qsos.size(); ++i) {
    if (i + 2 * kAhead < log.qsos.size()) __builtin_prefetch(&log.qsos[i + 2 * kAhead].call.str());
    if (i + kAhead < log.qsos.size()) PrefetchText(log.qsos[i + kAhead].call.str());
    const LogQso& q = log.qsos[i];
    int ruled = -1;
    if (q.mode != kContestMode) {
      ruled = static_cast<int>(Decision::WrongMode);
    } else if (!IsContestBand(q.band.str())) {
      ruled = static_cast<int>(Decision::WrongBand);
    }
    const std::string_view own = q.ownCall.empty() || q.ownCall == call ? std::string_view() : q.ownCall.str();
    checked.qsos.push_back({static_cast<std::uint32_t>(q.line), q.call.str(), band.Of(q.band.str()),
                            static_cast<std::int32_t>(MinuteOf(q.days)), Serial(q.exchSent), Serial(q.exchRcvd),
                            sent.Of(own), ruled});
  }
  return checked;
}

Receipts ReadReceipts(const fs::path& file) {
  const std::string text = ReadTextFile(file);
  Receipts receipts;
  std::size_t line = 0;
  for (std::size_t from = 0; from < text.size();) {
    std::size_t end = std::min(text.find('\n', from), text.size());
    const std::string row = Trimmed(std::string_view(text).substr(from, end - from));
    from = end + 1;
    ++line;
    if (row.empty() || (line == 1 && SameLetters(row.substr(0, 5), "call,"))) continue;
    const std::size_t first = row.find(','), second = first == std::string::npos ? first : row.find(',', first + 1);
    if (second == std::string::npos) {
      throw std::runtime_error(file.string() + ":" + std::to_string(line) + ": no call,file,received");
    }
    receipts[Trimmed(row.substr(first + 1, second - first - 1))] = Trimmed(row.substr(second + 1));
  }
  return receipts;
}

LogSet ReadLogFolder(const fs::path& folder, const Receipts& receipts, std::size_t threads) {
  threads = std::max<std::size_t>(1, threads);
  LogSet set;
  std::vector<fs::path> files;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    std::error_code error;
    const bool regular = entry.is_regular_file(error);
    if (error) {
      ++set.filesReceived;
      set.passedOver.push_back({fs::absolute(entry.path()), "cannot be read: " + error.message()});
    } else if (regular) {
      files.push_back(fs::absolute(entry.path()));
    } else if (!entry.is_directory(error)) {
      ++set.filesReceived;
      set.passedOver.push_back({fs::absolute(entry.path()), "is not a regular file"});
    }
  }
  std::sort(files.begin(), files.end());
  set.filesReceived += files.size();

  std::map<std::string, std::vector<Candidate>> byCall;
  // Read a batch at a time, each file of it on whichever thread is free, and taken in file order,
  // so that the result is the same for any number of threads.
  constexpr std::size_t kBatch = 64;
  std::vector<ReadFile> batch(kBatch);
  for (std::size_t start = 0; start < files.size(); start += kBatch) {
    const std::size_t count = std::min(kBatch, files.size() - start);
    std::atomic<std::size_t> next{0};
    std::vector<std::exception_ptr> failed(threads);
    auto work = [&](std::size_t t) {
      try {
        for (std::size_t i; (i = next++) < count;) batch[i] = ReadOne(files[start + i], receipts);
      } catch (...) {
        failed[t] = std::current_exception();  // as it would have left a reading of one thread
      }
    };
    std::vector<std::thread> helpers;
    for (std::size_t t = 1; t < std::min(threads, count); ++t) {
      try {
        helpers.emplace_back(work, t);
      } catch (const std::system_error&) {
        break;  // no more threads to be had: the ones there read the batch
      }
    }
    work(0);
    for (std::thread& helper : helpers) helper.join();
    for (const std::exception_ptr& failure : failed) {
      if (failure) std::rethrow_exception(failure);
    }
    for (std::size_t i = 0; i < count; ++i) {
      ReadFile& read = batch[i];
      if (!read.candidate) {
        set.passedOver.push_back({files[start + i], std::move(read.why)});
        continue;
      }
      read.candidate->log.firstLine = set.lines->size();
      for (const SmallText& line : read.lines) set.lines->Add(line);
      const std::string call = read.candidate->log.call;
      byCall[call].push_back(std::move(*read.candidate));
      read = {};
    }
  }

  for (auto& [call, candidates] : byCall) {
    std::sort(candidates.begin(), candidates.end(),
              [](const Candidate& a, const Candidate& b) { return WinsOver(a, b).has_value(); });
    const std::string chosen = candidates.front().log.file.filename().string();
    for (std::size_t i = 1; i < candidates.size(); ++i) {
      set.passedOver.push_back({candidates[i].log.file, "another file for " + Shown(call) + ": " + Shown(chosen) +
                                                            " is checked, " +
                                                            *WinsOver(candidates.front(), candidates[i])});
    }
    if (candidates.size() > 1) candidates.front().log.passedOverFile = candidates[1].log.file.filename().string();
    set.logs.push_back(std::move(candidates.front().log));
    set.checked.push_back(std::move(candidates.front().checked));
  }
  std::sort(set.passedOver.begin(), set.passedOver.end(),
            [](const PassedOver& a, const PassedOver& b) { return a.file < b.file; });
  return set;
}
