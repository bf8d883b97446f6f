// Cost of the per-keystroke call check, of QSO intake and of the score against log size, beside
// a bare open-append-close of a file.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

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
  return Plugin().addData("DL1AAA", call, kTimeArg, kTimeArg, kTimeArg, kTimeArg, 0u, 3580000u, "BPSK63", "599", "599",
                  "0001", "0002", "", "", "", "", "", "", "", "", multKey, "Entity", 0, 0, 0, 0.0, 0.0, "", "EU", "",
                  band, "");
}

std::string CallNumber(int i) {
  std::string call = "K";
  call += std::to_string(i);
  call += "ZZ";
  return call;
}

void FillLog(int qsos) {
  Plugin().resetStats("", 0, "DL1AAA", kTimeArg, kTimeArg, "", "", "", "", "", "", "", "", "", "", 0, 0, 0, 0.0, 0.0, "",
              "", "");
  for (int i = 0; i < qsos; ++i) {
    std::string call = CallNumber(i);
    Add(call.c_str(), i % 2 ? "80m" : "40m", call.c_str() + 1);
  }
}

void BM_CheckCall(benchmark::State& state) {
  FillLog(static_cast<int>(state.range(0)));
  char b1[16] = "", b2[16] = "";
  int i = 0;
  for (auto _ : state) {
    // Alternate a logged call with one that is not, which takes both look-ups.
    std::string call = (i++ % 2) ? CallNumber(i % static_cast<int>(state.range(0))) : "NEW1CALL";
    benchmark::DoNotOptimize(Plugin().checkCall(call.c_str(), 0u, 0u, "BPSK63", "", "", "", "", "", "", "", "", "NEWKEY",
                                        "Entity", 0, 0, 0, 0.0, 0.0, "", "EU", "", "", "", "80m", "80m", b1, b2));
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
