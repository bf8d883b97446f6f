// The window thread's lifetime as the host's thread sees it: start and refresh requests. The
// thread keeps the module loaded until it has ended.
#pragma once

#include <windows.h>

#include <atomic>

#include "multiplier_windows.h"

class Win32MultiplierWindows : public MultiplierWindows {
 public:
  bool IsOpen() override;
  void Start(const SharedContest& contest, ProfileStore& profile) override;
  void RequestRefresh() override;
  bool SendModeMacros() override;

 private:
  static DWORD WINAPI ThreadMain(void* start);

  // Set by Start, cleared by the window thread once its windows are gone.
  std::atomic<bool> running_{false};
  // The DXCC window while it may be posted to; never used to call into it directly.
  std::atomic<HWND> window_{nullptr};
};
