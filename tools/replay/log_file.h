// A contest log as read from an ADIF or Cabrillo file, each QSO already in the host's terms.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct LogQso {
  std::size_t line = 0;  // where its record starts in the file
  std::string ownCall;   // empty when the record does not say
  std::string call;
  double days = 0.0;  // since 1899-12-30, to the second
  std::uint32_t freqHz = 0;
  std::string band;  // "80m"
  std::string mode;  // "BPSK63" for the contest mode, other modes as the log names them
  std::string rstSent, rstRcvd;
  std::string exchSent, exchRcvd;  // "0012"; empty when the log has none
  std::optional<int> dxccNumber;   // the ADIF entity number, when the log gives one
  std::string continent;           // from the log, else from the entity
  std::string dxcc;                // entity name, settled from the country file
  std::string multKey;             // the entity's primary prefix
};

struct Problem {
  std::size_t line = 0;
  std::string message;
};

struct LogFile {
  std::vector<LogQso> qsos;
  std::vector<Problem> problems;  // everything odd, each skipped record among them
  std::size_t skipped = 0;        // records that could not be replayed
  std::string ownCall;            // from the file's header, when it has one
};

// An ADIF file, or a Cabrillo file when the text starts with "START-OF-LOG:".
LogFile ParseLogText(std::string_view text);

// Throws std::runtime_error when the file cannot be read.
LogFile ReadLogFile(const std::filesystem::path& path);
