// Stands in for the multiplier windows and the host link where there is no window system: no
// window ever opens and no host is reached.
#pragma once

#include "multiplier_windows.h"

class NoMultiplierWindows : public MultiplierWindows {
 public:
  bool IsOpen() override { return false; }
  void Start(const SharedContest&, ProfileStore&) override {}
  void RequestRefresh() override {}
  bool SendModeMacros() override { return false; }
};
