// The module's two always-on-top windows and the host link behind them, as the rest of the
// module sees them.
#pragma once

#include "profile_store.h"
#include "shared_contest.h"

class MultiplierWindows {
 public:
  virtual ~MultiplierWindows() = default;
  virtual bool IsOpen() = 0;
  // Starts the window thread; returns without waiting for the window. The thread keeps the module,
  // and with it the model, alive until it has ended.
  // The windows only read the model, and keep their places in the module's settings file.
  virtual void Start(const SharedContest& contest, ProfileStore& profile) = 0;
  // Re-arms the window's one-shot refresh, about 330 ms from now; nothing when no window is open.
  virtual void RequestRefresh() = 0;
  // Puts the host's modem into the contest mode on a connection of its own. True once the
  // macros reached a running host.
  virtual bool SendModeMacros() = 0;
};
