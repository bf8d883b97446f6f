// Where the two windows open and how their places are kept in the settings; what both windows do
// alike when they open or are resized.
#pragma once

#include <windows.h>

#include "settings/profile_win32.h"
#include "settings/settings.h"
#include "windows/window_model.h"

struct PositionKeys {
  const char* x;
  const char* y;
  int defaultY;
};

inline constexpr PositionKeys kDxccPositionKeys{"dxcc_x", "dxcc_y", 400};
inline constexpr PositionKeys kPrefixPositionKeys{"member_x", "member_y", 10};

// The one corner both windows last read or wrote, and the settings it goes to. Window thread only:
// the host's thread has settings of its own.
class WindowPlacement {
 public:
  // Moves the window to its stored corner, keeping its size, and puts it above all others
  // without taking the keyboard from the host.
  void Open(HWND window, const PositionKeys& keys);
  // Writes each coordinate of the window's corner that differs from the remembered one.
  void Save(HWND window, const PositionKeys& keys);

 private:
  Win32ProfileStore store_;
  Settings settings_{store_};
  WindowPosition remembered_;
};

void ShowBigIcon(HWND window, HINSTANCE module);
// The window's one control over its client area less the margins.
void FitChildToClient(HWND window, int childId);
