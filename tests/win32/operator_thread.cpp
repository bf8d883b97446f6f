#include "operator_thread.h"

namespace {

constexpr DWORD kPatienceMs = 20000;
constexpr DWORD kPollMs = 20;

BOOL CALLBACK CollectStatic(HWND child, LPARAM param) {
  char className[16] = {};
  GetClassNameA(child, className, sizeof className);
  if (lstrcmpiA(className, "Static") == 0) {
    auto* texts = reinterpret_cast<std::vector<std::string>*>(param);
    // Enumerating cannot throw past this frame: give up quietly and let the checks notice.
    try {
      texts->push_back(WindowText(child));
    } catch (...) {
      return FALSE;
    }
  }
  return TRUE;
}

}  // namespace

HWND AwaitWindow(const char* caption) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < kPatienceMs) {
    HWND window = FindWindowA(nullptr, caption);
    // Modal dialogs become visible only once WM_INITDIALOG has filled them.
    if (window && IsWindowVisible(window)) return window;
    Sleep(kPollMs);
  }
  Abandon(std::string("no window \"") + caption + "\" within 20 s");
}

void AwaitGone(HWND window, const std::string& what) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < kPatienceMs) {
    if (!IsWindow(window)) return;
    Sleep(kPollMs);
  }
  Abandon(what + ": window still open after 20 s");
}

std::string WindowText(HWND window) {
  int length = GetWindowTextLengthA(window);
  std::string text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
  int copied = GetWindowTextA(window, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

std::string ItemText(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }

std::vector<std::string> ListEntries(HWND dialog, int id) {
  std::vector<std::string> entries;
  LRESULT count = SendDlgItemMessageA(dialog, id, CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    LRESULT length = SendDlgItemMessageA(dialog, id, CB_GETLBTEXTLEN, i, 0);
    std::string entry(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    LRESULT copied = SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entry.data()));
    entry.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    entries.push_back(entry);
  }
  return entries;
}

std::vector<std::string> StaticTexts(HWND dialog) {
  std::vector<std::string> texts;
  EnumChildWindows(dialog, CollectStatic, reinterpret_cast<LPARAM>(&texts));
  return texts;
}

std::string MessageText(HWND box) {
  std::string text = ItemText(box, 0xFFFF);
  if (!text.empty()) return text;
  // The icon is a static control without text; the message is the one with text.
  for (const std::string& candidate : StaticTexts(box)) {
    if (!candidate.empty()) return candidate;
  }
  return {};
}

SIZE PixelsOf(HWND dialog, int widthUnits, int heightUnits) {
  RECT rect{0, 0, widthUnits, heightUnits};
  MapDialogRect(dialog, &rect);
  return SIZE{rect.right, rect.bottom};
}

SIZE ClientSize(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

SIZE OuterSize(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

void TypeText(HWND dialog, int id, const char* text) { SetDlgItemTextA(dialog, id, text); }

void ChooseEntry(HWND dialog, int id, const char* entry) {
  LRESULT index = SendDlgItemMessageA(dialog, id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                      reinterpret_cast<LPARAM>(entry));
  Check(index != CB_ERR, std::string("entry \"") + entry + "\" is in the list");
  SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void Click(HWND dialog, int id) { SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0); }

void Press(HWND dialog, int id) {
  PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

void PressKey(HWND control, UINT virtualKey, UINT scanCode) {
  const LPARAM down = static_cast<LPARAM>(scanCode) << 16 | 1;
  PostMessageA(control, WM_KEYDOWN, virtualKey, down);
  PostMessageA(control, WM_KEYUP, virtualKey, down | static_cast<LPARAM>(0xC0000000u));
}

void PressEsc(HWND control) { PressKey(control, VK_ESCAPE, 0x01); }

void CloseWithCloseBox(HWND dialog) { PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }
