// Windows: everything lies in the program's own folder.
#include <windows.h>

#include <string>

#include "program_files.h"

namespace {

std::filesystem::path ProgramFolder() {
  char path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::filesystem::path(std::string(path, n)).parent_path();
}

}  // namespace

std::filesystem::path DefaultPluginPath() { return ProgramFolder() / "Stats.dll"; }

std::filesystem::path DefaultCountryFile() { return ProgramFolder() / "cty.dat"; }
