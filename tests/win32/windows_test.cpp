// The DXCC and SA Prefix windows under Wine, with this program playing the host: it loads
// Stats.dll, calls its entry points on its main thread, and serves a fake automation object of
// the host from that same thread, as the host serves its own. Screenshots go to the artefacts
// folder given on the command line.
//
//   stats_windows_test <Stats.dll> <artefacts folder> [group]   (all groups when none is named)
//   stats_windows_test --exit-with-window-open <Stats.dll>     (run by the test itself)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <tuple>
#include <vector>

#include "fake_automation_host.h"
#include "checks.h"
#include "stats_dll.h"
#include "window_ids.h"
#include "window_png.h"
#include "unique_win32.h"

namespace {

std::string g_dll;         // full path
std::string g_artifacts;   // full path
std::string g_scratch;     // full path; one folder per scenario below it

// Generous against a slow machine; what they guard against is a wait that never ends.
constexpr DWORD kWindowWaitMs = 10000;
// The host letting the module go never waits for the window thread.
constexpr unsigned long long kPromptUnloadMs = 1000;

const std::vector<std::string> kFirstTickMacros = {"<MODE:BPSK31>", "<BAUDRATE:63>", "<SP1>"};

// Whatever hangs, the test ends. Stopped before the program ends: a thread the system has to
// kill at the exit can bring down the emulator 32-bit Wine may run under.
class Watchdog {
 public:
  explicit Watchdog(DWORD ms) : ms_(ms), stop_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {
    thread_.reset(CreateThread(nullptr, 0, &Watchdog::Watch, this, 0, nullptr));
  }
  Watchdog(const Watchdog&) = delete;
  Watchdog& operator=(const Watchdog&) = delete;
  ~Watchdog() {
    SetEvent(stop_.get());
    WaitForSingleObject(thread_.get(), INFINITE);
  }

 private:
  static DWORD WINAPI Watch(void* raw) {
    auto& self = *static_cast<Watchdog*>(raw);
    if (WaitForSingleObject(self.stop_.get(), self.ms_) == WAIT_OBJECT_0) return 0;
    std::printf("FAIL: the test did not finish within %lu s\n", self.ms_ / 1000);
    std::fflush(stdout);
    TerminateProcess(GetCurrentProcess(), 2);
    return 0;
  }

  DWORD ms_;
  UniqueHandle stop_;
  UniqueHandle thread_;
};

// ---- the folder the host runs in -------------------------------------------------------------

// A fresh folder with "Plugins\PSK63.ini" holding exactly these lines under [Settings], made the
// current folder: the plug-in's files are relative to it.
void EnterScratchFolder(const std::string& name, const std::vector<std::string>& settings) {
  std::string folder = g_scratch + "\\" + name;
  CreateDirectoryA(g_scratch.c_str(), nullptr);
  CreateDirectoryA(folder.c_str(), nullptr);
  CreateDirectoryA((folder + "\\Plugins").c_str(), nullptr);
  std::string text = "[Settings]\r\n";
  for (const std::string& line : settings) text += line + "\r\n";
  {
    UniqueFileHandle file(CreateFileA((folder + "\\Plugins\\PSK63.ini").c_str(), GENERIC_WRITE, 0, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (!file ||
        !WriteFile(file.get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr)) {
      Abandon("cannot write the settings in " + folder);
    }
  }
  if (!SetCurrentDirectoryA(folder.c_str())) Abandon("cannot enter " + folder);
}

std::string Setting(const char* key) {
  char value[64] = {};
  GetPrivateProfileStringA("Settings", key, "", value, sizeof value, "Plugins\\PSK63.ini");
  return value;
}

// ---- the module's windows, seen from outside ---------------------------------------------------

// Read without a message to the window's thread, which may be waiting for this one.
std::string TextOf(HWND window) {
  wchar_t wide[256] = {};
  int length = InternalGetWindowText(window, wide, 256);
  char narrow[512] = {};
  WideCharToMultiByte(CP_ACP, 0, wide, length, narrow, sizeof narrow - 1, nullptr, nullptr);
  return narrow;
}

std::string ClassOf(HWND window) {
  char name[64] = {};
  GetClassNameA(window, name, sizeof name);
  return name;
}

struct ModuleWindows {
  HWND dxcc = nullptr;
  HWND prefix = nullptr;
};

BOOL CALLBACK NoteModuleWindow(HWND window, LPARAM out) {
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != GetCurrentProcessId()) return TRUE;
  auto& windows = *reinterpret_cast<ModuleWindows*>(out);
  HWND grid = GetDlgItem(window, IDC_DXCC_GRID);
  HWND list = GetDlgItem(window, IDC_PREFIX_LIST);
  if (grid && ClassOf(grid) == "Button") windows.dxcc = window;
  if (list && ClassOf(list) == "ListBox") windows.prefix = window;
  return TRUE;
}

// Recognised by their controls, whatever their captions say at the moment.
ModuleWindows FindModuleWindows() {
  ModuleWindows found;
  EnumWindows(&NoteModuleWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

struct OwnedBoxSearch {
  HWND owner;
  HWND box;
};

BOOL CALLBACK NoteOwnedBox(HWND window, LPARAM out) {
  auto& search = *reinterpret_cast<OwnedBoxSearch*>(out);
  if (GetWindow(window, GW_OWNER) == search.owner && IsWindowVisible(window)) search.box = window;
  return TRUE;
}

HWND FindOwnedBox(HWND owner) {
  OwnedBoxSearch search{owner, nullptr};
  EnumWindows(&NoteOwnedBox, reinterpret_cast<LPARAM>(&search));
  return search.box;
}

BOOL CALLBACK AppendText(HWND child, LPARAM out) {
  *reinterpret_cast<std::string*>(out) += TextOf(child) + "|";
  return TRUE;
}

std::string TextsInside(HWND window) {
  std::string texts;
  EnumChildWindows(window, &AppendText, reinterpret_cast<LPARAM>(&texts));
  return texts;
}

// Only while the window thread does not wait for this one (no tick under way).
LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR answer = 0;
  if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, 5000, &answer)) {
    Check(false, "the window answers a message", "no answer within 5 s");
  }
  return static_cast<LRESULT>(answer);
}

std::vector<std::string> ListItems(HWND prefix) {
  HWND list = GetDlgItem(prefix, IDC_PREFIX_LIST);
  std::vector<std::string> items;
  auto count = static_cast<int>(Ask(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    char text[64] = {};
    if (Ask(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0) < static_cast<LRESULT>(sizeof text)) {
      Ask(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    }
    items.emplace_back(text);
  }
  return items;
}

std::string Joined(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += "[" + item + "]";
  return text;
}

RECT FrameOf(HWND window) {
  RECT frame{};
  GetWindowRect(window, &frame);
  return frame;
}

// The control's rectangle in its window's client coordinates.
RECT ChildRectOf(HWND window, int id) {
  RECT child = FrameOf(GetDlgItem(window, id));
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&child), 2);
  return child;
}

std::string Describe(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
         std::to_string(r.bottom);
}

// The control's device context until this goes.
class ControlDc {
 public:
  explicit ControlDc(HWND control) : control_(control), dc_(GetDC(control)) {}
  ControlDc(const ControlDc&) = delete;
  ControlDc& operator=(const ControlDc&) = delete;
  ~ControlDc() {
    if (dc_) ReleaseDC(control_, dc_);
  }
  HDC get() const { return dc_; }

