// The plug-in's files against what the host's folder can hold: calls with any byte under the code
// page the test runs in, a Cabrillo file or err.txt held open by another program, a read-only file,
// temporaries a killed writer left, a call as long as a file name can be. The files are read and
// made through the ANSI calls, as the host names them. Each scenario works in a fresh folder of
// its own with the DLL loaded afresh.
//
// Arguments: Stats.dll and, for a run under another code page, the ANSI code page it must be.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "checks.h"
#include "operator_thread.h"
#include "report_run.h"
#include "stats_dll.h"

namespace {

namespace fs = std::filesystem;

std::string g_dll;
fs::path g_root;

// The names of the temporaries in the current folder.
std::vector<std::string> Temporaries() {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE search = FindFirstFileA("*.tmp", &found);
  if (search == INVALID_HANDLE_VALUE) return names;
  do {
    names.push_back(found.cFileName);
  } while (FindNextFileA(search, &found));
  FindClose(search);
  return names;
}

void CheckNoTemporary(const std::string& what) {
  std::vector<std::string> left = Temporaries();
  Check(left.empty(), what + ": no temporary file left", left.empty() ? "" : "left: " + Printable(left.front()));
}

// Another program's handle on a file, e.g. a viewer.
class HeldFile {
 public:
  HeldFile(const std::string& name, DWORD sharing)
      : handle_(CreateFileA(name.c_str(), GENERIC_READ, sharing, nullptr, OPEN_EXISTING, 0, nullptr)) {
    if (handle_ == INVALID_HANDLE_VALUE) Abandon("cannot hold " + Printable(name));
  }
  HeldFile(const HeldFile&) = delete;
  HeldFile& operator=(const HeldFile&) = delete;
  ~HeldFile() { CloseHandle(handle_); }
  // What this handle reads from the start: the file it holds, whatever its name is now.
  std::string Bytes() const {
    SetFilePointer(handle_, 0, nullptr, FILE_BEGIN);
    std::string bytes;
    char chunk[4096];
    DWORD n = 0;
    while (ReadFile(handle_, chunk, sizeof chunk, &n, nullptr) && n > 0) bytes.append(chunk, n);
    return bytes;
  }

 private:
  HANDLE handle_;
};

// A contest opened for submission under `call`, the header confirmed.
void OpenContest(const StatsDll& stats, const std::string& call) {
  int answer = WithOperator(ConfirmHeader, [&] { return stats.ResetStats(1, call.c_str()); });
  CheckInt("ResetStats0 for " + Printable(call), answer, 1);
}

LoggedQso QsoAt(int minute, const char* call) {
  return {Logged(call, At(9, minute), 3580000, "0001", "0042", "DL", "80m"), "2026-02-01 09xx"};
}

// A text as it comes back from a window of the code page: a byte pair the code page has no
// character for comes back as its stand-in character.
std::string ThroughAWindow(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                  static_cast<int>(wide.size())));
  std::string back(wide.size() * 2, '\0');
  back.resize(WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()), back.data(),
                                  static_cast<int>(back.size()), nullptr, nullptr));
  return back;
}

// Every byte of 0x80-0x9F between letters: those the Western code page leaves undefined (0x81,
// 0x8D, 0x90, 0x9D) among them, and as lead and trail bytes of a two-byte code page. The file is
// named by the host's bytes; the header dialog and the message box show what their code page
// makes of them.
void NonAsciiCalls() {
  ScenarioFolder folder(g_root, "non_ascii_calls");
  StatsDll stats(g_dll);
  for (const std::string call : {"DL\x80\x81\x8D\x9F" "A\x90\x9DZ", "\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E\x8F"
                                 "1\x91\x92\x93\x94\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9E" "K"}) {
    const std::string name = call + ".cbr";
    const std::string shown = ThroughAWindow(call);
    const std::string what = "call " + Printable(call);
    OpenContest(stats, call);
    LogAll(stats, call.c_str(), {QsoAt(1, "OK1AB")});
    CheckText(what + ": Output message", Report(stats).message.text, "File produced: " + ThroughAWindow(name));
    LogAll(stats, call.c_str(), {QsoAt(2, "OK2CD")});
    CheckText(what + ": Output message of a second report", Report(stats).message.text,
              "File produced: " + ThroughAWindow(name));
    std::string file = FileBytes(name).value_or("<missing>");
    bool whole = file.find("\r\nCALLSIGN: " + shown + "\r\n") != std::string::npos &&
                 file.find(" OK2CD ") != std::string::npos && file.ends_with("\r\nEND-OF-LOG:\r\n");
    Check(whole,
          what + ": the file under the host's name holds the second report", Printable(file.substr(0, 80)));
    CheckNoTemporary(what);
  }
}

