// The module-wide state behind the entry points, and the one lock that guards it.
#pragma once

#include <mutex>
#include <string>

#include "engine/contest_log.h"

struct Module {
  // Held only while the model is read or changed: never across a dialog, a message box, a COM
  // call, a message to another thread or the window thread's start and close.
  std::mutex lock;
  Contest contest;
  std::string summaryText;  // GetResult0's answer, valid until its next call
};

Module& TheModule();
