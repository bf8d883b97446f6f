// Thread stress: host threads feeding and checking QSOs, and report threads running resets with
// the header dialog and score requests, all for a fixed time, and a reader copying err.txt over
// and over as another program would. Every answer is checked, and so is every file a reader can
// see: each .cbr whole, err.txt titled and each of its lines whole, the settings file never empty.
// Usage: stats_stress SECONDS REPORT_THREADS (0 gives a single host thread and no reader).
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include <unistd.h>

#include "file_bytes.h"
#include "host_calls.h"
#include "linked_plugin.h"

namespace {

std::atomic<unsigned long long> g_calls = 0;
std::atomic<int> g_faults = 0;
std::atomic<unsigned long long> g_problemFileReads = 0;

constexpr std::string_view kProblemFileTitle = "PSK-TORVALE UBN file \r\n";

void Fault(const std::string& what) {
  if (g_faults++ < 20) std::fprintf(stderr, "stress: %s\n", what.c_str());
}

QsoCall QsoOf(const std::string& call, const char* band, const char* mode, const HostDateTime& t) {
  QsoCall q;
  q.ownCall = "ST1RES";
  q.call = call.c_str();
  q.time = &t;
  q.unreadTimes = {&t, &t, &t};
  q.freqHz = 3580000u;
  q.mode = mode;
  q.rstSent = q.rstRcvd = "599";
  q.exchSent = "0001";
  q.exchRcvd = "0002";
  q.multKey = "OK";
  q.dxcc = "Czech Republic";
  q.continent = "EU";
  q.band = band;
  return q;
}

int Add(const std::string& call, const char* band, const char* mode, const HostDateTime& t) {
  ++g_calls;
  return AddData(LinkedPlugin(), QsoOf(call, band, mode, t));
}

int Check(const std::string& call, const char* band, const char* other) {
  ++g_calls;
  CheckCallCall q;
  q.call = call.c_str();
  q.mode = "BPSK63";
  q.multKey = "OK";
  q.dxcc = "Czech Republic";
  q.continent = "EU";
  q.band = band;
  q.otherBand = other;
  return CheckCall(LinkedPlugin(), q);
}

// Each round adds a QSO twice (the second a dupe) and removes both, so the log stays small and
// the calls per second stay comparable however long the run.
void Host(int id, const std::atomic<bool>& stop) {
  const HostDateTime t{46054.5, kDateTimeValid, 0};
  for (unsigned i = 0; !stop; ++i) {
    std::string call = "H" + std::to_string(id) + "X" + std::to_string(i % 500);
    const char* band = i % 2 ? "80m" : "40m";
    if (Add(call, band, "BPSK63", t) != 1 || Add(call, band, "BPSK63", t) != 1) Fault("an admissible QSO was rejected");
    if (Add(call, "80m", "BPSK31", t) != 0) Fault("a QSO in the wrong mode was stored");
    int answer = Check(call, band, band);
    if (answer != 0 && answer != 1 && answer != 2) Fault("call check answered " + std::to_string(answer));
    if (Check(call, "80m", "40m") != 4) Fault("a band mismatch was not answered 4");
    for (int k = 0; k < 2; ++k) {
      ++g_calls;
      QsoCall removal;
      removal.call = call.c_str();
      removal.time = &t;
      removal.unreadTimes = {&t, &t, &t};
      removal.band = band;
      if (RemoveData(LinkedPlugin(), removal) != 1) {
        Fault("RemoveData0 answered other than 1");
      }
    }
  }
}

// Every read, a reset or not: each complete line of err.txt is the title or a whole problem line
// (the last may still be on its way), and the file begins with the title it was given at the start:
// a reset begins it anew by replacing it, never by emptying it.
void CheckProblemFile() {
  std::string text = FileBytes("err.txt");
  ++g_problemFileReads;
  if (!text.starts_with(kProblemFileTitle)) Fault("err.txt without its title: " + text.substr(0, 60));
  for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
    std::string line = text.substr(at, end - at);
    bool whole = line == "PSK-TORVALE UBN file " ||
                 (line.rfind("QSO:  3580  BPSK", 0) == 0 &&
                  (line.ends_with("   NO CONTEST MODE !!!") || line.ends_with("   DUPE !!!")));
    if (!whole) Fault("err.txt line cut: " + line.substr(0, 60));
  }
}

