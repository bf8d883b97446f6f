// What the flow and file tests share: a scenario's own folder, a file's bytes as the host's own
// calls name it, QSOs logged, and a report run with its "Output" message read and acknowledged.
#pragma once

#include <windows.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "stats_dll.h"

inline constexpr const char* kHeaderCaption = "PSK-63-TORVALE";
inline constexpr const char* kOutputCaption = "Output";

// Day 46054 is 2026-02-01.
inline double At(int hour, int minute) { return 46054.0 + (hour * 60 + minute) / 1440.0; }

// A fresh folder below `root` made the current one, with the "Plugins" folder the settings file
// goes in unless a scenario needs it missing; `root` again afterwards.
class ScenarioFolder {
 public:
  ScenarioFolder(const std::filesystem::path& root, const char* name, bool withPlugins = true);
  ScenarioFolder(const ScenarioFolder&) = delete;
  ScenarioFolder& operator=(const ScenarioFolder&) = delete;
  ~ScenarioFolder();

 private:
  std::filesystem::path root_;
};

// Through the ANSI file functions, as the host names its files; nothing when it cannot be opened.
std::optional<std::string> FileBytes(const std::string& name);
void WriteFileBytes(const std::string& name, const std::string& bytes);

Qso Logged(const char* call, double time, unsigned freqHz, const char* exchSent, const char* exchRcvd,
           const char* dxcc, const char* band);

// One logged QSO and the date-time its Cabrillo line shows.
struct LoggedQso {
  Qso qso;
  const char* when;
};
void LogAll(const StatsDll& stats, const char* ownCall, const std::vector<LoggedQso>& qsos);

// Confirms the header dialog as it opened.
void ConfirmHeader();

struct OutputMessage {
  std::string text;
  HWND owner = nullptr;
};
// Reads the "Output" message and presses its OK.
OutputMessage AcknowledgeOutput();

// GetResult0 in a report run: the message it shows and what it returns.
struct ReportResult {
  std::string summary;
  int out = 0;
  OutputMessage message;
};
ReportResult Report(const StatsDll& stats);
