// Linux: the program's own path from /proc.
#include "host_platform.h"

namespace host_platform {

std::filesystem::path DefaultPluginPath() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path() / "libStats.so";
}

std::filesystem::path DefaultCountryFile() { return "/usr/share/hamradio-files/cty.dat"; }

}  // namespace host_platform

DialogAnswerer::DialogAnswerer() = default;
