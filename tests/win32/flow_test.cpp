// The operator's side of a contest run against the built Stats.dll with its real dialogs: the
// Cabrillo header confirmed or abandoned, the setup box, the "Output" message, and the files
// the run leaves behind (the Cabrillo log, the settings file). Each scenario works in a fresh
// folder of its own under flow_test\ with the DLL loaded afresh.
//
// Arguments: Stats.dll, the artefact folder for screenshots, and two stand-ins for the host
// program carrying versions 2.19.0.7 and 3.1.4.2.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "checks.h"
#include "operator_thread.h"
#include "report_run.h"
#include "resource_ids.h"
#include "stats_dll.h"
#include "window_png.h"

namespace {

namespace fs = std::filesystem;

constexpr const char* kSetupCaption = "Setup PSK-63-TORVALE";

struct Paths {
  std::string dll, artifacts, hostV2, hostV3;
  fs::path root;
};
Paths g_paths;
DWORD g_mainThread = 0;

std::string FullPath(const char* name) {
  char buffer[MAX_PATH * 2] = {};
  DWORD n = GetFullPathNameA(name, sizeof buffer, buffer, nullptr);
  return n > 0 && n < sizeof buffer ? std::string(buffer, n) : std::string(name);
}

// A top-level window of the main thread, so that it is the active one when the plug-in asks.
class HostWindow {
 public:
  HostWindow()
      : window_(CreateWindowExA(0, "STATIC", "Flow test host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 300, 120,
                                nullptr, nullptr, GetModuleHandleA(nullptr), nullptr)) {}
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;
  ~HostWindow() {
    if (window_) DestroyWindow(window_);
  }
  HWND get() const { return window_; }

