// Stands in for the multiplier windows and the host link until they exist: no window ever opens
// and no host is reached.
#pragma once

#include "platform/multiplier_windows.h"

class NoMultiplierWindows : public MultiplierWindows {
 public:
  bool IsOpen() override { return false; }
  void Start() override {}
  bool SendModeMacros() override { return false; }
};
