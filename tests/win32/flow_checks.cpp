#include "flow_checks.h"

#include <windows.h>

#include <cstdio>
#include <mutex>

namespace {

std::mutex g_lock;
int g_passed = 0;
int g_failed = 0;

}  // namespace

std::string Printable(std::string_view bytes) {
  std::string out;
  for (unsigned char c : bytes) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c < 0x20 || c >= 0x7F) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", c);
      out += hex;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

void Check(bool ok, std::string_view what, std::string_view detail) {
  std::lock_guard guard(g_lock);
  if (ok) {
    ++g_passed;
    return;
  }
  ++g_failed;
  std::printf("FAIL: %.*s%s%.*s\n", static_cast<int>(what.size()), what.data(), detail.empty() ? "" : ": ",
              static_cast<int>(detail.size()), detail.data());
  std::fflush(stdout);
}

void CheckText(std::string_view what, std::string_view got, std::string_view want) {
  Check(got == want, what, "got \"" + Printable(got) + "\", expected \"" + Printable(want) + "\"");
}

void CheckInt(std::string_view what, long long got, long long want) {
  Check(got == want, what, "got " + std::to_string(got) + ", expected " + std::to_string(want));
}

int Summary() {
  std::lock_guard guard(g_lock);
  std::printf("%d passed, %d failed\n", g_passed, g_failed);
  std::fflush(stdout);
  return g_failed == 0 ? 0 : 1;
}

void Abandon(std::string_view why) {
  Check(false, why);
  Summary();
  // ExitProcess would run the DLL's detach code while another thread sits in its dialog.
  TerminateProcess(GetCurrentProcess(), 1);
  for (;;) Sleep(INFINITE);
}