 private:
  HWND window_;
};

constexpr const char* kSettingsFile = "Plugins\\PSK63.ini";

// Read back through the platform's own profile functions; nothing when the key is missing.
std::optional<std::string> Setting(const char* key) {
  static constexpr const char* kMissing = "\x01missing";
  std::string path = FullPath(kSettingsFile);
  std::vector<char> buffer(4096);
  DWORD n = GetPrivateProfileStringA("Settings", key, kMissing, buffer.data(), static_cast<DWORD>(buffer.size()),
                                     path.c_str());
  std::string value(buffer.data(), n);
  if (value == kMissing) return std::nullopt;
  return value;
}

void CheckSetting(const char* key, std::string_view want) {
  std::optional<std::string> got = Setting(key);
  CheckText(std::string("setting ") + key, got.value_or("<missing>"), want);
}

std::string TrimBlanks(std::string text) {
  while (!text.empty() && text.back() == ' ') text.pop_back();
  while (!text.empty() && text.front() == ' ') text.erase(text.begin());
  return text;
}

std::string QsoLine(const char* ownCall, const LoggedQso& q) {
  char line[256];
  std::snprintf(line, sizeof line, "QSO: %5i %2s %s %-13s %-3s %-6s %-13s %-3s %s\r\n",
                static_cast<int>(q.qso.freqHz / 1000), "PM", q.when, ownCall, q.qso.rstSent.c_str(),
                q.qso.exchSent.c_str(), q.qso.call.c_str(), q.qso.rstRcvd.c_str(), q.qso.exchRcvd.c_str());
  return line;
}

// ---- what the operator does ----------------------------------------------------------------

void SaveScreenshot(HWND window, const char* name) {
  // Let the dialog's own thread paint what was just filled in.
  RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  Sleep(300);
  std::string path = g_paths.artifacts + "\\" + name;
  Check(SaveWindowPng(window, path), "screenshot written to " + path);
}

// The dialog is the DLL's, from its own resources, on the thread that called the entry point.
void CheckDialogOrigin(HWND dialog, HMODULE dll, std::string_view which) {
  std::string what(which);
  Check(GetWindowThreadProcessId(dialog, nullptr) == g_mainThread, what + " runs on the calling thread");
  Check(reinterpret_cast<HMODULE>(GetWindowLongPtrA(dialog, GWLP_HINSTANCE)) == dll,
        what + " is created with the DLL's module handle");
  LONG style = GetWindowLongA(dialog, GWL_STYLE);
  Check((style & DS_SETFONT) != 0, what + " has DS_SETFONT");
  LOGFONTA font{};
  auto handle = reinterpret_cast<HFONT>(SendMessageA(dialog, WM_GETFONT, 0, 0));
  Check(handle && GetObjectA(handle, sizeof font, &font) == sizeof font, what + " has a font");
  CheckText(what + " font face", font.lfFaceName, "MS Sans Serif");
  HDC screen = GetDC(nullptr);
  int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  CheckInt(what + " font height (8 pt)", font.lfHeight, -MulDiv(8, dpi, 72));
}

void CheckSizeInUnits(std::string_view what, SIZE got, SIZE want) {
  Check(got.cx == want.cx && got.cy == want.cy, what,
        "got " + std::to_string(got.cx) + "x" + std::to_string(got.cy) + " px, expected " + std::to_string(want.cx) +
            "x" + std::to_string(want.cy));
}

struct ListExpectation {
  int id;
  const char* name;
  std::vector<std::string> entries;
  const char* shown;  // the entry shown selected, or nullptr for empty text and no selection
};

const std::vector<ListExpectation>& HeaderLists() {
  static const std::vector<ListExpectation> lists{
      {IDC_CATEGORY_OPERATOR, "CATEGORY-OPERATOR", {"SINGLE-OP", "MULTI-OP", "CHECKLOG"}, "SINGLE-OP"},
      {IDC_CATEGORY_ASSISTED, "CATEGORY-ASSISTED", {"ASSISTED", "NON-ASSISTED"}, "NON-ASSISTED"},
      {IDC_CATEGORY_BAND, "CATEGORY-BAND", {"80M-40M", "80M", "40M"}, "80M-40M"},
      {IDC_CATEGORY_MODE, "CATEGORY-MODE", {"BPSK63"}, "BPSK63"},
      {IDC_CATEGORY_POWER, "CATEGORY-POWER", {"HIGH", "LOW", "QRP"}, "HIGH"},
      {IDC_CATEGORY_STATION, "CATEGORY-STATION", {"FIXED"}, "FIXED"},
      {IDC_CATEGORY_TRANSMITTER, "CATEGORY-TRANSMITTER", {"ONE", "TWO", "UNLIMITED"}, "ONE"},
      {IDC_CATEGORY_OVERLAY, "CATEGORY-OVERLAY", {"TB-WIRES", "ROOKIE"}, nullptr},
      {IDC_LOCATION,
       "LOCATION",
       {"DX", "-/-", "AL", "AK", "AZ", "AR", "CA", "CO", "CT", "DE", "FL", "GA", "ID", "IL", "IN", "IA",
        "KS", "KY", "LA", "ME", "MA", "MI", "MN", "MS", "MO", "MT", "NE", "NV", "NH", "NJ", "NM", "NY",
        "NC", "ND", "OH", "OK", "OR", "PA", "RI", "SC", "SD", "TN", "TX", "UT", "VT", "VA", "WA", "WV",
        "WI", "WY", "NB", "NS", "QC", "ON", "MB", "SK", "AB", "BC", "NWT", "NF", "LB", "NU", "YT", "PEI"},
       "DX"},
  };
  return lists;
}

// The form as it opens in a folder without a settings file.
void CheckFreshHeaderForm(HWND dialog, HMODULE dll) {
  CheckDialogOrigin(dialog, dll, "header dialog");
  CheckSizeInUnits("header dialog is 255 x 361 units", ClientSize(dialog), PixelsOf(dialog, 255, 361));
  std::vector<std::string> labels = StaticTexts(dialog);
  const std::vector<std::string> wantLabels{
      "CONTEST", "CALLSIGN", "CLAIMED", "CATEGORY-OPERATOR", "CATEGORY-ASSISTED", "CATEGORY-BAND", "CATEGORY-MODE",
      "CATEGORY-POWER", "CATEGORY-STATION", "CATEGORY-TRANSMITTER", "CATEGORY-OVERLAY", "NAME", "ADDRESS",
      "ADDRESS-CITY", "ADDRESS-STATE-PROVINCE", "ADDRESS-POSTALCODE", "ADDRESS-COUNTRY", "OPERATORS", "CLUB",
      "LOCATION", "SOAPBOX", "E-MAIL"};
  Check(labels == wantLabels, "header labels, top to bottom", "got " + std::to_string(labels.size()) + " labels");
  CheckText("OK button", ItemText(dialog, IDOK), "OK");
  CheckText("CANCEL button", ItemText(dialog, IDCANCEL), "CANCEL");

  CheckText("CONTEST shown", ItemText(dialog, IDC_CONTEST), "PSK-63-TORVALE ");
  CheckText("CALLSIGN shown", ItemText(dialog, IDC_CALLSIGN), "AB/N0CALL/P");
  CheckText("OPERATORS defaults to the call sign", ItemText(dialog, IDC_OPERATORS), "AB/N0CALL/P");
  CheckText("CLAIMED empty", ItemText(dialog, IDC_CLAIMED), "");
  CheckText("NAME empty", ItemText(dialog, IDC_NAME), "");

  for (const ListExpectation& list : HeaderLists()) {
    std::string name = list.name;
    HWND control = GetDlgItem(dialog, list.id);
    LONG style = GetWindowLongA(control, GWL_STYLE);
    Check((style & 3) == CBS_DROPDOWN, name + " is a drop-down with an edit part");
    Check((style & CBS_SORT) == 0, name + " is not sorted");
    std::vector<std::string> entries = ListEntries(dialog, list.id);
    CheckInt(name + " entry count", static_cast<long long>(entries.size()), static_cast<long long>(list.entries.size()));
    Check(entries == list.entries, name + " entries in order",
          entries.empty() ? "none" : "first \"" + entries.front() + "\", last \"" + entries.back() + "\"");
    LRESULT selected = SendMessageA(control, CB_GETCURSEL, 0, 0);
    CheckText(name + " shows", ItemText(dialog, list.id), list.shown ? list.shown : "");
    if (list.shown) {
      Check(selected >= 0 && static_cast<std::size_t>(selected) < list.entries.size() &&
                list.entries[static_cast<std::size_t>(selected)] == list.shown,
            name + " shows its value as the selected entry");
    } else {
      CheckInt(name + " has no selection", selected, CB_ERR);
    }
  }

  const int disabled[] = {IDC_CATEGORY_ASSISTED, IDC_CATEGORY_MODE,    IDC_CATEGORY_POWER,
                          IDC_CATEGORY_STATION,  IDC_CATEGORY_TRANSMITTER, IDC_CATEGORY_OVERLAY,
                          IDC_LOCATION,          IDC_ADDRESS_STATE};
  for (int id = IDC_CONTEST; id <= IDC_EMAIL; ++id) {
    bool wantDisabled = std::find(std::begin(disabled), std::end(disabled), id) != std::end(disabled);
    Check(IsWindowEnabled(GetDlgItem(dialog, id)) == !wantDisabled,
          "control " + std::to_string(id) + (wantDisabled ? " is disabled" : " is enabled"));
  }

  HWND soapbox = GetDlgItem(dialog, IDC_SOAPBOX);
  LONG style = GetWindowLongA(soapbox, GWL_STYLE);
  const LONG multiLine = ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL;
  Check((style & multiLine) == multiLine, "SOAPBOX is multi-line, takes Enter, scrolls vertically");
  CheckSizeInUnits("SOAPBOX is 191 x 31 units", OuterSize(soapbox), PixelsOf(dialog, 191, 31));
}

// Enter in the soapbox starts a new line instead of pressing OK.
void CheckEnterInSoapbox(HWND dialog) {
  PressKey(GetDlgItem(dialog, IDC_SOAPBOX), VK_RETURN, 0x1C);
  DWORD start = GetTickCount();
  while (ItemText(dialog, IDC_SOAPBOX).empty() && GetTickCount() - start < 5000) Sleep(20);
  Check(IsWindow(dialog) && IsWindowVisible(dialog), "Enter in SOAPBOX leaves the dialog open");
  CheckText("Enter in SOAPBOX starts a new line", ItemText(dialog, IDC_SOAPBOX), "\r\n");
}

// A way to leave a dialog without OK.
struct LeaveWay {
  const char* name;
  void (*leave)(HWND dialog);
};

// ---- scenarios -----------------------------------------------------------------------------

// The header filled in and confirmed, QSOs logged with a dupe, the report made twice.
void ReportRun() {
  ScenarioFolder folder(g_paths.root, "report_run");
  StatsDll stats(g_paths.dll);
  const char* ownCall = "AB/N0CALL/P";

  int reset = WithOperator(
      [&] {
        HWND dialog = AwaitWindow(kHeaderCaption);
        CheckFreshHeaderForm(dialog, static_cast<HMODULE>(stats.module()));
        CheckEnterInSoapbox(dialog);
        TypeText(dialog, IDC_NAME, "Jo Op");
        TypeText(dialog, IDC_ADDRESS, "Main St 1<CR>Springfield");
        TypeText(dialog, IDC_SOAPBOX, "Best wishes\r\n73");
        ChooseEntry(dialog, IDC_CATEGORY_BAND, "80M");
        SaveScreenshot(dialog, "cabrillo_header.png");
        Press(dialog, IDOK);
      },
      [&] { return stats.ResetStats(1, ownCall); });
  CheckInt("ResetStats0 answer", reset, 1);

  const std::vector<LoggedQso> qsos{
      {Logged("DL1ABC", At(10, 5), 3580000, "0001", "0042", "DL", "80m"), "2026-02-01 1005"},
      {Logged("K1XYZ", At(11, 30), 7040000, "0002", "0107", "K", "40m"), "2026-02-01 1130"},
      {Logged("DL1ABC", At(12, 0), 3581000, "0003", "0043", "DL", "80m"), "2026-02-01 1200"},  // dupe
      {Logged("DK2QRP", At(12, 15), 3582500, "0004", "0015", "DL", "80m"), "2026-02-01 1215"},
  };
  LogAll(stats, ownCall, qsos);

  ReportResult first = Report(stats);
  CheckInt("GetResult0 sets out to -1 in a report run", first.out, -1);
  CheckText("Output message", first.message.text, "File produced: AB_N0CALL_P.cbr");
  Check(first.message.owner == nullptr, "Output box has no owner when the thread has no active window");
  CheckText("summary",
            first.summary,
            "  PSK-TORVALE 01.02-02.02.2026 \r\n     Contestant: AB/N0CALL/P\r\nBand\tQSOs\tPoints\tDXCC\tNew Call\r\n"
            "80m\t 2\t 2\t 1\t   2\r\n"
            "40m\t 1\t 1\t 1\t   1\r\n"
            "Total\t 3\t 3\t 2\t   3\r\n"
            "Score = 3 * (2 + 3)  = 15 \r\n");

  std::string want =
      "START-OF-LOG: 3.0\r\nCONTEST: PSK-63-TORVALE\r\nCALLSIGN: AB/N0CALL/P\r\nCATEGORY-OPERATOR: SINGLE-OP\r\n"
      "CATEGORY-BAND: 80M\r\nCREATED-BY: Ravix \r\nNAME: Jo Op\r\nADDRESS: Main St 1\r\nADDRESS: Springfield\r\n"
      "ADDRESS-CITY: \r\nADDRESS-POSTALCODE: \r\nADDRESS-COUNTRY: \r\nOPERATORS: AB/N0CALL/P\r\nEMAIL: \r\n"
      "SOAPBOX: Best wishes\r\nSOAPBOX: 73\r\n";
  for (const LoggedQso& q : qsos) want += QsoLine(ownCall, q);
  want += "END-OF-LOG:\r\n";
  CheckText("Cabrillo file", FileBytes("AB_N0CALL_P.cbr").value_or("<missing>"), want);

  CheckSetting("Operators", "AB/N0CALL/P");
  CheckSetting("Name", "Jo Op");
  CheckSetting("Address", "Main St 1<CR>Springfield");
  CheckSetting("Address-City", "");
  CheckSetting("Address-State", "");
  CheckSetting("Address-PostalCode", "");
  CheckSetting("Address-Country", "");
  CheckText("setting Contest", TrimBlanks(Setting("Contest").value_or("<missing>")), "PSK-63-TORVALE");
  CheckSetting("Email", "");
  CheckSetting("Club", "");
  CheckSetting("Location", "DX");
  CheckSetting("SoapBox", "Best wishes<CR><LF>73");
  // Three counted QSOs (the dupe is not) times two entities (DL on 80m, K on 40m).
  CheckSetting("Claimed", "6");
  CheckSetting("Start", "1");
  Check(!Setting("Master"), "no Master setting written by a report run");

  // A second report of the same run, now with an active window on the calling thread.
  HostWindow host;
  SetActiveWindow(host.get());
  Check(host.get() && GetActiveWindow() == host.get(), "test host window is active");
  ReportResult second = Report(stats);
  CheckInt("second GetResult0 sets out to -1", second.out, -1);
  CheckText("second Output message", second.message.text, "File produced: AB_N0CALL_P.cbr");
  Check(second.message.owner == host.get(), "Output box is owned by the thread's active window");
  CheckText("second Cabrillo file has every QSO once", FileBytes("AB_N0CALL_P.cbr").value_or("<missing>"), want);
}

// Every way out of the header dialog but OK leaves the settings file as it was; the report then
// uses the header as loaded from it.
void AbandonedHeader() {
  ScenarioFolder folder(g_paths.root, "abandoned_header");
  // In the platform's own layout, and already holding the "Start" that every reset writes.
  const std::string settings =
      "[Settings]\r\nName=Old\r\nAddress=Old Road 2<CR>Oldtown\r\nEmail=old@example.org\r\n"
      "SoapBox=first<CR><LF>second\r\nStart=1\r\n";
  WriteFileBytes(kSettingsFile, settings);
  StatsDll stats(g_paths.dll);
  const char* ownCall = "OLD1CALL";

  const LeaveWay ways[] = {
      {"CANCEL", [](HWND dialog) { Press(dialog, IDCANCEL); }},
      {"the close box", CloseWithCloseBox},
      {"Esc", [](HWND dialog) { PressEsc(GetDlgItem(dialog, IDC_NAME)); }},
  };
  for (const LeaveWay& way : ways) {
    std::string how = std::string(" (left with ") + way.name + ")";
    WithOperator(
        [&] {
          HWND dialog = AwaitWindow(kHeaderCaption);
          CheckText("NAME from settings" + how, ItemText(dialog, IDC_NAME), "Old");
          CheckText("ADDRESS from settings" + how, ItemText(dialog, IDC_ADDRESS), "Old Road 2<CR>Oldtown");
          CheckText("SOAPBOX from settings" + how, ItemText(dialog, IDC_SOAPBOX), "first\r\nsecond");
          CheckText("E-MAIL from settings" + how, ItemText(dialog, IDC_EMAIL), "old@example.org");
          TypeText(dialog, IDC_NAME, "New");
          ChooseEntry(dialog, IDC_CATEGORY_BAND, "40M");
          way.leave(dialog);
          AwaitGone(dialog, "header dialog" + how);
        },
        [&] { return stats.ResetStats(1, ownCall); });
    CheckText("settings file unchanged" + how, FileBytes(kSettingsFile).value_or("<missing>"), settings);
  }

  const LoggedQso qso{Logged("W1AW", At(20, 0), 3590000, "0001", "0777", "K", "80m"), "2026-02-01 2000"};
  LogAll(stats, ownCall, {qso});
  ReportResult report = Report(stats);
  CheckText("Output message after an abandoned header", report.message.text, "File produced: OLD1CALL.cbr");
  std::string want =
      "START-OF-LOG: 3.0\r\nCONTEST: PSK-63-TORVALE\r\nCALLSIGN: OLD1CALL\r\nCATEGORY-OPERATOR: SINGLE-OP\r\n"
      "CATEGORY-BAND: 80M-40M\r\nCREATED-BY: Ravix \r\nNAME: Old\r\nADDRESS: Old Road 2\r\nADDRESS: Oldtown\r\n"
      "ADDRESS-CITY: \r\nADDRESS-POSTALCODE: \r\nADDRESS-COUNTRY: \r\nOPERATORS: OLD1CALL\r\n"
      "EMAIL: old@example.org\r\nSOAPBOX: first\r\nSOAPBOX: second\r\n" +
      QsoLine(ownCall, qso) + "END-OF-LOG:\r\n";
  CheckText("Cabrillo file from the settings' header", FileBytes("OLD1CALL.cbr").value_or("<missing>"), want);
}

// The setup box: ticked and confirmed, changed and abandoned two ways, cleared and confirmed.
void SetupBox() {
  {
    ScenarioFolder folder(g_paths.root, "setup_box");
    StatsDll stats(g_paths.dll);

    WithOperator(
        [&] {
          HWND dialog = AwaitWindow(kSetupCaption);
          CheckDialogOrigin(dialog, static_cast<HMODULE>(stats.module()), "setup dialog");
          CheckSizeInUnits("setup dialog is 186 x 36 units", ClientSize(dialog), PixelsOf(dialog, 186, 36));
          HWND box = GetDlgItem(dialog, IDC_USE_WINDOW_MULTIPLIER);
          CheckText("check box text", WindowText(box), "Use window Multiplier");
          CheckInt("check box is a two-state automatic one", GetWindowLongA(box, GWL_STYLE) & BS_TYPEMASK,
                   BS_AUTOCHECKBOX);
          CheckText("setup OK button", ItemText(dialog, IDOK), "OK");
          CheckInt("setup OK is the default button", GetWindowLongA(GetDlgItem(dialog, IDOK), GWL_STYLE) & BS_TYPEMASK,
                   BS_DEFPUSHBUTTON);
          Check(GetDlgItem(dialog, IDCANCEL) == nullptr, "setup dialog has no cancel button");
          CheckInt("box cleared without a settings file", IsDlgButtonChecked(dialog, IDC_USE_WINDOW_MULTIPLIER),
                   BST_UNCHECKED);
          Click(dialog, IDC_USE_WINDOW_MULTIPLIER);
          SaveScreenshot(dialog, "setup.png");
          Press(dialog, IDOK);
        },
        [&] { stats.SetupSet(); });
    CheckSetting("Master", "1");

    const LeaveWay ways[] = {
        {"the close box", CloseWithCloseBox},
        {"Esc", [](HWND dialog) { PressEsc(GetDlgItem(dialog, IDC_USE_WINDOW_MULTIPLIER)); }},
    };
    for (const LeaveWay& way : ways) {
      std::string how = std::string(" (left with ") + way.name + ")";
      WithOperator(
          [&] {
            HWND dialog = AwaitWindow(kSetupCaption);
            CheckInt("box ticked for Master=1" + how, IsDlgButtonChecked(dialog, IDC_USE_WINDOW_MULTIPLIER),
                     BST_CHECKED);
            Click(dialog, IDC_USE_WINDOW_MULTIPLIER);
            way.leave(dialog);
            AwaitGone(dialog, "setup dialog" + how);
          },
          [&] { stats.SetupSet(); });
      CheckText("setting Master" + how, Setting("Master").value_or("<missing>"), "1");
    }

    WithOperator(
        [&] {
          HWND dialog = AwaitWindow(kSetupCaption);
          Click(dialog, IDC_USE_WINDOW_MULTIPLIER);
          CheckInt("box cleared by a click", IsDlgButtonChecked(dialog, IDC_USE_WINDOW_MULTIPLIER), BST_UNCHECKED);
          Press(dialog, IDOK);
        },
        [&] { stats.SetupSet(); });
    CheckSetting("Master", "0");
  }
  {
    ScenarioFolder folder(g_paths.root, "setup_untouched");
    StatsDll stats(g_paths.dll);
    WithOperator([&] { Press(AwaitWindow(kSetupCaption), IDOK); }, [&] { stats.SetupSet(); });
    CheckSetting("Master", "0");
  }
}

// CREATED-BY names the host program's version when a program carrying the host's name, in
// that case, lies in the current folder.
void CreatedBy() {
  struct Case {
    const char* folder;
    const std::string* program;
    const char* copyAs;
    const char* line;
  };
  const Case cases[] = {
      {"created_by_2", &g_paths.hostV2, "RavixHost.exe", "CREATED-BY: Ravix 2.19\r\n"},
      {"created_by_3", &g_paths.hostV3, "RavixHost.exe", "CREATED-BY: Ravix 3.1.4\r\n"},
      {"created_by_lower_case", &g_paths.hostV2, "ravixhost.exe", "CREATED-BY: Ravix \r\n"},
  };
  for (const Case& c : cases) {
    ScenarioFolder folder(g_paths.root, c.folder);
    std::string name = c.folder;
    Check(CopyFileA(c.program->c_str(), c.copyAs, TRUE) != 0, name + ": host stand-in copied");
    StatsDll stats(g_paths.dll);
    const char* ownCall = "CB1TEST";
    WithOperator(
        [&] {
          HWND dialog = AwaitWindow(kHeaderCaption);
          // Typed text, not an entry of the list, is what the header takes.
          TypeText(dialog, IDC_CATEGORY_OPERATOR, "MY OWN");
          Press(dialog, IDOK);
        },
        [&] { return stats.ResetStats(1, ownCall); });
    LogAll(stats, ownCall, {{Logged("G4XYZ", At(9, 0), 7035000, "0001", "0009", "G", "40m"), "2026-02-01 0900"}});
    Report(stats);
    std::string file = FileBytes("CB1TEST.cbr").value_or("<missing>");
    Check(file.find(std::string("\r\n") + c.line) != std::string::npos, name + ": " + Printable(c.line),
          "file is \"" + Printable(file) + "\"");
    Check(file.find("\r\nCATEGORY-OPERATOR: MY OWN\r\n") != std::string::npos, name + ": typed CATEGORY-OPERATOR");
  }
}

// A folder in the way of the Cabrillo file: the operator is told, and no temporary is left.
void BlockedCabrilloFile() {
  ScenarioFolder folder(g_paths.root, "blocked_cabrillo_file");
  CreateDirectoryA("BL0CK.cbr", nullptr);
  StatsDll stats(g_paths.dll);
  WithOperator(ConfirmHeader, [&] { return stats.ResetStats(1, "BL0CK"); });
  LogAll(stats, "BL0CK", {{Logged("OH2AB", At(8, 0), 3577000, "0001", "0003", "OH", "80m"), "2026-02-01 0800"}});
  ReportResult report = Report(stats);
  CheckInt("GetResult0 sets out to -1 when the file fails", report.out, -1);
  CheckText("Output message for a failed write", report.message.text, "File not produced: BL0CK.cbr");
  DWORD attributes = GetFileAttributesA("BL0CK.cbr");
  Check(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY), "folder in the way kept");
  bool temporaryLeft = false;
  for (const auto& entry : fs::directory_iterator(".")) temporaryLeft |= entry.path().extension() == ".tmp";
  Check(!temporaryLeft, "no temporary file left");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 5) {
    std::printf("usage: %s Stats.dll artifact-folder host-2.19.exe host-3.1.4.exe\n", argv[0]);
    return 2;
  }
  g_mainThread = GetCurrentThreadId();
  g_paths.dll = FullPath(argv[1]);
  g_paths.artifacts = FullPath(argv[2]);
  g_paths.hostV2 = FullPath(argv[3]);
  g_paths.hostV3 = FullPath(argv[4]);
  g_paths.root = FullPath("flow_test");
  CreateDirectoryA(g_paths.artifacts.c_str(), nullptr);
  std::error_code ignored;
  fs::remove_all(g_paths.root, ignored);
  fs::create_directories(g_paths.root);

  // Each wait for a window has its own limit; the watchdog catches a call that blocks without
  // one. It is stopped and joined before the end: a thread still running at exit crashes the
  // process under the emulator.
  struct Event {
    HANDLE handle = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ~Event() { CloseHandle(handle); }
  } finished;
  std::thread watchdog([&finished] {
    if (WaitForSingleObject(finished.handle, 240000) != WAIT_TIMEOUT) return;
    try {
      Abandon("flow test still running after 240 s");
    } catch (...) {
      TerminateProcess(GetCurrentProcess(), 1);
    }
  });

  try {
    ReportRun();
    AbandonedHeader();
    SetupBox();
    CreatedBy();
    BlockedCabrilloFile();
  } catch (const std::exception& e) {
    Check(false, "unexpected exception", e.what());
  }
  SetEvent(finished.handle);
  watchdog.join();
  return Summary();
}
