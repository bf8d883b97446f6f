// One window thread at a time. The host's thread only posts to the window. The thread holds a
// reference to this module from before it starts until its very last act, FreeLibraryAndExitThread,
// so the module cannot be unmapped while any of its code may still run there: waiting for the
// thread at the module's exit instead would wait under the loader lock, which the thread itself may
// need for the system's own work (a first paint, a COM proxy), and a wait that gives up unmaps code
// the thread then returns into.
#include "multiplier_windows_win32.h"

#include <memory>

#include "host_link_win32.h"
#include "guarded.h"
#include "this_module_win32.h"
#include "dxcc_window_win32.h"
#include "settings.h"

namespace {

struct WindowThreadStart {
  Win32MultiplierWindows* owner;
  const SharedContest& contest;
  Settings settings;  // the window positions
  HMODULE module;  // the thread's own reference, released as it ends
};

// The thread's work, every object of it gone when this returns.
void RunWindow(WindowThreadStart& start, std::atomic<HWND>& published) {
  Guarded([&] {
    DxccWindow window(start.module, start.contest, start.settings, published);
    window.Run();
  });
}

}  // namespace

bool Win32MultiplierWindows::IsOpen() { return running_.load(); }

void Win32MultiplierWindows::Start(const SharedContest& contest, ProfileStore& profile) {
  bool idle = false;
  if (!running_.compare_exchange_strong(idle, true)) return;
  // Taken here, on the host's thread: once the host has let the module go, nothing else could.
  HMODULE self = ReferenceThisModule();
  if (!self) {
    running_.store(false);
    return;
  }
  auto start = std::make_unique<WindowThreadStart>(WindowThreadStart{this, contest, Settings(profile), self});
  UniqueHandle thread(CreateThread(nullptr, 0, &Win32MultiplierWindows::ThreadMain, start.get(), 0, nullptr));
  if (!thread) {
    FreeLibrary(self);
    running_.store(false);
    return;
  }
  start.release();
}

DWORD WINAPI Win32MultiplierWindows::ThreadMain(void* raw) {
  HMODULE module = nullptr;
  {
    std::unique_ptr<WindowThreadStart> start(static_cast<WindowThreadStart*>(raw));
    module = start->module;
    RunWindow(*start, start->owner->window_);
    start->owner->running_.store(false);
  }
  // When the host has already let the module go, this unloads it, here; the thread never returns
  // into the module's code.
  FreeLibraryAndExitThread(module, 0);
}

void Win32MultiplierWindows::RequestRefresh() {
  if (HWND window = window_.load()) PostMessageA(window, kRefreshMessage, 0, 0);
}

bool Win32MultiplierWindows::SendModeMacros() {
  HostLink host;
  return host.connected() && SUCCEEDED(host.RunMacro(kModeMacro)) && SUCCEEDED(host.RunMacro(kBaudRateMacro));
}
