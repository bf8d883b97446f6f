// Linux: the program's own path from /proc; the country file of Debian's hamradio-files.
#include "program_files.h"

std::filesystem::path DefaultPluginPath() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path() / "libStats.so";
}

std::filesystem::path DefaultCountryFile() { return "/usr/share/hamradio-files/cty.dat"; }
