// Cost of the per-keystroke call check, of QSO intake and of the score against log size, beside
// a bare open-append-close of a file.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "host_calls.h"
#include "plugin_library.h"

namespace {

// Loaded as the host loads it, so that each figure includes the call through the export table.
const StatsEntryPoints& Plugin() {
  static const PluginLibrary library(STATS_PLUGIN_FILE);
  return library.entryPoints();
}

const HostDateTime kTime{46054.5, kDateTimeValid, 0};
const HostDateTime* const kTimeArg = &kTime;

int Add(const char* call, const char* band, const char* multKey) {
  QsoCall q;
  q.ownCall = "DL1AAA";
  q.call = call;
  q.time = kTimeArg;
  q.unreadTimes = {kTimeArg, kTimeArg, kTimeArg};
  q.freqHz = 3580000u;
  q.mode = "BPSK63";
  q.rstSent = q.rstRcvd = "599";
  q.exchSent = "0001";
  q.exchRcvd = "0002";
  q.multKey = multKey;
  q.dxcc = "Entity";
  q.continent = "EU";
  q.band = band;
  return AddData(Plugin(), q);
}

std::string CallNumber(int i) {
  std::string call = "K";
  call += std::to_string(i);
  call += "ZZ";
  return call;
}

void FillLog(int qsos) {
  ResetCall reset;
  reset.ownCall = "DL1AAA";
  reset.start = reset.end = kTimeArg;
  ResetStats(Plugin(), reset);
  for (int i = 0; i < qsos; ++i) {
    std::string call = CallNumber(i);
    Add(call.c_str(), i % 2 ? "80m" : "40m", call.c_str() + 1);
  }
}

void BM_CheckCall(benchmark::State& state) {
  FillLog(static_cast<int>(state.range(0)));
  char b1[16] = "", b2[16] = "";
  CheckCallCall query;
  query.mode = "BPSK63";
  query.multKey = "NEWKEY";
  query.dxcc = "Entity";
  query.continent = "EU";
  query.band = query.otherBand = "80m";
  query.buffer27 = b1;
  query.buffer28 = b2;
  int i = 0;
  for (auto _ : state) {
    // Alternate a logged call with one that is not, which takes both look-ups.
    std::string call = (i++ % 2) ? CallNumber(i % static_cast<int>(state.range(0))) : "NEW1CALL";
    query.call = call.c_str();
    benchmark::DoNotOptimize(CheckCall(Plugin(), query));
  }
}
BENCHMARK(BM_CheckCall)->Arg(1000)->Arg(10000)->Arg(50000);

// Each iteration adds one more QSO, so the log grows by the iteration count past the start size.
void BM_AddData(benchmark::State& state) {
  FillLog(static_cast<int>(state.range(0)));
  std::remove("err.txt");
  int i = 0;
  for (auto _ : state) {
    std::string call = CallNumber(i++);
    call[0] = 'N';
    benchmark::DoNotOptimize(Add(call.c_str(), "80m", "N"));
  }
}
BENCHMARK(BM_AddData)->Arg(1000)->Arg(10000)->Arg(50000)->Iterations(5000);

// The summary rebuilds every band's lists of distinct entities and calls from the whole log.
void BM_GetResult(benchmark::State& state) {
  FillLog(static_cast<int>(state.range(0)));
  int out = 0;
  for (auto _ : state) benchmark::DoNotOptimize(Plugin().getResult(&out));
}
BENCHMARK(BM_GetResult)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_BareOpenAppendClose(benchmark::State& state) {
  for (auto _ : state) {
    std::FILE* f = std::fopen("bench-bare.txt", "ab");
    benchmark::DoNotOptimize(f);
    std::fclose(f);
  }
  std::remove("bench-bare.txt");
}
BENCHMARK(BM_BareOpenAppendClose);

}  // namespace

BENCHMARK_MAIN();
