// The native library's platform: an INI file of our own, scripted dialogs, no windows.
#include "platform.h"
#include "host_program_scan.h"
#include "dialogs_headless.h"
#include "ini_store.h"
#include "no_multiplier_windows.h"

Platform MakePlatform() {
  Platform platform;
  platform.profile = std::make_unique<IniFileStore>();
  platform.dialogs = std::make_unique<HeadlessDialogs>();
  platform.hostProgram = std::make_unique<ScanningHostProgram>();
  platform.windows = std::make_unique<NoMultiplierWindows>();
  return platform;
}
