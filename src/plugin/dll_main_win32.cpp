// The module's exit as the loader runs it: the window is closed before the state it reads goes.
#include <windows.h>

#include "plugin/guarded.h"
#include "plugin/stats_module.h"

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
  if (reason == DLL_PROCESS_DETACH) {
    // A non-null `reserved` means the whole process is exiting: the system has already stopped
    // the window thread, so nothing may wait for it.
    Guarded([&] { TheModule().Shutdown(reserved != nullptr); });
    Sleep(20);
  }
  return TRUE;
}
