// The SA Prefix window: the new calls on the current band, made by the window thread on its first
// tick and destroyed with that thread.
#pragma once

#include <windows.h>

#include "multiplier_windows.h"
#include "unique_win32.h"
#include "window_placement_win32.h"

class PrefixWindow {
 public:
  PrefixWindow(HINSTANCE module, WindowPlacement& placement) : module_(module), placement_(placement) {}
  PrefixWindow(const PrefixWindow&) = delete;
  PrefixWindow& operator=(const PrefixWindow&) = delete;

  // Closed with its close box it is only hidden, and so still exists.
  bool exists() const { return static_cast<bool>(window_); }
  void Open();
  // Caption for the band; the list reloaded when the band's call count changed.
  void Refresh(const SharedContest& contest, const FrequencyBand& band);

 private:
  static INT_PTR CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(HWND window, UINT message, WPARAM wParam);

  HINSTANCE module_;
  WindowPlacement& placement_;
  // The brush outlives the window that paints with it.
  UniqueBrush background_;
  UniqueWindow window_;
  int loadedCount_ = 0;
};
