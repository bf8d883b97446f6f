// "W1/AB" and "W1_AB" both make "W1_AB": the second gets a suffix instead of overwriting the
// first's report. A call of 300 characters would pass the file system's limit for a name.
#include "report_names.h"

#include <set>

#include "contest_rules.h"
#include "host_form.h"

namespace {

constexpr std::size_t kLongestBase = 64;

}  // namespace

std::vector<std::string> ReportNames(const std::vector<std::string>& calls) {
  std::vector<std::string> names;
  std::set<std::string> taken;
  for (const std::string& call : calls) {
    std::string base = FileBaseOf(call);
    for (char& c : base) {
      if (c == 127) c = '_';
    }
    if (base.size() > kLongestBase) base.resize(kLongestBase);
    if (base.starts_with('.')) base[0] = '_';
    std::string name = base;
    for (int n = 2; !taken.insert(UpperCase(name)).second; ++n) name = base + "-" + std::to_string(n);
    names.push_back(name);
  }
  return names;
}
