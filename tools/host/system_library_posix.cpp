// dlopen with every symbol bound at once, so that a missing one fails the load, not a later call.
#include <dlfcn.h>

#include <stdexcept>

#include "system_library.h"

namespace system_library {

void* Open(const std::filesystem::path& path) {
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) throw std::runtime_error(dlerror());
  return library;
}

void Close(void* library) { dlclose(library); }

void (*Find(void* library, const char* name))() { return reinterpret_cast<void (*)()>(dlsym(library, name)); }

}  // namespace system_library
