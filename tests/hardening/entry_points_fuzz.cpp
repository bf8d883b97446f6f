// Fuzz target: each input becomes a sequence of entry-point calls with hostile arguments (null
// pointers, 100 KB texts, bytes above 127, NaN, infinite and huge date-times, extreme integers),
// and every answer is checked against a small model of the contest's rules.
#include <fuzzer/FuzzedDataProvider.h>

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <limits>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "host_calls.h"
#include "linked_plugin.h"
#include "null_calls.h"

namespace {

const StatsEntryPoints& plugin = LinkedPlugin();

std::atomic<unsigned long long> g_calls = 0;

[[noreturn]] void Wrong(const char* what) {
  std::fprintf(stderr, "wrong answer: %s\n", what);
  std::abort();
}

// A text argument: null, a word that makes dupes and band clashes likely, bytes from the input,
// or a long run of one byte.
class Texts {
 public:
  explicit Texts(FuzzedDataProvider& in) : in_(in) {}
  const char* Next(const std::vector<const char*>& words) {
    std::string& slot = slots_[next_++ % slots_.size()];
    // Long texts are rare: each costs its length in every file it goes into.
    switch (in_.ConsumeIntegralInRange<int>(0, 39)) {
      case 0:
      case 1: return nullptr;
      case 2:
      case 3:
      case 4:
      case 5: slot = in_.ConsumeRandomLengthString(64); break;
      case 6: slot.assign(in_.ConsumeIntegralInRange<std::size_t>(0, 100000), static_cast<char>(in_.ConsumeIntegral<std::uint8_t>() | 1)); break;
      default: slot = words[in_.ConsumeIntegralInRange<std::size_t>(0, words.size() - 1)];
    }
    return slot.c_str();
  }

