// Pass/fail counting shared by the flow test's main thread and its operator threads.
#pragma once

#include <string>
#include <string_view>

void Check(bool ok, std::string_view what, std::string_view detail = {});
void CheckText(std::string_view what, std::string_view got, std::string_view want);
void CheckInt(std::string_view what, long long got, long long want);

// Control characters made visible, so that a failed comparison of file bytes can be read.
std::string Printable(std::string_view bytes);

// Prints "N passed, M failed"; the process's exit code.
int Summary();
// For a test that cannot go on (a dialog that never came, a DLL that did not load): records the
// failure, prints the summary and ends the process, whatever thread is stuck in a dialog.
[[noreturn]] void Abandon(std::string_view why);
