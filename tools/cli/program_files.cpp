// Where a default lies is the system's matter (program_files_posix.cpp, program_files_win32.cpp).
#include "program_files.h"

namespace fs = std::filesystem;

ProgramFiles ResolveProgramFiles(const fs::path& plugin, const fs::path& countryDat, const fs::path& countryCsv) {
  ProgramFiles files;
  files.plugin = plugin.empty() ? DefaultPluginPath() : fs::absolute(plugin);
  files.countryDat = countryDat.empty() ? DefaultCountryFile() : fs::absolute(countryDat);
  files.countryCsv = countryCsv.empty() ? files.countryDat.parent_path() / "cty.csv" : fs::absolute(countryCsv);
  return files;
}
