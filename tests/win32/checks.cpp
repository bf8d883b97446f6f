#include "checks.h"

#include <windows.h>

#include <algorithm>
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
    } else if (c == '\\') {
      out += "\\\\";
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
  if (got == want) return Check(true, what);
  std::size_t from = 0;
  if (got.size() + want.size() > 200) {
    std::size_t i = 0;
    while (i < got.size() && i < want.size() && got[i] == want[i]) ++i;
    std::size_t lineStart = want.substr(0, i).rfind('\n');
    from = lineStart == std::string_view::npos ? 0 : lineStart + 1;
  }
  std::string where = from ? " from byte " + std::to_string(from) : std::string();
  Check(false, what,
        "got" + where + " \"" + Printable(got.substr(std::min(from, got.size()))) + "\", expected" + where + " \"" +
            Printable(want.substr(from)) + "\"");
}

void CheckText(std::string_view what, const char* got, std::string_view want) {
  if (!got) return Check(false, what, "got a null pointer, expected \"" + Printable(want) + "\"");
  CheckText(what, std::string_view(got), want);
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
