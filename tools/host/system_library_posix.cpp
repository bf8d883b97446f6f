// dlopen with every symbol bound at once, so that a missing one fails the load, not a later call.
#include <dlfcn.h>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <stdexcept>

#include "system_library.h"

namespace system_library {

void* Open(const std::filesystem::path& path) {
  void* library = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!library) throw std::runtime_error(dlerror());
  return library;
}

// The allocator keeps the pages of the library's freed blocks for reuse, scattered as they are
// among the program's own; a long log's worth of them goes back to the system with the library.
void Close(void* library) {
  dlclose(library);
#ifdef __GLIBC__
  malloc_trim(0);
#endif
}

void (*Find(void* library, const char* name))() { return reinterpret_cast<void (*)()>(dlsym(library, name)); }

}  // namespace system_library
