// The DLL's platform: the real profile functions, dialogs, message box and version look-up.
#include "platform.h"
#include "host_program_win32.h"
#include "dialogs_win32.h"
#include "profile_win32.h"
#include "multiplier_windows_win32.h"

Platform MakePlatform() {
  Platform platform;
  platform.profile = std::make_unique<Win32ProfileStore>();
  platform.dialogs = std::make_unique<Win32Dialogs>();
  platform.hostProgram = std::make_unique<Win32HostProgram>();
  platform.windows = std::make_unique<Win32MultiplierWindows>();
  return platform;
}