 private:
  HWND control_;
  HDC dc_;
};

COLORREF PixelOf(HWND control, int x, int y) { return GetPixel(ControlDc(control).get(), x, y); }

void CheckPixel(const std::string& what, HWND control, int x, int y, COLORREF want) {
  COLORREF got = PixelOf(control, x, y);
  char detail[96];
  std::snprintf(detail, sizeof detail, "at %d,%d got RGB(%d,%d,%d), expected RGB(%d,%d,%d)", x, y, GetRValue(got),
                GetGValue(got), GetBValue(got), GetRValue(want), GetGValue(want), GetBValue(want));
  Check(got == want, what, detail);
}

void Screenshot(HWND window, const std::string& name) {
  Check(SaveWindowPng(window, g_artifacts + "\\" + name), "screenshot " + name + " written");
}

// ---- waiting for the window thread ---------------------------------------------------------------

// Both windows, after the tick that gave the DXCC window this caption: the tick's requests to the
// host are over by then.
ModuleWindows WaitForCaption(const std::string& dxccCaption, const std::string& what) {
  ModuleWindows windows;
  bool seen = PumpUntil(
      [&] {
        windows = FindModuleWindows();
        return windows.dxcc && windows.prefix && TextOf(windows.dxcc) == dxccCaption;
      },
      kWindowWaitMs);
  Check(seen, what, "DXCC window with the caption \"" + dxccCaption + "\" and SA Prefix window, found: \"" +
                        (windows.dxcc ? TextOf(windows.dxcc) : std::string("<none>")) + "\", " +
                        (windows.prefix ? "SA Prefix" : "no SA Prefix"));
  return windows;
}

// A tick's last request is the frequency when the frequency has not moved.
bool WaitForTick(FakeAutomationHost& host, int frequencyRequestsBefore) {
  return PumpUntil([&] { return host.Served().frequency > frequencyRequestsBefore; }, kWindowWaitMs);
}

bool WindowsGone(const ModuleWindows& windows) {
  return !IsWindow(windows.dxcc) && !IsWindow(windows.prefix);
}

bool ModuleLoaded() { return GetModuleHandleA("Stats.dll") != nullptr; }

// The host has let the module go while its windows were open: the window thread keeps the module
// loaded and the windows work on, until the operator closes the DXCC window; then both windows go,
// and the module with them.
void CheckWindowOutlivesHost(const ModuleWindows& windows, const std::string& what) {
  Check(ModuleLoaded(), what + ": the open window keeps the module loaded");
  Check(IsWindow(windows.dxcc) && IsWindow(windows.prefix), what + ": both windows stay open");
  PostMessageA(windows.dxcc, WM_CLOSE, 0, 0);
  Check(PumpUntil([&] { return WindowsGone(windows) && !ModuleLoaded(); }, kWindowWaitMs),
        what + ": closing the DXCC window ends both windows and unloads the module");
}

// A reset opens a window on every other call: the "Start" marker alternates.
void ResetUntilOpen(StatsDll& stats) {
  if (Setting("Start") != "0") stats.ResetStats();
  stats.ResetStats();
}

const std::vector<Qso> kEightyMetreQsos = {
    {"OK1XYZ", kContestDay + 10.25 / 24, "OK", "EU"},
    {"DL1ABC", kContestDay + 10.5 / 24, "DL", "EU"},
    {"W1AW", kContestDay + 11.0 / 24, "K", "NA"},
};
const Qso kFortyMetreQso{"OK1XYZ", kContestDay + 12.75 / 24, "OK", "EU", "40m", 7040000};

// ---- scenarios -------------------------------------------------------------------------------

// One window from the qualifying reset to the operator closing it, and the next one after it.
void WindowLifetime(FakeAutomationHost& host) {
  EnterScratchFolder("lifetime", {"Master=1", "Start=0", "dxcc_x=300", "dxcc_y=200", "member_x=700",
                                  "member_y=150"});
  host.ClearRecords();
  host.SetFrequency(3580000);
  host.SetEnteredCall("");
  StatsDll stats(g_dll);

  // Opening and the first tick.
  stats.ResetStats();
  ModuleWindows windows = WaitForCaption("PSK-TORVALE DXCC worked on 80m", "first tick: DXCC caption for the band");
  if (!windows.dxcc || !windows.prefix) return;
  CheckText("first tick: the host is put into the contest mode, then the frequency is followed",
            Joined(host.Macros()), Joined(kFirstTickMacros));
  PumpUntil([&] { return TextOf(windows.prefix) == "PSK-TORVALE NEW CALL on 80m"; }, kWindowWaitMs);
  CheckText("first tick: SA Prefix caption", TextOf(windows.prefix), "PSK-TORVALE NEW CALL on 80m");
  Check(IsWindowVisible(windows.prefix) != FALSE, "first tick: the SA Prefix window is shown");
  Check(GetForegroundWindow() != windows.prefix, "first tick: the SA Prefix window leaves the keyboard where it was");
  RECT dxccFrame = FrameOf(windows.dxcc), prefixFrame = FrameOf(windows.prefix);
  CheckInt("opening: DXCC window x from dxcc_x", dxccFrame.left, 300);
  CheckInt("opening: DXCC window y from dxcc_y", dxccFrame.top, 200);
  CheckInt("opening: SA Prefix window x from member_x", prefixFrame.left, 700);
  CheckInt("opening: SA Prefix window y from member_y", prefixFrame.top, 150);
  Check(GetWindowLongA(windows.dxcc, GWL_EXSTYLE) & WS_EX_TOPMOST, "opening: the DXCC window stays on top");
  Check(GetWindowLongA(windows.prefix, GWL_EXSTYLE) & WS_EX_TOPMOST, "opening: the SA Prefix window stays on top");
  Check(Ask(windows.dxcc, WM_GETICON, ICON_BIG, 0) != 0, "opening: the DXCC window has its big icon");
  Check(Ask(windows.prefix, WM_GETICON, ICON_BIG, 0) != 0, "opening: the SA Prefix window has its big icon");
  CheckInt("opening: the SA Prefix list starts empty", static_cast<long long>(ListItems(windows.prefix).size()), 0);

  // The entity list: a summary fills the per-band lists, a call check refreshes the windows.
  for (const Qso& qso : kEightyMetreQsos) stats.AddData(qso);
  stats.AddData(kFortyMetreQso);
  stats.GetResult();
  int frequencyRequests = host.Served().frequency;
  stats.CheckCall("OK1");
  Check(WaitForTick(host, frequencyRequests), "a call check brings a tick");
  CheckText("the band's new calls, each led by a blank, sorted", Joined(ListItems(windows.prefix)),
            "[ DL1ABC][ OK1XYZ][ W1AW]");
  PumpFor(300);
  HWND grid = GetDlgItem(windows.dxcc, IDC_DXCC_GRID);
  RECT item{};
  GetClientRect(grid, &item);
  CheckPixel("entity list: its background", grid, item.right - 3, item.bottom - 3, RGB(255, 250, 198));
  Screenshot(windows.dxcc, "dxcc_entity_list.png");
  Screenshot(windows.prefix, "sa_prefix_entity_list.png");

  // The worked grid of the call being typed in the host.
  host.SetEnteredCall("OK1XYZ");
  stats.CheckCall("OK1XYZ");
  windows = WaitForCaption(" PSK-TORVALE worked with OK1XYZ", "a typed call: the DXCC caption names it");
  PumpFor(300);
  int row = item.bottom / 7;
  CheckPixel("worked grid: the current band's row", grid, item.right - 3, 2 * row + row / 2, RGB(198, 255, 255));
  CheckPixel("worked grid: another band's row", grid, item.right - 3, 4 * row + row / 2, RGB(255, 255, 198));
  Screenshot(windows.dxcc, "dxcc_worked_grid.png");
  Screenshot(windows.prefix, "sa_prefix_worked_grid.png");
  CheckText("no macro for a frequency that did not move", Joined(host.Macros()), Joined(kFirstTickMacros));

  // Places are written when the mouse is over a window that was moved.
  SetWindowPos(windows.dxcc, nullptr, 350, 260, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
  PumpUntil([&] { return FrameOf(windows.dxcc).left == 350 && FrameOf(windows.dxcc).top == 260; }, kWindowWaitMs);
  PostMessageA(windows.dxcc, WM_SETCURSOR, reinterpret_cast<WPARAM>(windows.dxcc), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  PumpUntil([] { return Setting("dxcc_x") == "350" && Setting("dxcc_y") == "260"; }, kWindowWaitMs);
  CheckText("moved DXCC window: dxcc_x", Setting("dxcc_x"), "350");
  CheckText("moved DXCC window: dxcc_y", Setting("dxcc_y"), "260");
  SetWindowPos(windows.prefix, nullptr, 720, 170, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
  PumpUntil([&] { return FrameOf(windows.prefix).left == 720 && FrameOf(windows.prefix).top == 170; },
            kWindowWaitMs);
  PostMessageA(windows.prefix, WM_SETCURSOR, reinterpret_cast<WPARAM>(windows.prefix),
               MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  PumpUntil([] { return Setting("member_x") == "720" && Setting("member_y") == "170"; }, kWindowWaitMs);
  CheckText("moved SA Prefix window: member_x", Setting("member_x"), "720");
  CheckText("moved SA Prefix window: member_y", Setting("member_y"), "170");
  CheckText("moving the SA Prefix window leaves dxcc_x alone", Setting("dxcc_x"), "350");

  // Resizing keeps each control over its window's client area less the margins.
  for (auto [window, id, name] : {std::tuple{windows.dxcc, IDC_DXCC_GRID, "DXCC grid"},
                                  std::tuple{windows.prefix, IDC_PREFIX_LIST, "SA Prefix list"}}) {
    SetWindowPos(window, nullptr, 0, 0, 520, 330, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_ASYNCWINDOWPOS);
    RECT client{}, want{};
    PumpUntil(
        [&] {
          GetClientRect(window, &client);
          want = RECT{1, 1, client.right - 3, client.bottom - 3};
          RECT got = ChildRectOf(window, id);
          RECT frame = FrameOf(window);
          return frame.right - frame.left == 520 && EqualRect(&got, &want);
        },
        kWindowWaitMs);
    CheckText(std::string("resized window: ") + name, Describe(ChildRectOf(window, id)), Describe(want));
  }

  // A burst of call checks brings one refresh, after the last of them.
  int callRequests = host.Served().enteredCall;
  for (int i = 0; i < 5; ++i) stats.CheckCall("OK1XY");
  PumpFor(1500);
  CheckInt("five call checks in a row: one tick", host.Served().enteredCall - callRequests, 1);
  PumpFor(700);
  CheckInt("and no tick after it without another call check", host.Served().enteredCall - callRequests, 1);

  // A request the host refuses ends the tick, is reported, and stops the refreshes until the next
  // call check.
  host.Reject(8);
  callRequests = host.Served().enteredCall;
  frequencyRequests = host.Served().frequency;
  stats.CheckCall("OK1XYZ");
  HWND box = nullptr;
  PumpUntil([&] { return (box = FindOwnedBox(windows.dxcc)) != nullptr; }, kWindowWaitMs);
  Check(box != nullptr, "a refused request is reported in a message box over the DXCC window");
  if (box) {
    std::string texts = TextsInside(box);
    Check(texts.find("0x80020009") != std::string::npos, "the report names the host's answer", texts);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    PumpUntil([&] { return !IsWindow(box); }, kWindowWaitMs);
  }
  CheckInt("the refused tick asked for the call once", host.Served().enteredCall - callRequests, 1);
  CheckInt("the refused tick went no further", host.Served().frequency - frequencyRequests, 0);
  PumpFor(1000);
  CheckInt("after a refusal no tick comes by itself", host.Served().enteredCall - callRequests, 1);
  host.Reject(0);
  stats.CheckCall("OK1XYZ");
  Check(WaitForTick(host, frequencyRequests), "the next call check brings a tick again");

  // The SA Prefix window's close box only hides it; a tick does not show it again.
  PostMessageA(windows.prefix, WM_CLOSE, 0, 0);
  PumpUntil([&] { return !IsWindowVisible(windows.prefix); }, kWindowWaitMs);
  frequencyRequests = host.Served().frequency;
  stats.CheckCall("OK1XYZ");
  WaitForTick(host, frequencyRequests);
  PumpFor(200);
  Check(IsWindow(windows.prefix) && !IsWindowVisible(windows.prefix), "a closed SA Prefix window stays hidden");

  // The operator closes the DXCC window: both windows go, and call checks reach nothing.
  PostMessageA(windows.dxcc, WM_CLOSE, 0, 0);
  Check(PumpUntil([&] { return WindowsGone(windows); }, kWindowWaitMs), "closing the DXCC window ends both windows");
  callRequests = host.Served().enteredCall;
  stats.CheckCall("OK1XYZ");
  PumpFor(1000);
  CheckInt("a call check after the window closed brings no tick", host.Served().enteredCall - callRequests, 0);

  // The next qualifying reset opens a new pair that works as the first did.
  host.SetEnteredCall("");
  host.ClearRecords();
  ResetUntilOpen(stats);
  windows = WaitForCaption("PSK-TORVALE DXCC worked on 80m", "second window: first tick");
  if (!windows.dxcc || !windows.prefix) return;
  CheckText("second window: its own first tick's macros", Joined(host.Macros()), Joined(kFirstTickMacros));
  stats.AddData(kEightyMetreQsos[0]);
  stats.AddData(kEightyMetreQsos[2]);
  stats.GetResult();
  frequencyRequests = host.Served().frequency;
  stats.CheckCall("DL");
  Check(WaitForTick(host, frequencyRequests), "second window: a call check brings a tick");
  CheckText("second window: a new SA Prefix list", Joined(ListItems(windows.prefix)), "[ OK1XYZ][ W1AW]");

  unsigned long long ms = stats.Unload();
  Check(ms < kPromptUnloadMs, "unloading with the window open returns promptly", std::to_string(ms) + " ms");
  CheckWindowOutlivesHost(windows, "unloading with the window open");
}

// The host lets the module go while the window thread waits for the host's own thread, the only
// one that can answer: the request is answered afterwards, and the window goes on.
void UnloadDuringHostRequest(FakeAutomationHost& host) {
  EnterScratchFolder("unload_during_request", {"Master=1", "Start=0"});
  host.ClearRecords();
  host.SetFrequency(7040000);
  host.SetEnteredCall("DL1ABC");
  StatsDll stats(g_dll);
  stats.ResetStats();
  ModuleWindows windows = WaitForCaption(" PSK-TORVALE worked with DL1ABC", "unload during a request: window open");
  if (!windows.dxcc) return;
  int callRequests = host.Served().enteredCall;
  stats.CheckCall("DL1");
  // Not serving messages: the tick that comes in 330 ms stays waiting for the call.
  Sleep(1500);
  CheckInt("the tick's request waits for the host's thread", host.Served().enteredCall - callRequests, 0);
  int frequencyRequests = host.Served().frequency;
  unsigned long long ms = stats.Unload();
  Check(ms < kPromptUnloadMs, "unloading during a request returns promptly", std::to_string(ms) + " ms");
  Check(WaitForTick(host, frequencyRequests), "the waiting tick is answered after the unload and completes");
  CheckWindowOutlivesHost(windows, "unloading during a request");
}

// The host lets the module go again and again while its window thread is at work (starting,
// opening its windows, waiting for the host in a tick, painting), and the operator closes the
// window at another moment. Only once the window thread has ended may the module go: one
// instruction of its code run after that is a fault in unmapped code, which ends this program.
void UnloadWhileBusy(FakeAutomationHost& host) {
  constexpr int kRounds = 200;
  EnterScratchFolder("unload_while_busy", {"Master=1"});
  host.SetFrequency(3580000);
  int slow = 0, goneEarly = 0, notGone = 0, neverSeen = 0, threadsLeft = 0;
  unsigned long long longest = 0;
  for (int round = 0; round < kRounds; ++round) {
    WritePrivateProfileStringA("Settings", "Start", "0", "Plugins\\PSK63.ini");
    host.SetEnteredCall(round % 3 == 0 ? "" : "OK1XYZ");
    StatsDll stats(g_dll);
    // The window thread, held from when its window is first seen, so that its end can be awaited.
    UniqueHandle windowThread;
    auto seen = [&](HWND dxcc) {
      if (dxcc && !windowThread) windowThread.reset(OpenThread(SYNCHRONIZE, FALSE, GetWindowThreadProcessId(dxcc, nullptr)));
      return dxcc;
    };
    stats.ResetStats();
    stats.AddData(kEightyMetreQsos[round % 3]);
    stats.CheckCall("OK1XYZ");
    if (round % 4 == 0) stats.GetResult();
    // From at once to past the ticks of the opening and of the call check, in steps that fall on
    // every stage of the thread. Every other round leaves a tick's requests to the host unanswered
    // until after the unload.
    const DWORD busyMs = static_cast<DWORD>((round * 37) % 450);
    if (round % 2 == 0) PumpFor(busyMs);
    else Sleep(busyMs);
    // Every third round the operator closes the window first.
    if (round % 3 == 1) {
      if (HWND dxcc = seen(FindModuleWindows().dxcc)) PostMessageA(dxcc, WM_CLOSE, 0, 0);
    }
    unsigned long long ms = stats.Unload();
    longest = std::max(longest, ms);
    if (ms >= kPromptUnloadMs) ++slow;
    // Closing now at a moment of its own: at once, or after a little of the thread's work.
    PumpFor(static_cast<DWORD>((round * 13) % 120));
    // In this order: a window that closes between the two looks would pass the other way round
    // for a module gone too early.
    if (!ModuleLoaded() && seen(FindModuleWindows().dxcc)) ++goneEarly;
    // A window that has not opened yet is closed once it has.
    bool gone = PumpUntil(
        [&] {
          if (HWND dxcc = seen(FindModuleWindows().dxcc)) PostMessageA(dxcc, WM_CLOSE, 0, 0);
          return !ModuleLoaded();
        },
        kWindowWaitMs);
    if (!gone) ++notGone;
    if (!windowThread) {
      ++neverSeen;
    } else if (!PumpUntil([&] { return WaitForSingleObject(windowThread.get(), 0) == WAIT_OBJECT_0; },
                          kWindowWaitMs)) {
      ++threadsLeft;
    }
  }
  std::printf("unloading while busy: %d rounds, longest unload %llu ms\n", kRounds, longest);
  CheckInt("unloads that took too long", slow, 0);
  CheckInt("modules gone while their window was open", goneEarly, 0);
  CheckInt("modules still loaded after their window closed", notGone, 0);
  CheckInt("rounds whose window never showed", neverSeen, 0);
  CheckInt("window threads still running after the module went", threadsLeft, 0);
}

// The module unloads while a refusal is reported and the operator has not answered.
void UnloadWithReportOpen(FakeAutomationHost& host) {
  EnterScratchFolder("unload_with_report", {"Master=1", "Start=0"});
  host.ClearRecords();
  host.SetFrequency(3580000);
  host.SetEnteredCall("");
  StatsDll stats(g_dll);
  stats.ResetStats();
  ModuleWindows windows = WaitForCaption("PSK-TORVALE DXCC worked on 80m", "unload with a report: window open");
  if (!windows.dxcc) return;
  host.Reject(2);
  stats.CheckCall("W1");
  HWND box = nullptr;
  PumpUntil([&] { return (box = FindOwnedBox(windows.dxcc)) != nullptr; }, kWindowWaitMs);
  Check(box != nullptr, "a refused frequency is reported");
  unsigned long long ms = stats.Unload();
  host.Reject(0);
  Check(ms < kPromptUnloadMs, "unloading with a report open returns promptly", std::to_string(ms) + " ms");
  Check(IsWindow(box) != FALSE, "unloading with a report open leaves the report to the operator");
  CheckWindowOutlivesHost(windows, "unloading with a report open");
  Check(!IsWindow(box), "closing the DXCC window closes its report too");
}

// Without a running host the windows still work, on no band.
void NoHost(FakeAutomationHost& host, RunningHost& running) {
  running.Revoke();
  EnterScratchFolder("no_host", {"Master=1", "Start=0"});
  host.ClearRecords();
  StatsDll stats(g_dll);
  stats.ResetStats();
  ModuleWindows windows = WaitForCaption("PSK-TORVALE DXCC worked on ", "no host: the first tick finds no band");
  PumpUntil([&] { return windows.prefix && TextOf(windows.prefix) == "PSK-TORVALE NEW CALL on "; }, kWindowWaitMs);
  CheckText("no host: SA Prefix caption", windows.prefix ? TextOf(windows.prefix) : "", "PSK-TORVALE NEW CALL on ");
  stats.AddData(kEightyMetreQsos[0]);
  stats.GetResult();
  stats.CheckCall("OK");
  PumpFor(800);
  Check(IsWindow(windows.dxcc) && FindOwnedBox(windows.dxcc) == nullptr, "no host: ticks go on without a report");
  unsigned long long ms = stats.Unload();
  Check(ms < kPromptUnloadMs, "no host: unloading returns promptly", std::to_string(ms) + " ms");
  CheckWindowOutlivesHost(windows, "no host");
  running.Register();
  CheckInt("no host: nothing reached the host registered afterwards", host.Served().macros, 0);
}

struct MultithreadedScoreRequest {
  const StatsDll* stats;
  HRESULT initializeAfterwards = E_FAIL;
};

DWORD WINAPI RequestScoreMultithreaded(void* raw) {
  auto& request = *static_cast<MultithreadedScoreRequest*>(raw);
  Apartment apartment(COINIT_MULTITHREADED);
  request.stats->GetResult();
  request.initializeAfterwards = Apartment(COINIT_MULTITHREADED).result();
  return 0;
}

// Without the window the score request puts the host into the contest mode itself, once, on a
// connection of its own, and leaves the calling thread's COM as it found it.
void ModeMacrosWithoutWindow(FakeAutomationHost& host) {
  EnterScratchFolder("mode_without_window", {"Master=0", "Start=0"});
  host.ClearRecords();
  StatsDll stats(g_dll);
  stats.ResetStats();

  // A host thread in the multithreaded apartment: the plug-in's own CoInitialize is refused there.
  MultithreadedScoreRequest outcome{&stats};
  UniqueHandle thread(CreateThread(nullptr, 0, &RequestScoreMultithreaded, &outcome, 0, nullptr));
  Check(PumpUntil([&] { return WaitForSingleObject(thread.get(), 0) == WAIT_OBJECT_0; }, kWindowWaitMs),
        "score request on a multithreaded thread returns");
  CheckText("the mode macros reach the host", Joined(host.Macros()), "[<MODE:BPSK31>][<BAUDRATE:63>]");
  Check(outcome.initializeAfterwards == S_FALSE, "the calling thread's apartment is left as it was",
        "CoInitializeEx afterwards gave " + std::to_string(static_cast<long>(outcome.initializeAfterwards)));
  stats.GetResult();
  CheckInt("the mode macros are sent once", static_cast<long long>(host.Macros().size()), 2);
  Check(FindModuleWindows().dxcc == nullptr, "no window without \"Use window Multiplier\"");
}

constexpr const char* kWindowOpenMark = "window_open.mark";

// The host process ends with the window open: a copy of this program opens one and exits.
void ProcessExitWithWindowOpen(RunningHost& running) {
  // The child registers a host object of its own; two under one class id would mix them up.
  running.Revoke();
  char self[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  std::string command = "\"" + std::string(self) + "\" --exit-with-window-open \"" + g_dll + "\"";
  EnterScratchFolder("process_exit", {"Master=1", "Start=0"});
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION child{};
  if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child)) {
    Check(false, "the exiting host starts", "error " + std::to_string(GetLastError()));
    running.Register();
    return;
  }
  UniqueHandle process(child.hProcess);
  UniqueHandle thread(child.hThread);
  bool ended = PumpUntil([&] { return WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0; }, 90000);
  if (!ended) TerminateProcess(process.get(), 98);
  DWORD code = 99;
  GetExitCodeProcess(process.get(), &code);
  Check(GetFileAttributesA(kWindowOpenMark) != INVALID_FILE_ATTRIBUTES, "the exiting host opened its window");
  Check(ended, "a host exiting with the window open ends");
  CheckInt("the exiting host exited normally", code, 0);
  running.Register();
}

int ExitWithWindowOpen() {
  Apartment apartment(COINIT_APARTMENTTHREADED);
  FakeAutomationHost host;
  host.SetFrequency(14070000);
  RunningHost running(host);
  running.Register();
  StatsDll stats(g_dll);
  stats.ResetStats();
  bool open = false;
  {
    Watchdog watchdog(60000);
    open = PumpUntil(
        [] {
          ModuleWindows windows = FindModuleWindows();
          return windows.dxcc && windows.prefix && TextOf(windows.dxcc) == "PSK-TORVALE DXCC worked on 20m";
        },
        kWindowWaitMs);
  }
  if (!open) return 3;
  UniqueFileHandle(CreateFileA(kWindowOpenMark, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  // The module is never unloaded: the process ends with the window thread where it is.
  ExitProcess(0);
}

// ---- concurrency ------------------------------------------------------------------------------

// A fixed sequence of the host's calls from a seed; the window's ticks in between do not change
// what the plug-in answers.
class HostCalls {
 public:
  explicit HostCalls(unsigned seed) : state_(seed) {}

  // Runs one call; a score request's text is appended to `summaries`.
  void Next(StatsDll& stats, FakeAutomationHost& host, std::vector<std::string>& summaries) {
    static const char* const kCalls[] = {"OK1XYZ", "DL1ABC", "W1AW",  "G4XYZ", "F5ABC", "I2QRP",
                                         "SP9AA",  "HA5KK",  "JA1ZZ", "VK2DX", "ZL3AB", "OK2ZZ"};
    static const char* const kBands[] = {"80m", "40m", "20m", "80m", "40m"};
    static const char* const kDxcc[] = {"OK", "DL", "K", "G"};
    static const char* const kContinents[] = {"EU", "EU", "NA", "EU"};
    static const double kFrequencies[] = {3580000, 7040000, 14070000, 0};
    unsigned pick = Random() % 100;
    if (pick < 40 || added_.empty()) {
      unsigned d = Random() % 4;
      Qso qso{kCalls[Random() % 12], kContestDay + (minute_++) / 1440.0, kDxcc[d], kContinents[d],
              kBands[Random() % 5]};
      if (Random() % 10 == 0) qso.mode = "BPSK31";
      if (Random() % 15 == 0) qso.exchRcvd = "";
      stats.AddData(qso);
      added_.push_back(qso);
    } else if (pick < 50) {
      std::size_t which = Random() % added_.size();
      stats.RemoveData(added_[which]);
      added_.erase(added_.begin() + static_cast<std::ptrdiff_t>(which));
    } else if (pick < 85) {
      stats.CheckCall(kCalls[Random() % 12], kBands[Random() % 5]);
      host.SetEnteredCall(Random() % 3 == 0 ? "" : kCalls[Random() % 12]);
      host.SetFrequency(kFrequencies[Random() % 4]);
    } else if (pick < 99) {
      summaries.push_back(stats.GetResult());
    } else {
      stats.ResetStats();
      added_.clear();
    }
  }

 private:
  unsigned Random() {
    state_ = state_ * 1103515245u + 12345u;
    return (state_ >> 8) & 0xFFFFFF;
  }

  unsigned state_;
  int minute_ = 0;
  std::vector<Qso> added_;
};

// The host's calls while the window ticks, then the same calls with no window: the answers must
// be the same.
void CallsWhileTheWindowTicks(FakeAutomationHost& host) {
  constexpr unsigned kSeed = 20260201;
  constexpr ULONGLONG kBusyMs = 15000;

  EnterScratchFolder("stress_window", {"Master=1", "Start=0"});
  host.ClearRecords();
  host.SetFrequency(3580000);
  std::vector<std::string> withWindow;
  int calls = 0;
  {
    StatsDll stats(g_dll);
    stats.ResetStats();
    ModuleWindows windows = WaitForCaption("PSK-TORVALE DXCC worked on 80m", "busy host: window open");
    HostCalls sequence(kSeed);
    ULONGLONG end = GetTickCount64() + kBusyMs;
    while (GetTickCount64() < end) {
      sequence.Next(stats, host, withWindow);
      ++calls;
      // Pauses now and then, long enough for a tick; otherwise only what is waiting is served.
      PumpFor(calls % 40 == 0 ? 400 : 0);
    }
    Check(IsWindow(windows.dxcc) != FALSE, "busy host: the window is still open at the end");
    Check(host.Served().enteredCall > 5, "busy host: the window ticked in between",
          std::to_string(host.Served().enteredCall) + " ticks");
    withWindow.push_back(stats.GetResult());
    unsigned long long ms = stats.Unload();
    Check(ms < kPromptUnloadMs, "busy host: unloading returns promptly", std::to_string(ms) + " ms");
    CheckWindowOutlivesHost(windows, "busy host");
  }

  EnterScratchFolder("stress_replay", {"Master=0", "Start=0"});
  std::vector<std::string> withoutWindow;
  {
    StatsDll stats(g_dll);
    stats.ResetStats();
    HostCalls sequence(kSeed);
    for (int i = 0; i < calls; ++i) {
      sequence.Next(stats, host, withoutWindow);
      PumpFor(0);
    }
    withoutWindow.push_back(stats.GetResult());
  }
  CheckInt("busy host: as many score requests in both runs", static_cast<long long>(withWindow.size()),
           static_cast<long long>(withoutWindow.size()));
  std::size_t differing = 0;
  for (std::size_t i = 0; i < withWindow.size() && i < withoutWindow.size(); ++i) {
    if (withWindow[i] != withoutWindow[i]) ++differing;
  }
  CheckInt("busy host: every summary as without the window", static_cast<long long>(differing), 0);
  CheckText("busy host: the final summary", withWindow.back(), withoutWindow.back());
  std::printf("busy host: %d calls, %zu score requests, %d ticks\n", calls, withWindow.size(),
              host.Served().enteredCall);
}

// ---- the program -------------------------------------------------------------------------------

std::string FullPath(const char* path) {
  char full[MAX_PATH] = {};
  GetFullPathNameA(path, MAX_PATH, full, nullptr);
  return full;
}

// The scenarios in groups, each group one run of this program: a crash of 32-bit Wine under an
// emulator then costs the results of one group only.
struct Group {
  const char* name;
  std::vector<std::pair<const char*, void (*)(FakeAutomationHost&, RunningHost&)>> scenarios;
};

const std::vector<Group> kGroups = {
    {"lifetime", {{"window lifetime", [](FakeAutomationHost& h, RunningHost&) { WindowLifetime(h); }}}},
    {"unloading",
     {{"unload during a request to the host", [](FakeAutomationHost& h, RunningHost&) { UnloadDuringHostRequest(h); }},
      {"unload with a report open", [](FakeAutomationHost& h, RunningHost&) { UnloadWithReportOpen(h); }},
      {"no host", [](FakeAutomationHost& h, RunningHost& r) { NoHost(h, r); }},
      {"mode macros without the window", [](FakeAutomationHost& h, RunningHost&) { ModeMacrosWithoutWindow(h); }}}},
    {"unloading-while-busy",
     {{"unloading while the window thread is busy", [](FakeAutomationHost& h, RunningHost&) { UnloadWhileBusy(h); }}}},
    {"process-exit",
     {{"process exit with the window open", [](FakeAutomationHost&, RunningHost& r) { ProcessExitWithWindowOpen(r); }}}},
    {"busy-host",
     {{"calls while the window ticks", [](FakeAutomationHost& h, RunningHost&) { CallsWhileTheWindowTicks(h); }}}},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::string(argv[1]) == "--exit-with-window-open") {
    g_dll = argv[2];
    return ExitWithWindowOpen();
  }
  if (argc != 3 && argc != 4) {
    std::printf("usage: %s <Stats.dll> <artefacts folder> [lifetime|unloading|unloading-while-busy|process-exit|busy-host]\n", argv[0]);
    return 2;
  }
  std::string only = argc == 4 ? argv[3] : "";
  // A crash must not take the lines printed so far with it.
  setvbuf(stdout, nullptr, _IONBF, 0);
  Watchdog watchdog(240000);
  g_dll = FullPath(argv[1]);
  g_artifacts = FullPath(argv[2]);
  g_scratch = FullPath(("windows_test_scratch" + (only.empty() ? std::string() : "_" + only)).c_str());
  CreateDirectoryA(g_artifacts.c_str(), nullptr);

  Apartment apartment(COINIT_APARTMENTTHREADED);
  HostProgId progId;
  if (!progId.registered()) Abandon("cannot register the host's program id");
  FakeAutomationHost host;
  {
    RunningHost running(host);
    if (!running.Register()) Abandon("cannot register the fake host as the running object");
    for (const Group& group : kGroups) {
      if (!only.empty() && only != group.name) continue;
      for (const auto& [name, run] : group.scenarios) {
        // Where a run that the watchdog ended got stuck.
        std::printf("-- %s\n", name);
        run(host, running);
      }
    }
  }
  // The window threads and the score requests released what they obtained: only the test's own
  // reference is left once the object is out of the running object table.
  PumpUntil([&] { return host.references() == 1; }, kWindowWaitMs);
  CheckInt("every connection to the host was released", host.references(), 1);
  return Summary();
}