// Another program's copies of the file, read while resets begin it anew.
void Reader(const std::atomic<bool>& stop) {
  while (!stop) CheckProblemFile();
}

void Reports(const std::atomic<bool>& stop) {
  const HostDateTime start{46054.0, kDateTimeValid, 0}, end{46055.0, kDateTimeValid, 0};
  ResetCall reset;
  reset.startFlag = 1;
  reset.ownCall = "ST1RES";
  reset.start = &start;
  reset.end = &end;
  while (!stop) {
    ++g_calls;
    int answer = ResetStats(LinkedPlugin(), reset);
    if (answer != 1) Fault("ResetStats0 answered other than 1");
    for (int i = 0; i < 3 && !stop; ++i) {
      int out = 0;
      ++g_calls;
      const char* text = LinkedPlugin().getResult(&out);
      std::string copy = text ? text : "";
      if (out != -1 && out != 0) Fault("GetResult0 stored " + std::to_string(out));
      if (copy.rfind("  PSK-TORVALE 01.02-02.02.2026 \r\n", 0) != 0 || copy.find("\r\nTotal\t ") == std::string::npos ||
          copy.find("\r\nScore = ") == std::string::npos) {
        Fault("summary malformed: " + copy.substr(0, 80));
      }
      std::string cbr = FileBytes("ST1RES.cbr");
      if (!cbr.empty() && (cbr.rfind("START-OF-LOG: 3.0\r\n", 0) != 0 || !cbr.ends_with("\r\nEND-OF-LOG:\r\n"))) {
        Fault("a .cbr was not whole");
      }
      std::string ini = FileBytes("Plugins/PSK63.ini");
      if (ini.rfind("[Settings]\r\n", 0) != 0) Fault("the settings file was empty or cut");
      CheckProblemFile();
      std::this_thread::yield();
      if (std::strcmp(text, copy.c_str()) != 0) Fault("the summary changed before this thread's next call");
    }
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s SECONDS REPORT_THREADS\n", argv[0]);
    return 2;
  }
  const double seconds = std::atof(argv[1]);
  const int reportThreads = std::atoi(argv[2]);
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / ("stats-stress-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir / "Plugins");
  std::filesystem::current_path(dir);
  // With the window choice on, every reset begins err.txt anew while QSO lines are appended.
  std::ofstream("Plugins/PSK63.ini", std::ios::binary) << "[Settings]\r\nMaster=1\r\n";
  std::ofstream("err.txt", std::ios::binary) << kProblemFileTitle;

  std::atomic<bool> stop = false;
  std::vector<std::thread> threads;
  const int hosts = reportThreads == 0 ? 1 : 2;
  for (int i = 0; i < hosts; ++i) threads.emplace_back(Host, i, std::cref(stop));
  for (int i = 0; i < reportThreads; ++i) threads.emplace_back(Reports, std::cref(stop));
  if (reportThreads > 0) threads.emplace_back(Reader, std::cref(stop));
  auto begin = std::chrono::steady_clock::now();
  std::this_thread::sleep_for(std::chrono::duration<double>(seconds));
  stop = true;
  for (std::thread& t : threads) t.join();
  double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
  CheckProblemFile();

  std::printf("%d host thread(s), %d report thread(s), %.1f s: %llu calls, %.0f calls/s, %llu reads of err.txt, "
              "%d wrong\n",
              hosts, reportThreads, took, g_calls.load(), g_calls.load() / took, g_problemFileReads.load(),
              g_faults.load());
  std::filesystem::current_path(dir.parent_path());
  std::error_code ignored;
  std::filesystem::remove_all(dir, ignored);
  return g_faults == 0 ? 0 : 1;
}
