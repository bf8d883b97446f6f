// Everything the module needs from the operating system, one implementation per build.
#pragma once

#include <memory>

#include "dialogs.h"
#include "host_program.h"
#include "multiplier_windows.h"
#include "profile_store.h"

struct Platform {
  std::unique_ptr<ProfileStore> profile;
  std::unique_ptr<Dialogs> dialogs;
  std::unique_ptr<HostProgram> hostProgram;
  std::unique_ptr<MultiplierWindows> windows;
};

// The real Win32 one in the DLL, headless stand-ins in the native library.
Platform MakePlatform();
