// The submitted logs of a folder: one per call sign, the newest file when a call sent several.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cross_check.h"
#include "log_file.h"
#include "qso_line_store.h"

// What a log's header says about its entry, values as written (blanks around them trimmed).
struct EntryHeader {
  std::string categoryOperator, categoryBand, categoryPower, categoryAssisted, categoryTransmitter, categoryOverlay;
  std::string club, name;
  std::string claimedText;           // CLAIMED-SCORE as written; empty when missing
  std::optional<long long> claimed;  // its value, commas left out; none when it is no number
};

struct SubmittedLog {
  std::filesystem::path file;  // absolute
  std::string call;            // "DL1ABC"
  std::string category;        // CATEGORY-OPERATOR as written, "SINGLE-OP"; empty when missing
  std::size_t qsoLines = 0;    // QSO lines the file has, those the reader could not take among them
  // The parsed file is let go once its QSOs are taken (it is ten times their size), and read
  // again to be scored: this tells that it is still the file that was checked.
  FileStamp stamp;
  std::size_t firstLine = 0;  // its first QSO's line in LogSet::lines
  EntryHeader header;
  std::string passedOverFile;  // another file of the same call that was passed over, when there was one
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
  std::size_t filesReceived = 0;                                           // regular files and others in the folder
  std::unique_ptr<QsoLineStore> lines = std::make_unique<QsoLineStore>();  // every QSO's line as read
};

// The log as it was read for the check. Throws std::runtime_error when it cannot be read or is
// no longer the file that was checked.
LogFile ReadAgain(const SubmittedLog& log);

// The sponsor's receipt list: file name to the time it was received ("2025-03-17 0812", any form
// that sorts as time does).
using Receipts = std::map<std::string, std::string>;
// "call,file,received" lines (a first line naming the columns is skipped). Throws
// std::runtime_error when the file cannot be read or a line has fewer than three fields.
Receipts ReadReceipts(const std::filesystem::path& file);

// Every regular file directly in the folder is read; what is not a Cabrillo file, or names no
// call sign, or cannot be read, is passed over. Of several files of a call the one received last
// by the receipt list is checked (a file the list names wins over one it does not), else the one
// modified last, else the one whose name sorts last. Throws std::runtime_error when the folder
// cannot be listed. The files are read on up to `threads` threads; the result is the same for any
// number.
LogSet ReadLogFolder(const std::filesystem::path& folder, const Receipts& receipts = {}, std::size_t threads = 1);

// A log's QSOs as the cross-check sees them, in file order.
CheckedLog CheckedOf(const LogFile& log, const std::string& call);
