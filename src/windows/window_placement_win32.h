// Where the two windows open and how their places are kept in the settings; what both windows do
// alike when they open or are resized.
#pragma once

#include <windows.h>

#include "settings.h"
#include "setting_keys.h"
#include "window_model.h"

struct PositionKeys {
  std::string_view x;
  std::string_view y;
  int defaultY;
};

inline constexpr PositionKeys kDxccPositionKeys{setting_keys::kDxccX, setting_keys::kDxccY, 400};
inline constexpr PositionKeys kPrefixPositionKeys{setting_keys::kMemberX, setting_keys::kMemberY, 10};

// The one corner both windows last read or wrote, kept in the module's settings. Window thread
// only; the settings themselves hold nothing between calls and go to the file every time.
class WindowPlacement {
 public:
  explicit WindowPlacement(Settings& settings) : settings_(settings) {}
  // Moves the window to its stored corner, keeping its size, and puts it above all others
  // without taking the keyboard from the host.
  void Open(HWND window, const PositionKeys& keys);
  // Writes each coordinate of the window's corner that differs from the remembered one.
  void Save(HWND window, const PositionKeys& keys);

 private:
  Settings& settings_;
  WindowPosition remembered_;
};

void ShowBigIcon(HWND window, HINSTANCE module);
// The window's one control over its client area less the margins.
void FitChildToClient(HWND window, int childId);
