// Windows: LoadLibraryA as the host does, and a thread that presses OK in the plug-in's dialogs.
#include <windows.h>

#include <chrono>
#include <stdexcept>
#include <string>

#include "host_platform.h"

namespace host_platform {

namespace {

std::string SystemMessage(DWORD error) {
  char text[512] = {};
  DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                           sizeof text, nullptr);
  while (n > 0 && (text[n - 1] == '\r' || text[n - 1] == '\n' || text[n - 1] == ' ')) --n;
  return "error " + std::to_string(error) + (n > 0 ? ": " + std::string(text, n) : "");
}

std::filesystem::path ProgramFolder() {
  char path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::filesystem::path(std::string(path, n)).parent_path();
}

}  // namespace

void* OpenLibrary(const std::filesystem::path& path) {
  HMODULE library = LoadLibraryA(path.string().c_str());
  if (!library) throw std::runtime_error(SystemMessage(GetLastError()));
  return reinterpret_cast<void*>(library);
}

void CloseLibrary(void* library) { FreeLibrary(reinterpret_cast<HMODULE>(library)); }

RawFunction FindFunction(void* library, const char* name) {
  return reinterpret_cast<RawFunction>(GetProcAddress(reinterpret_cast<HMODULE>(library), name));
}

std::filesystem::path DefaultPluginPath() { return ProgramFolder() / "Stats.dll"; }

std::filesystem::path DefaultCountryFile() { return ProgramFolder() / "cty.dat"; }

}  // namespace host_platform

namespace {

// Only windows of this process: another program's "Output" window is none of ours.
void PressOk(const char* caption) {
  const DWORD self = GetCurrentProcessId();
  for (HWND window = FindWindowExA(nullptr, nullptr, nullptr, caption); window;
       window = FindWindowExA(nullptr, window, nullptr, caption)) {
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == self) PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  }
}

}  // namespace

DialogAnswerer::DialogAnswerer()
    : presser_([](std::stop_token stop) {
        while (!stop.stop_requested()) {
          PressOk("PSK-63-TORVALE");
          PressOk("Output");
          std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
      }) {}
