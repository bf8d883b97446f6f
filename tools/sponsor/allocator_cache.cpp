#include "allocator_cache.h"

#include <unistd.h>

#include <cstdlib>
#include <string_view>

namespace {

constexpr std::string_view kCacheCount = "glibc.malloc.tcache_count";

}  // namespace

std::optional<std::string> TunablesWithLargerCache(const char* current) {
  const std::string_view now = current ? current : "";
  // Tunables are "name=value" joined by ':'.
  for (std::size_t from = 0; from <= now.size();) {
    const std::size_t end = std::min(now.find(':', from), now.size());
    const std::string_view item = now.substr(from, end - from);
    if (item.substr(0, item.find('=')) == kCacheCount) return std::nullopt;
    from = end + 1;
  }
  std::string tunables(now);
  if (!tunables.empty()) tunables += ':';
  return tunables.append(kCacheCount).append("=1000");
}

void RestartWithLargerAllocatorCache(char** argv) {
  const std::optional<std::string> tunables = TunablesWithLargerCache(std::getenv("GLIBC_TUNABLES"));
  if (!tunables || ::setenv("GLIBC_TUNABLES", tunables->c_str(), 1) != 0) return;
  ::execv("/proc/self/exe", argv);
}
