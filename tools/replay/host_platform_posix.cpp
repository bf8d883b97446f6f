// Linux: dlopen, and the program's own path from /proc.
#include <dlfcn.h>

#include <stdexcept>

#include "host_platform.h"

namespace host_platform {

void* OpenLibrary(const std::filesystem::path& path) {
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) throw std::runtime_error(dlerror());
  return library;
}

void CloseLibrary(void* library) { dlclose(library); }

RawFunction FindFunction(void* library, const char* name) {
  return reinterpret_cast<RawFunction>(dlsym(library, name));
}

std::filesystem::path DefaultPluginPath() {
  return std::filesystem::read_symlink("/proc/self/exe").parent_path() / "libStats.so";
}

std::filesystem::path DefaultCountryFile() { return "/usr/share/hamradio-files/cty.dat"; }

}  // namespace host_platform

DialogAnswerer::DialogAnswerer() = default;
