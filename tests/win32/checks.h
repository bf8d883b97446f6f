// Pass/fail counting for the Windows test programs, safe to call from any of their threads.
#pragma once

#include <string>
#include <string_view>

void Check(bool ok, std::string_view what, std::string_view detail = {});
// A long text (a whole file) that differs is shown from the start of its first differing line.
void CheckText(std::string_view what, std::string_view got, std::string_view want);
// A null text is a failure of its own, not an empty one.
void CheckText(std::string_view what, const char* got, std::string_view want);
void CheckInt(std::string_view what, long long got, long long want);
#define CHECK(cond, what) Check((cond), (what), #cond)

// Control characters made visible, so that a failed comparison of file bytes can be read.
std::string Printable(std::string_view bytes);

// Prints "N passed, M failed"; the process's exit code.
int Summary();
// For a test that cannot go on (a dialog that never came, a DLL that did not load, a fault inside
// the DLL): records the failure, prints the summary and ends the process at once, whatever thread
// is stuck in a dialog. No exit handlers run: the DLL's state is not to be trusted any more.
[[noreturn]] void Abandon(std::string_view why);
