// The submitted logs of a folder: one per call sign, the newest file when a call sent several.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

#include "cross_check.h"
#include "log_file.h"

struct SubmittedLog {
  std::filesystem::path file;  // absolute
  std::string call;            // "DL1ABC"
  std::string category;        // CATEGORY-OPERATOR as written, "SINGLE-OP"; empty when missing
  std::size_t qsoLines = 0;    // QSO lines the file has, those the reader could not take among them
  LogFile log;                 // as read: the file is read once
};

// A file of the folder that is not checked, and why.
struct PassedOver {
  std::filesystem::path file;
  std::string why;  // "an older file for DL1ABC than dl1abc.log"
};

struct LogSet {
  std::vector<SubmittedLog> logs;   // in call order
  std::vector<CheckedLog> checked;  // the same logs, for the cross-check
  std::vector<PassedOver> passedOver;
};

// Every regular file directly in the folder is read; what is not a Cabrillo file, or names no
// call sign, is passed over. Throws std::runtime_error when the folder cannot be listed.
LogSet ReadLogFolder(const std::filesystem::path& folder);

// A log's QSOs as the cross-check sees them, in file order.
CheckedLog CheckedOf(const LogFile& log, const std::string& call);