// A viewer sharing reading and writing keeps its file and sees it rewritten in place; one that
// shares only reading keeps the old file, and the operator is told the file was not produced.
void HeldCabrilloFile() {
  ScenarioFolder folder(g_root, "held_cabrillo_file");
  StatsDll stats(g_dll);
  OpenContest(stats, "HE1LD");
  LogAll(stats, "HE1LD", {QsoAt(1, "OK1AB")});
  Report(stats);
  {
    HeldFile viewer("HE1LD.cbr", FILE_SHARE_READ | FILE_SHARE_WRITE);
    LogAll(stats, "HE1LD", {QsoAt(2, "OK2CD")});
    CheckText("held with read and write sharing: Output message", Report(stats).message.text,
              "File produced: HE1LD.cbr");
    std::string file = FileBytes("HE1LD.cbr").value_or("<missing>");
    Check(file.find(" OK2CD ") != std::string::npos && file.ends_with("\r\nEND-OF-LOG:\r\n"),
          "held with read and write sharing: the new report is written");
    CheckText("held with read and write sharing: the viewer's file is the one written", viewer.Bytes(), file);
    CheckNoTemporary("held with read and write sharing");
  }
  const std::string before = FileBytes("HE1LD.cbr").value_or("<missing>");
  HeldFile viewer("HE1LD.cbr", FILE_SHARE_READ);
  LogAll(stats, "HE1LD", {QsoAt(3, "OK3EF")});
  CheckText("held with read sharing only: Output message", Report(stats).message.text,
            "File not produced: HE1LD.cbr");
  CheckText("held with read sharing only: the earlier file is kept", FileBytes("HE1LD.cbr").value_or("<missing>"),
            before);
  CheckNoTemporary("held with read sharing only");
}

void ReadOnlyCabrilloFile() {
  ScenarioFolder folder(g_root, "read_only_cabrillo_file");
  StatsDll stats(g_dll);
  WriteFileBytes("RE1AD.cbr", "submitted\r\n");
  SetFileAttributesA("RE1AD.cbr", FILE_ATTRIBUTE_READONLY);
  OpenContest(stats, "RE1AD");
  LogAll(stats, "RE1AD", {QsoAt(1, "OK1AB")});
  CheckText("read-only: Output message", Report(stats).message.text, "File not produced: RE1AD.cbr");
  CheckText("read-only: the file is kept", FileBytes("RE1AD.cbr").value_or("<missing>"), "submitted\r\n");
  Check((GetFileAttributesA("RE1AD.cbr") & FILE_ATTRIBUTE_READONLY) != 0, "read-only: the file stays read-only");
  CheckNoTemporary("read-only");
  SetFileAttributesA("RE1AD.cbr", FILE_ATTRIBUTE_NORMAL);
}

