// One window thread at a time. The host's thread only posts to the window; at the module's exit
// it waits for the thread while serving what the thread may be waiting for in turn.
#include "windows/multiplier_windows_win32.h"

#include <algorithm>
#include <memory>

#include "automation/host_link_win32.h"
#include "plugin/guarded.h"
#include "windows/dxcc_window_win32.h"
#include "windows/unique_win32.h"

namespace {

// Long enough for a tick to finish a request to the host, short enough that a host that never
// answers does not keep its own exit waiting.
constexpr ULONGLONG kCloseWaitMs = 5000;
constexpr DWORD kThreadEntryWaitMs = 5000;
constexpr DWORD kPollMs = 10;

// The dialog templates are in this DLL, not in the host's program.
HINSTANCE ThisModule() {
  HMODULE module = nullptr;
  GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                     reinterpret_cast<LPCSTR>(&ThisModule), &module);
  return module;
}

// Sent messages are served inside the wait itself; posted ones, among them the calls into the
// host's automation object from the window thread, are dispatched here. A quit message belongs
// to the host's own loop and is handed back afterwards.
void ServeMessagesFor(DWORD ms, bool& quit, WPARAM& quitCode) {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, ms, QS_ALLINPUT);
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      quit = true;
      quitCode = message.wParam;
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

struct WindowThreadStart {
  Win32MultiplierWindows* owner;
  SharedModel model;
  UniqueHandle entered;  // the thread's own copy of Start's event
};

}  // namespace

bool Win32MultiplierWindows::IsOpen() { return running_.load(); }

void Win32MultiplierWindows::Start(SharedModel model) {
  UniqueHandle entered(CreateEventA(nullptr, TRUE, FALSE, nullptr));
  if (!entered) return;
  auto start = std::make_unique<WindowThreadStart>(WindowThreadStart{this, model, {}});
  HANDLE process = GetCurrentProcess();
  if (!DuplicateHandle(process, entered.get(), process, start->entered.put(), 0, FALSE, DUPLICATE_SAME_ACCESS)) return;

  bool idle = false;
  if (!running_.compare_exchange_strong(idle, true)) return;
  closeRequested_.store(false);
  UniqueHandle thread(CreateThread(nullptr, 0, &Win32MultiplierWindows::ThreadMain, start.get(), 0, nullptr));
  if (!thread) {
    running_.store(false);
    return;
  }
  start.release();
  // A thread that has not yet run any of its code here could not do so while the module is
  // being unloaded (its start waits for the loader), and would start in unmapped code after.
  WaitForSingleObject(entered.get(), kThreadEntryWaitMs);
}

DWORD WINAPI Win32MultiplierWindows::ThreadMain(void* raw) {
  auto* start = static_cast<WindowThreadStart*>(raw);
  Win32MultiplierWindows& owner = *start->owner;
  Guarded([&] {
    std::unique_ptr<WindowThreadStart> owned(start);
    SetEvent(owned->entered.get());
    owned->entered.reset();
    DxccWindow window(ThisModule(), owned->model, WindowSignals{owner.window_, owner.closeRequested_});
    window.Run();
  });
  // Everything of this thread is gone by now: the module may be unloaded once this is seen.
  owner.running_.store(false);
  return 0;
}

void Win32MultiplierWindows::RequestRefresh() {
  if (HWND window = window_.load()) PostMessageA(window, kRefreshMessage, 0, 0);
}

void Win32MultiplierWindows::Close(bool processExiting) {
  // The system has already ended the window thread, wherever it was.
  if (processExiting) return;
  closeRequested_.store(true);
  if (HWND window = window_.load()) PostMessageA(window, kCloseMessage, 0, 0);

  // This runs under the loader lock: the thread's handle is signalled only after the thread has
  // taken that lock to exit, so the wait is for the flag the thread clears last.
  bool quit = false;
  WPARAM quitCode = 0;
  ULONGLONG deadline = GetTickCount64() + kCloseWaitMs;
  while (running_.load()) {
    ULONGLONG now = GetTickCount64();
    if (now >= deadline) break;
    ServeMessagesFor(static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, kPollMs)), quit, quitCode);
  }
  if (quit) PostQuitMessage(static_cast<int>(quitCode));
}

bool Win32MultiplierWindows::SendModeMacros() {
  HostLink host;
  return host.connected() && SUCCEEDED(host.RunMacro(kModeMacro)) && SUCCEEDED(host.RunMacro(kBaudRateMacro));
}
