// Windows: the program's own folder, and a thread that presses OK in the plug-in's dialogs.
#include <windows.h>

#include <chrono>
#include <string>

#include "host_platform.h"

namespace host_platform {

namespace {

std::filesystem::path ProgramFolder() {
  char path[MAX_PATH] = {};
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  return std::filesystem::path(std::string(path, n)).parent_path();
}

}  // namespace

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
