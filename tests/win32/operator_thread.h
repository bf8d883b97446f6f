// The operator, played by a second thread: while the plug-in holds the test's main thread in a
// modal dialog or message box, the operator finds that window by its caption, reads and fills
// its controls by id and closes it.
#pragma once

#include <windows.h>

#include <exception>
#include <string>
#include <thread>
#include <vector>

#include "checks.h"

// The visible top-level window with exactly this caption. Polls for up to 20 s, then abandons
// the test: the main thread would wait for the operator forever.
HWND AwaitWindow(const char* caption);

// Polls for up to 20 s until the window is destroyed, then abandons the test as above.
void AwaitGone(HWND window, const std::string& what);

std::string WindowText(HWND window);
std::string ItemText(HWND dialog, int id);
std::vector<std::string> ListEntries(HWND dialog, int id);
// The static texts of a dialog in the order of its controls: its labels.
std::vector<std::string> StaticTexts(HWND dialog);
// The text a message box shows.
std::string MessageText(HWND box);

// A size in dialog units converted to pixels as the dialog converts its template's units.
SIZE PixelsOf(HWND dialog, int widthUnits, int heightUnits);
SIZE ClientSize(HWND window);
SIZE OuterSize(HWND window);

void TypeText(HWND dialog, int id, const char* text);
// By exact text: CB_SELECTSTRING takes the first entry that starts with the text, so "80M"
// would pick "80M-40M".
void ChooseEntry(HWND dialog, int id, const char* entry);
void Click(HWND dialog, int id);
// As the push button would: posted, so the dialog's own thread ends it.
void Press(HWND dialog, int id);
// A key going down and up in `control`, posted so that the dialog's message loop sees it as it
// sees typing.
void PressKey(HWND control, UINT virtualKey, UINT scanCode);
void PressEsc(HWND control);
void CloseWithCloseBox(HWND dialog);

// Runs `act` on the operator thread while `call` runs here and returns what `call` returns.
template <class Act, class Call>
decltype(auto) WithOperator(Act act, Call call) {
  std::thread operatorThread([&act] {
    // An exception must not leave a thread procedure; a failed operator leaves a dialog open.
    try {
      act();
    } catch (const std::exception& e) {
      Abandon(std::string("operator thread: ") + e.what());
    } catch (...) {
      Abandon("operator thread: unknown exception");
    }
  });
  struct Join {
    std::thread& thread;
    ~Join() { thread.join(); }
  } join{operatorThread};
  return call();
}
