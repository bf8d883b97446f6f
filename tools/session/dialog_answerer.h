// Someone to press OK in the plug-in's modal dialogs of a report run (the Cabrillo header dialog
// and the "Output" message box), so that a replay needs nobody at the screen. The native
// plug-in's dialogs answer themselves: there it has nothing to do.
#pragma once

#include <thread>

class DialogAnswerer {
 public:
  DialogAnswerer();

 private:
  std::jthread presser_;
};
