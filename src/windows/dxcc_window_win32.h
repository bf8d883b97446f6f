// The DXCC window: the entity list of the current band, or the worked grid of the call being
// typed, refreshed by a one-shot timer that the host's call checks re-arm.
#pragma once

#include <windows.h>

#include <atomic>
#include <optional>
#include <string>

#include "host_link_win32.h"
#include "multiplier_windows.h"
#include "prefix_window_win32.h"
#include "window_placement_win32.h"

// Posted by the host's thread, which may not touch the window's timer itself.
inline constexpr UINT kRefreshMessage = WM_APP + 1;

class DxccWindow {
 public:
  // `published` holds the window's handle while the host's thread may post to it.
  DxccWindow(HINSTANCE module, const SharedContest& contest, Settings& settings, std::atomic<HWND>& published)
      : module_(module), contest_(contest), published_(published), placement_(settings) {}
  DxccWindow(const DxccWindow&) = delete;
  DxccWindow& operator=(const DxccWindow&) = delete;

  // From opening to closing, on the calling thread. The SA Prefix window and the host link stay
  // until this object goes, on the same thread.
  void Run();

 private:
  static INT_PTR CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Open(HWND window);
  void End(HWND window);
  void Tick(HWND window);
  // The tick's steps up to the first request the host refuses.
  HRESULT Refresh(HWND window);
  void Paint(const DRAWITEMSTRUCT& item);

  HINSTANCE module_;
  const SharedContest& contest_;
  std::atomic<HWND>& published_;
  WindowPlacement placement_;
  PrefixWindow prefix_{module_, placement_};
  std::optional<HostLink> host_;  // made on the first tick
  bool ticking_ = false;
  double lastMacroHertz_ = 0.0;
  std::string enteredCall_;
  FrequencyBand band_;
};
