// A thread that presses OK in the plug-in's dialogs, found by their captions.
#include <windows.h>

#include <chrono>
#include <string>

#include "contest_rules.h"
#include "dialog_answerer.h"

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
          PressOk(std::string(kContestName).c_str());
          PressOk("Output");
          std::this_thread::sleep_for(std::chrono::milliseconds(50));
        }
      }) {}
