// The DLL's platform: the real profile functions, dialogs and message box.
#include "platform/platform.h"
#include "reports/host_program_scan.h"
#include "settings/dialogs_headless.h"
#include "settings/profile_win32.h"
#include "windows/no_multiplier_windows.h"

Platform MakePlatform() {
  Platform platform;
  platform.profile = std::make_unique<Win32ProfileStore>();
  platform.dialogs = std::make_unique<HeadlessDialogs>();
  platform.hostProgram = std::make_unique<ScanningHostProgram>();
  platform.windows = std::make_unique<NoMultiplierWindows>();
  return platform;
}
