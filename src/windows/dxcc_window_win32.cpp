// The window's messages. The model is only read, under its lock, to copy from it: never across a
// call to the host, a message to another thread or the making of a window.
#include "dxcc_window_win32.h"

#include <cstdio>

#include "guarded.h"
#include "window_ids.h"
#include "grid_painter_win32.h"

namespace {

BOOL CALLBACK CloseIfOwnedBy(HWND window, LPARAM owner) {
  if (GetWindow(window, GW_OWNER) == reinterpret_cast<HWND>(owner)) PostMessageA(window, WM_CLOSE, 0, 0);
  return TRUE;
}

}  // namespace

void DxccWindow::Run() {
  DialogBoxParamA(module_, MAKEINTRESOURCEA(IDD_DXCC), nullptr, &DxccWindow::Proc, reinterpret_cast<LPARAM>(this));
}

INT_PTR CALLBACK DxccWindow::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return Guarded<INT_PTR>(FALSE, [&]() -> INT_PTR {
    if (message == WM_INITDIALOG) SetWindowLongPtrA(window, DWLP_USER, lParam);
    auto* self = reinterpret_cast<DxccWindow*>(GetWindowLongPtrA(window, DWLP_USER));
    return self ? self->Handle(window, message, wParam, lParam) : FALSE;
  });
}

INT_PTR DxccWindow::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      Open(window);
      return TRUE;
    case WM_SIZE:
      FitChildToClient(window, IDC_DXCC_GRID);
      return FALSE;
    case WM_SETCURSOR:
      placement_.Save(window, kDxccPositionKeys);
      return FALSE;
    case WM_TIMER:
      if (wParam != kRefreshTimerId) return FALSE;
      Tick(window);
      return TRUE;
    case kRefreshMessage:
      SetTimer(window, kRefreshTimerId, kRearmRefreshMs, nullptr);
      return TRUE;
    case WM_CLOSE:
      End(window);
      return TRUE;
    case WM_COMMAND:
      if (LOWORD(wParam) != IDCANCEL) return FALSE;
      End(window);
      return TRUE;
    case WM_DRAWITEM:
      if (wParam != IDC_DXCC_GRID) return FALSE;
      Paint(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_DESTROY:
      published_.store(nullptr);
      return FALSE;
  }
  return FALSE;
}

void DxccWindow::Open(HWND window) {
  placement_.Open(window, kDxccPositionKeys);
  ShowBigIcon(window, module_);
  SetTimer(window, kRefreshTimerId, kFirstRefreshMs, nullptr);
  // Published only once the first tick is armed: a refresh the host asks for before it sees the
  // handle is covered by that tick.
  published_.store(window);
}

void DxccWindow::End(HWND window) {
  published_.store(nullptr);
  // An error box of a tick would keep the dialog's loop, and with it the thread, waiting for
  // the operator.
  EnumThreadWindows(GetCurrentThreadId(), &CloseIfOwnedBy, reinterpret_cast<LPARAM>(window));
  EndDialog(window, 0);
}

void DxccWindow::Tick(HWND window) {
  // While a tick waits for the host or shows an error, the timer may fire again: it is left
  // armed, so it fires once more after this tick.
  if (ticking_) return;
  ticking_ = true;
  struct Done {
    bool& ticking;
    ~Done() { ticking = false; }
  } done{ticking_};

  KillTimer(window, kRefreshTimerId);
  HRESULT refused = Refresh(window);
  if (FAILED(refused)) {
    char text[80];
    std::snprintf(text, sizeof text, "The host refused a request: 0x%08lX", static_cast<unsigned long>(refused));
    MessageBoxA(window, text, "PSK-63-TORVALE", MB_OK | MB_ICONWARNING);
  }
}

HRESULT DxccWindow::Refresh(HWND window) {
  if (!prefix_.exists()) prefix_.Open();
  HRESULT result = S_OK;
  if (!host_) {
    host_.emplace();
    if (FAILED(result = host_->RunMacro(kModeMacro))) return result;
    if (FAILED(result = host_->RunMacro(kBaudRateMacro))) return result;
  }

  HostAnswer<std::string> call = host_->EnteredCall();
  if (FAILED(call.result)) return call.result;
  enteredCall_ = std::move(call.value);

  HostAnswer<double> frequency = host_->Frequency();
  if (FAILED(frequency.result)) return frequency.result;
  if (FrequencyMoved(frequency.value, lastMacroHertz_)) {
    if (FAILED(result = host_->RunMacro(kSp1Macro))) return result;
    lastMacroHertz_ = frequency.value;
  }

  band_ = BandFromFrequency(frequency.value);
  SetWindowTextA(window, DxccCaption(enteredCall_, band_.text).c_str());
  prefix_.Refresh(contest_, band_);
  InvalidateRect(GetDlgItem(window, IDC_DXCC_GRID), nullptr, FALSE);
  return S_OK;
}

void DxccWindow::Paint(const DRAWITEMSTRUCT& item) {
  // The grid is drawn from the log as it is now, for the call the last tick found typed.
  PaintSnapshot snapshot = contest_.Read([this](const Contest& contest) {
    PaintSnapshot read;
    read.enteredCall = enteredCall_;
    read.currentBand = band_.index;
    if (!enteredCall_.empty()) read.bandRows = RowsForCall(contest.Log, enteredCall_);
    if (band_.index >= 0) read.bandDxcc = contest.BandDxcc[static_cast<std::size_t>(band_.index)];
    return read;
  });
  PaintGrid(item.hDC, item.rcItem, snapshot);
}
