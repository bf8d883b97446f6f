// The DLL's platform: the real profile functions, dialogs, message box and version look-up.
#include "platform/platform.h"
#include "reports/host_program_win32.h"
#include "settings/dialogs_win32.h"
#include "settings/profile_win32.h"
#include "windows/multiplier_windows_win32.h"

Platform MakePlatform() {
  Platform platform;
  platform.profile = std::make_unique<Win32ProfileStore>();
  platform.dialogs = std::make_unique<Win32Dialogs>();
  platform.hostProgram = std::make_unique<Win32HostProgram>();
  platform.windows = std::make_unique<Win32MultiplierWindows>();
  return platform;
}
