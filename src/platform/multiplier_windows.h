// The module's two always-on-top windows and the host link behind them, as the rest of the
// module sees them.
#pragma once

class MultiplierWindows {
 public:
  virtual ~MultiplierWindows() = default;
  virtual bool IsOpen() = 0;
  // Starts the window thread; returns without waiting for the window.
  virtual void Start() = 0;
  // Puts the host's modem into the contest mode. True once the macros reached a running host.
  virtual bool SendModeMacros() = 0;
};
