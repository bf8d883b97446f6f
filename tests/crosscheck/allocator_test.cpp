// stats-crosscheck allocates through mimalloc, in the parent and in the workers, the plug-in's own
// allocations among them. Nothing would tell if it did not: the loader binds each malloc and
// operator new to the first library that has one, and a library left out of the link, or one
// ahead of it, gives the system's allocator back without a word. The loader's own account of its
// bindings tells.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "test_files.h"

namespace {

namespace fs = std::filesystem;

std::string Log(const std::string& call, const std::string& other) {
  return "START-OF-LOG: 3.0\r\nCONTEST: PSK-63-TORVALE\r\nCALLSIGN: " + call +
         "\r\nCATEGORY-OPERATOR: SINGLE-OP\r\nQSO:  3580 PM 2025-03-15 1200 " + call + " 599 0001 " + other +
         " 599 0001\r\nEND-OF-LOG:\r\n";
}

bool Allocates(const std::string& symbol) {
  static const std::set<std::string> kFunctions = {"malloc",        "calloc",         "realloc", "free",
                                                    "aligned_alloc", "posix_memalign", "memalign"};
  // operator new and delete in all their forms: _Znwm, _Znam, _ZdlPv, _ZdlPvm, _ZdaPv, ...
  return kFunctions.count(symbol) || symbol.starts_with("_Znw") || symbol.starts_with("_Zna") ||
         symbol.starts_with("_Zdl") || symbol.starts_with("_Zda");
}

struct Binding {
  std::string from, to, symbol;
};

// "binding file /x/libStats.so [0] to /y/libmimalloc.so.2 [0]: normal symbol `_Znwm' [GLIBCXX_3.4]"
std::vector<Binding> BindingsIn(const fs::path& file) {
  std::vector<Binding> bindings;
  std::ifstream in(file);
  for (std::string line; std::getline(in, line);) {
    const std::size_t from = line.find("binding file "), to = line.find(" to "), quote = line.find('`');
    if (from == std::string::npos || to == std::string::npos || quote == std::string::npos) continue;
    const std::size_t fromEnd = line.find(" [", from), toEnd = line.find(" [", to), quoteEnd = line.find('\'', quote);
    bindings.push_back({line.substr(from + 13, fromEnd - from - 13), line.substr(to + 4, toEnd - to - 4),
                        line.substr(quote + 1, quoteEnd - quote - 1)});
  }
  return bindings;
}

TEST(CrossCheckAllocator, EveryAllocationOfTheRunAndItsWorkersGoesToMimalloc) {
  const TempFolder temp;
  const fs::path logs = temp / "logs";
  fs::create_directories(logs);
  std::ofstream(logs / "a.log", std::ios::binary) << Log("DL1AA", "OK1BB");
  std::ofstream(logs / "b.log", std::ios::binary) << Log("OK1BB", "DL1AA");
  // Two workers, forked, each loading its plug-in: their bindings go to the same account.
  const std::string command = "LD_DEBUG=bindings LD_DEBUG_OUTPUT=" + (temp / "loader").string() + " " +
                              STATS_CROSSCHECK_FILE + " --jobs 2 --out " + (temp / "out").string() + " " +
                              logs.string() + " >" + (temp / "run.txt").string() + " 2>&1";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << FileBytes(temp / "run.txt");

  std::map<std::string, std::set<std::string>> elsewhere;  // library: its allocation symbols bound elsewhere
  std::size_t allocations = 0, plugin = 0;
  for (const fs::directory_entry& entry : fs::directory_iterator(temp.path())) {
    if (!entry.path().filename().string().starts_with("loader")) continue;
    for (const Binding& b : BindingsIn(entry.path())) {
      if (!Allocates(b.symbol)) continue;
      ++allocations;
      if (b.from.find("libStats") != std::string::npos) ++plugin;
      if (fs::path(b.to).filename().string().find("mimalloc") == std::string::npos) {
        elsewhere[b.from].insert(b.symbol + " to " + b.to);
      }
    }
  }
  EXPECT_GT(allocations, 10u) << "the loader told no bindings";
  EXPECT_GT(plugin, 0u) << "no allocation of the plug-in was bound";
  for (const auto& [library, symbols] : elsewhere) {
    std::ostringstream list;
    for (const std::string& s : symbols) list << "\n  " << s;
    ADD_FAILURE() << library << " allocates elsewhere:" << list.str();
  }
}

}  // namespace
