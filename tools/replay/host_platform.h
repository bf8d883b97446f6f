// What the replay needs from the operating system besides the loader: where this program lies,
// and someone to press OK in the plug-in's dialogs.
#pragma once

#include <filesystem>
#include <thread>

namespace host_platform {

// The plug-in beside this program: libStats.so, or Stats.dll on Windows.
std::filesystem::path DefaultPluginPath();
// The country file: the system's on Linux, the one shipped beside this program on Windows.
std::filesystem::path DefaultCountryFile();

}  // namespace host_platform

// While it lives, presses OK in the plug-in's modal dialogs of a report run (the Cabrillo header
// dialog and the "Output" message box), so that a run needs nobody at the screen. The native
// plug-in's dialogs answer themselves: there it has nothing to do.
class DialogAnswerer {
 public:
  DialogAnswerer();

 private:
  std::jthread presser_;
};
