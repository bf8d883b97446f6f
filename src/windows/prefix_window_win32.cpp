// A modeless dialog without a parent, so that it stays where the operator put it whatever the
// DXCC window does.
#include "prefix_window_win32.h"

#include "guarded.h"
#include "window_ids.h"

void PrefixWindow::Open() {
  window_.reset(CreateDialogParamA(module_, MAKEINTRESOURCEA(IDD_SA_PREFIX), nullptr, &PrefixWindow::Proc,
                                   reinterpret_cast<LPARAM>(this)));
  // Shown without activation: the operator is typing into the host when the first tick comes.
  if (window_) ShowWindow(window_.get(), SW_SHOWNOACTIVATE);
}

void PrefixWindow::Refresh(const SharedContest& contest, const FrequencyBand& band) {
  if (!window_) return;
  SetWindowTextA(window_.get(), PrefixCaption(band.text).c_str());
  std::optional<std::vector<std::string>> items = contest.Read(
      [&](const Contest& read) { return PrefixListReload(read.BandCalls, band.index, loadedCount_); });
  if (!items) return;
  HWND list = GetDlgItem(window_.get(), IDC_PREFIX_LIST);
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (const std::string& item : *items) SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
}

INT_PTR CALLBACK PrefixWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded<INT_PTR>(FALSE, [&]() -> INT_PTR {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(window, DWLP_USER, lParam);
    auto* self = reinterpret_cast<PrefixWindow*>(GetWindowLongPtrA(window, DWLP_USER));
    return self ? self->Handle(window, message, wParam) : FALSE;
  });
}

INT_PTR PrefixWindow::Handle(HWND window, UINT message, WPARAM wParam) {
  switch (message) {
    case WM_INITDIALOG:
      placement_.Open(window, kPrefixPositionKeys);
      background_.reset(CreateSolidBrush(RGB(kPrefixBackground.r, kPrefixBackground.g, kPrefixBackground.b)));
      ShowBigIcon(window, module_);
      // No focus to a control: that would activate the window and take the keyboard from the host.
      return FALSE;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORLISTBOX: {
      auto dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, RGB(0, 0, 0));
      SetBkColor(dc, RGB(kPrefixBackground.r, kPrefixBackground.g, kPrefixBackground.b));
      return reinterpret_cast<INT_PTR>(background_.get());
    }
    case WM_SIZE:
      FitChildToClient(window, IDC_PREFIX_LIST);
      return FALSE;
    case WM_SETCURSOR:
      placement_.Save(window, kPrefixPositionKeys);
      return FALSE;
    case WM_COMMAND:
      // The close box and Esc arrive as IDCANCEL, as in any dialog; the window is only hidden.
      if (LOWORD(wParam) == IDCANCEL) {
        ShowWindow(window, SW_HIDE);
        return TRUE;
      }
      return FALSE;
  }
  return FALSE;
}
