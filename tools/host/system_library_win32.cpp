// LoadLibraryA, as the host loads its statistics sets.
#include <windows.h>

#include <stdexcept>
#include <string>

#include "system_library.h"

namespace system_library {

namespace {

std::string SystemMessage(DWORD error) {
  char text[512] = {};
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                           sizeof text, nullptr);
  while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == ' ')) --n;
  return "error " + std::to_string(error) + (n > 0 ? ": " + std::string(text, n) : "");
}

}  // namespace

void* Open(const std::filesystem::path& path) {
  HMODULE library = LoadLibraryA(path.string().c_str());
  if (!library) throw std::runtime_error(SystemMessage(GetLastError()));
  return reinterpret_cast<void*>(library);
}

void Close(void* library) { FreeLibrary(reinterpret_cast<HMODULE>(library)); }

void (*Find(void* library, const char* name))() {
  return reinterpret_cast<void (*)()>(GetProcAddress(reinterpret_cast<HMODULE>(library), name));
}

}  // namespace system_library