// What a writer killed mid-write left goes with the next report; a live writer's temporary and
// the user's own files stay.
void LeftTemporaries() {
  ScenarioFolder folder(g_root, "left_temporaries");
  StatsDll stats(g_dll);
  WriteFileBytes("LE1FT.cbr.3141592653-7.tmp", std::string(100000, 'Q'));
  WriteFileBytes("LE1FT.cbr.notes.tmp", "the user's");
  WriteFileBytes("OTHER.cbr.1-1.tmp", "another file's");
  HANDLE live = CreateFileA("LE1FT.cbr.27-1.tmp", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
  Check(live != INVALID_HANDLE_VALUE, "a live writer's temporary is made");
  OpenContest(stats, "LE1FT");
  LogAll(stats, "LE1FT", {QsoAt(1, "OK1AB")});
  CheckText("left temporaries: Output message", Report(stats).message.text, "File produced: LE1FT.cbr");
  CloseHandle(live);
  std::vector<std::string> left = Temporaries();
  std::sort(left.begin(), left.end());
  const std::vector<std::string> want{"LE1FT.cbr.27-1.tmp", "LE1FT.cbr.notes.tmp", "OTHER.cbr.1-1.tmp"};
  Check(left == want, "left temporaries: only the abandoned one went",
        std::to_string(left.size()) + " left, first " + (left.empty() ? "" : left.front()));
}

// The temporary's name must not be what makes a fitting name too long.
void LongCall() {
  ScenarioFolder folder(g_root, "long_call");
  StatsDll stats(g_dll);
  const std::string call(240, 'L');
  OpenContest(stats, call);
  LogAll(stats, call.c_str(), {QsoAt(1, "OK1AB")});
  CheckText("240-character call: Output message", Report(stats).message.text, "File produced: " + call + ".cbr");
  Check(FileBytes(call + ".cbr").value_or("").ends_with("\r\nEND-OF-LOG:\r\n"),
        "240-character call: the file is whole");
  CheckNoTemporary("240-character call");
}

// A reset begins err.txt anew; a log viewer holding it open gets it rewritten in place.
void HeldProblemFile() {
  ScenarioFolder folder(g_root, "held_problem_file");
  // The window choice on and "Start" set: the reset begins err.txt anew but starts no window.
  const std::string settings = "[Settings]\r\nMaster=1\r\nStart=1\r\n";
  const std::string title = "PSK-TORVALE UBN file \r\n";
  WriteFileBytes("Plugins\\PSK63.ini", settings);
  WriteFileBytes("err.txt", "old line\r\n");
  StatsDll stats(g_dll);
  CheckInt("ResetStats0 without a viewer", stats.ResetStats(), 1);
  CheckText("err.txt begun anew", FileBytes("err.txt").value_or("<missing>"), title);

  Qso wrongMode = QsoAt(1, "OK1AB").qso;
  wrongMode.mode = "CW";
  stats.AddData(wrongMode);
  WriteFileBytes("Plugins\\PSK63.ini", settings);
  HeldFile viewer("err.txt", FILE_SHARE_READ | FILE_SHARE_WRITE);
  CheckInt("ResetStats0 with a viewer", stats.ResetStats(), 1);
  CheckText("err.txt begun anew under a viewer", FileBytes("err.txt").value_or("<missing>"), title);
  CheckText("the viewer's err.txt is the one begun anew", viewer.Bytes(), title);
  stats.AddData(wrongMode);
  std::string text = FileBytes("err.txt").value_or("<missing>");
  Check(text.starts_with(title) && text.ends_with("   NO CONTEST MODE !!!\r\n"), "a problem line follows the title",
        Printable(text));
  CheckNoTemporary("err.txt");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2 && argc != 3) {
    std::printf("usage: %s Stats.dll [ANSI-code-page]\n", argv[0]);
    return 2;
  }
  char full[MAX_PATH * 2] = {};
  GetFullPathNameA(argv[1], sizeof full, full, nullptr);
  g_dll = full;
  std::string codePage = argc == 3 ? argv[2] : std::to_string(GetACP());
  if (argc == 3) CheckInt("the ANSI code page of this run", GetACP(), std::atoi(argv[2]));
  std::printf("ANSI code page %u\n", GetACP());
  GetFullPathNameA(("files_test_" + codePage).c_str(), sizeof full, full, nullptr);
  g_root = full;
  std::error_code ignored;
  fs::remove_all(g_root, ignored);
  fs::create_directories(g_root);
  if (!SetCurrentDirectoryA(full)) Abandon("cannot enter the test's folder");

  try {
    NonAsciiCalls();
    HeldCabrilloFile();
    ReadOnlyCabrilloFile();
    LeftTemporaries();
    LongCall();
    HeldProblemFile();
  } catch (const std::exception& e) {
    Check(false, "unexpected exception", e.what());
  }
  return Summary();
}
