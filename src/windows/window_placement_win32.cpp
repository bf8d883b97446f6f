// Placement through the portable decisions: the stored corner or the default, and writes only
// for what moved.
#include "window_placement_win32.h"

#include "window_ids.h"

void WindowPlacement::Open(HWND window, const PositionKeys& keys) {
  remembered_ = OpeningPosition(settings_.ReadSettingInt(keys.x), settings_.ReadSettingInt(keys.y), keys.defaultY);
  SetWindowPos(window, nullptr, remembered_.x, remembered_.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void WindowPlacement::Save(HWND window, const PositionKeys& keys) {
  RECT frame{};
  if (!GetWindowRect(window, &frame)) return;
  PositionWrite write = SavePosition(remembered_, frame.left, frame.top);
  if (write.x) settings_.WriteSettingInt(keys.x, remembered_.x);
  if (write.y) settings_.WriteSettingInt(keys.y, remembered_.y);
}

void ShowBigIcon(HWND window, HINSTANCE module) {
  // A loaded icon resource is shared by the system: nothing to destroy.
  HICON icon = LoadIconA(module, MAKEINTRESOURCEA(IDI_STATS));
  SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
}

void FitChildToClient(HWND window, int childId) {
  RECT client{};
  GetClientRect(window, &client);
  Rect child = ChildRectForClient(client.right - client.left, client.bottom - client.top);
  HWND control = GetDlgItem(window, childId);
  MoveWindow(control, child.left, child.top, child.right - child.left, child.bottom - child.top, TRUE);
  InvalidateRect(control, nullptr, TRUE);
}
