// Files read and written through the ANSI calls the host itself uses; the operator answers a report.
#include "report_run.h"

#include "checks.h"
#include "operator_thread.h"

namespace fs = std::filesystem;

ScenarioFolder::ScenarioFolder(const fs::path& root, const char* name, bool withPlugins) : root_(root) {
  fs::path folder = root / name;
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  fs::create_directories(withPlugins ? folder / "Plugins" : folder);
  if (!SetCurrentDirectoryA(folder.string().c_str())) Abandon("cannot enter " + folder.string());
}

ScenarioFolder::~ScenarioFolder() { SetCurrentDirectoryA(root_.string().c_str()); }

std::optional<std::string> FileBytes(const std::string& name) {
  HANDLE file = CreateFileA(name.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char chunk[4096];
  DWORD n = 0;
  while (ReadFile(file, chunk, sizeof chunk, &n, nullptr) && n > 0) bytes.append(chunk, n);
  CloseHandle(file);
  return bytes;
}

void WriteFileBytes(const std::string& name, const std::string& bytes) {
  HANDLE file = CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  DWORD written = 0;
  bool ok = file != INVALID_HANDLE_VALUE &&
            WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
            written == bytes.size();
  if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
  if (!ok) Abandon("cannot write " + Printable(name));
}

Qso Logged(const char* call, double time, unsigned freqHz, const char* exchSent, const char* exchRcvd,
           const char* dxcc, const char* band) {
  return Qso{.call = call, .time = time, .dxcc = dxcc, .band = band, .freqHz = freqHz, .exchSent = exchSent,
             .exchRcvd = exchRcvd};
}

void LogAll(const StatsDll& stats, const char* ownCall, const std::vector<LoggedQso>& qsos) {
  for (const LoggedQso& q : qsos) {
    CheckInt(std::string("AddData0 stores ") + q.qso.call + " at " + q.when, stats.AddData(q.qso, ownCall), 1);
  }
}

void ConfirmHeader() { Press(AwaitWindow(kHeaderCaption), IDOK); }

OutputMessage AcknowledgeOutput() {
  HWND box = AwaitWindow(kOutputCaption);
  OutputMessage seen{MessageText(box), GetWindow(box, GW_OWNER)};
  Check(GetDlgItem(box, IDOK) != nullptr && GetDlgItem(box, IDCANCEL) == nullptr, "Output box has OK only");
  HICON information = LoadIconA(nullptr, reinterpret_cast<LPCSTR>(IDI_INFORMATION));
  bool iconShown = false;
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if (reinterpret_cast<HICON>(SendMessageA(child, STM_GETICON, 0, 0)) == information) iconShown = true;
  }
  Check(iconShown, "Output box shows the information icon");
  Press(box, IDOK);
  return seen;
}

ReportResult Report(const StatsDll& stats) {
  ReportResult result;
  result.out = 12345;
  result.summary = WithOperator([&] { result.message = AcknowledgeOutput(); },
                                [&] { return stats.GetResult(&result.out); });
  return result;
}