 private:
  FuzzedDataProvider& in_;
  std::vector<std::string> slots_ = std::vector<std::string>(40);
  std::size_t next_ = 0;
};

HostDateTime TimeOf(FuzzedDataProvider& in) {
  static const double specials[] = {46054.5, 0.0, -657434.0, 2958465.99, 1e300, -1e300,
                                    std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()};
  HostDateTime t{};
  t.days = in.ConsumeBool() ? specials[in.ConsumeIntegralInRange<int>(0, 7)] : in.ConsumeFloatingPoint<double>();
  int statuses[] = {0, 0, 1, 2, std::numeric_limits<std::int32_t>::min()};
  t.status = statuses[in.ConsumeIntegralInRange<int>(0, 4)];
  t.padding = in.ConsumeIntegral<std::uint32_t>();
  return t;
}

std::string Str(const char* text) { return text ? text : ""; }

// The rules as the contest states them, on a plain list.
struct Entry {
  std::string call, band, dxcc, multKey;
  HostDateTime time;
  bool dupe;
};

enum class Status { Valid, Null, Invalid };
Status StatusOf(const HostDateTime* t) {
  if (!t) return Status::Null;
  return t->status == 0 ? Status::Valid : t->status == 2 ? Status::Null : Status::Invalid;
}
bool SameTime(const HostDateTime* a, const HostDateTime& b) {
  Status sa = StatusOf(a), sb = StatusOf(&b);
  if (sa != sb) return false;
  if (sa == Status::Null) return true;
  return sa == Status::Valid && a->days == b.days;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool SameIgnoringCase(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}

struct Model {
  std::vector<Entry> log;
  std::vector<std::string> bands;
  bool reportRun = false;

  std::string TotalLine() const {
    long long qsos = 0, dxcc = 0, calls = 0;
    for (const std::string& band : bands) {
      std::set<std::string> entities, seen;
      for (const Entry& e : log) {
        if (e.band != band || e.call.empty() || e.dupe) continue;
        ++qsos;
        entities.insert(e.dxcc);
        seen.insert(e.call);
      }
      dxcc += entities.size();
      calls += seen.size();
    }
    return "Total\t " + std::to_string(qsos) + "\t " + std::to_string(qsos) + "\t " + std::to_string(dxcc) + "\t   " +
           std::to_string(calls) + "\r\n";
  }
};

const std::vector<const char*> kCalls = {"OK1A", "DL1B", "ok1a", "", "G4X/P", "\xC4\xD6", "A\r\nEND-OF-LOG:"};
const std::vector<const char*> kBands = {"80m", "40m", "80M", "080m", "", "6m", "160m"};
const std::vector<const char*> kModes = {"BPSK63", "BPSK63", "bpsk63", "BPSK31", ""};
const std::vector<const char*> kExchanges = {"0001", "0042", "", "12345", "00a1"};
const std::vector<const char*> kWords = {"DL", "OK", "", "Germany", "EU"};

void Reset(Model& model, int startFlag, const char* call, const HostDateTime* start, const HostDateTime* end) {
  ++g_calls;
  ResetCall reset;
  reset.unread1 = "t";
  reset.startFlag = startFlag;
  reset.ownCall = call;
  reset.start = start;
  reset.end = end;
  if (ResetStats(plugin, reset) != 1) {
    Wrong("ResetStats0");
  }
  model.log.clear();
  model.bands.clear();
  model.reportRun = startFlag != 0;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  // The module's files go to a folder of their own; the settings folder exists.
  const char* folder = std::getenv("STATS_FUZZ_FOLDER");
  std::filesystem::path dir = folder ? folder : std::filesystem::temp_directory_path() / "stats-fuzz";
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir / "Plugins");
  std::filesystem::current_path(dir);
  // On standard output: the test closes standard error to keep the message box texts out.
  std::atexit([] { std::printf("fuzzed entry-point calls: %llu\n", g_calls.load()); });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  Texts texts(in);
  Model model;
  // Each input starts without settings; the other files are cleared now and then, as they pile up.
  static unsigned inputs = 0;
  std::error_code ignored;
  if (++inputs % 256 == 0) {
    for (const auto& entry : std::filesystem::directory_iterator(".", ignored)) {
      if (entry.is_regular_file(ignored)) std::filesystem::remove(entry.path(), ignored);
    }
  }
  std::filesystem::remove("Plugins/PSK63.ini", ignored);
  HostDateTime start{46054.0, 0, 0};
  Reset(model, 0, "DL1AAA", &start, &start);

  for (int op = 0; op < 48 && in.remaining_bytes() > 0; ++op) {
    ++g_calls;
    switch (in.ConsumeIntegralInRange<int>(0, 7)) {
      case 0:
      case 1: {
        const char* call = texts.Next(kCalls);
        const char* band = texts.Next(kBands);
        const char* mode = texts.Next(kModes);
        const char* exchSent = texts.Next(kExchanges);
        const char* exchRcvd = texts.Next(kExchanges);
        const char* dxcc = texts.Next(kWords);
        const char* multKey = texts.Next(kWords);
        HostDateTime time = TimeOf(in);
        bool nullTime = in.ConsumeIntegralInRange<int>(0, 15) == 0;
        unsigned freq = in.ConsumeIntegral<unsigned>();
        QsoCall q = NullQso();
        q.ownCall = texts.Next(kCalls);
        q.call = call;
        q.time = nullTime ? nullptr : &time;
        q.freqHz = freq;
        q.mode = mode;
        q.rstSent = texts.Next(kWords);
        q.rstRcvd = texts.Next(kWords);
        q.exchSent = exchSent;
        q.exchRcvd = exchRcvd;
        q.multKey = multKey;
        q.dxcc = dxcc;
        q.unreadInts[0] = in.ConsumeIntegral<int>();
        q.unreadReals[0] = time.days;
        q.continent = texts.Next(kWords);
        q.band = band;
        int answer = AddData(plugin, q);
        Entry e{Str(call), Str(band), Str(dxcc), Str(multKey), time, false};
        if (nullTime) e.time.status = 2;
        if (std::find(model.bands.begin(), model.bands.end(), e.band) == model.bands.end()) model.bands.push_back(e.band);
        bool accepted = Str(mode) == "BPSK63" && !Str(exchSent).empty() && !Str(exchRcvd).empty();
        if (answer != (accepted ? 1 : 0)) Wrong("AddData0 acceptance");
        if (accepted) {
          for (const Entry& old : model.log) e.dupe = e.dupe || (old.call == e.call && old.band == e.band);
          model.log.push_back(e);
        }
        break;
      }
      case 2: {
        const char* call = texts.Next(kCalls);
        const char* band = texts.Next(kBands);
        HostDateTime time = model.log.empty() || in.ConsumeBool() ? TimeOf(in) : model.log[in.ConsumeIntegralInRange<std::size_t>(0, model.log.size() - 1)].time;
        bool nullTime = in.ConsumeIntegralInRange<int>(0, 15) == 0;
        QsoCall q = NullQso();
        q.call = call;
        q.time = nullTime ? nullptr : &time;
        q.band = band;
        if (RemoveData(plugin, q) != 1) {
          Wrong("RemoveData0");
        }
        for (auto it = model.log.begin(); it != model.log.end(); ++it) {
          if (it->call == Str(call) && it->band == Str(band) && SameTime(nullTime ? nullptr : &time, it->time)) {
            model.log.erase(it);
            break;
          }
        }
        break;
      }
      case 3: {
        const char* call = texts.Next(kCalls);
        const char* multKey = texts.Next(kWords);
        const char* dxcc = texts.Next(kWords);
        const char* band = texts.Next(kBands);
        const char* other = texts.Next(kBands);
        CheckCallCall q = NullCheck();
        q.call = call;
        q.multKey = multKey;
        q.dxcc = dxcc;
        q.band = band;
        q.otherBand = other;
        int answer = CheckCall(plugin, q);
        int expected = 2;
        if (band && other && !SameIgnoringCase(band, other)) {
          expected = 4;
        } else if (Str(dxcc).empty()) {
          expected = 1;
        } else {
          for (const Entry& e : model.log) {
            if (e.band != Str(band)) continue;
            if (e.call == Str(call)) expected = 0;
            if (expected != 0 && e.multKey == Str(multKey)) expected = 1;
          }
        }
        if (answer != expected) Wrong("CheckCall0");
        break;
      }
      case 4: {
        int out = 12345;
        bool withOut = in.ConsumeBool();
        const char* text = plugin.getResult(withOut ? &out : nullptr);
        if (!text || std::strstr(text, model.TotalLine().c_str()) == nullptr) Wrong("GetResult0 total line");
        if (out != (withOut && model.reportRun ? -1 : 12345)) Wrong("GetResult0 out");
        break;
      }
      case 5: {
        HostDateTime a = TimeOf(in), b = TimeOf(in);
        --g_calls;
        Reset(model, in.ConsumeBool() ? 0 : in.ConsumeIntegral<int>(), texts.Next(kCalls), in.ConsumeBool() ? &a : nullptr, &b);
        break;
      }
      case 6: {
        const char* exchange = texts.Next(kExchanges);
        std::string e = Str(exchange);
        bool valid = e.size() == 4 && std::all_of(e.begin(), e.end(), [](char c) { return c >= '0' && c <= '9'; });
        if (plugin.isValidExchg(exchange, nullptr, nullptr, nullptr, 0, 0, 0) != (valid ? 1 : 0)) Wrong("IsValidExchg0");
        int index = in.ConsumeIntegral<int>();
        const char* name = plugin.getSetName(index);
        if (!name || std::string(name) != (index == 0 ? "PSK-63-TORVALE (C)" : "")) Wrong("GetSetName");
        break;
      }
      default:
        plugin.setupSet();
        if (plugin.getNumberOfSets() != 1 || plugin.getExchgCount(nullptr, nullptr, nullptr) != 1) {
          Wrong("constant answers");
        }
    }
  }
  return 0;
}
