// Every QSO of every submitted log decided against the log of the station it names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct CheckedQso {
  std::size_t line = 0;     // where it stands in its file
  std::string call;         // the worked call in the host's form, "OK1XYZ"
  std::string band;         // "80m"
  std::int64_t minute = 0;  // minutes since 1899-12-30 00:00
  std::string sent, rcvd;   // serials in the host's form, "0012"
  friend bool operator==(const CheckedQso&, const CheckedQso&) = default;
};

struct CheckedLog {
  std::string call;  // the submitter, "DL1ABC"; unique among the logs checked together
  std::vector<CheckedQso> qsos;
};

enum class Decision { Confirmed, NotInLog, BustedCall, WrongSerial, BandMismatch, Unique, NotSubmitted };
inline constexpr std::size_t kDecisionCount = 7;

struct QsoRef {
  std::size_t log = 0, qso = 0;  // indices into the logs handed to CrossCheck
  friend bool operator==(const QsoRef&, const QsoRef&) = default;
};

struct Verdict {
  Decision decision = Decision::Confirmed;
  // The other log's QSO behind the decision: the one matched, or for a QSO not in the other log
  // the nearest one the other station logged with us (any band, any time), when there is one.
  std::optional<QsoRef> partner;
  bool partnerTaken = false;  // not in log: that nearest QSO went to another QSO of ours
  std::string rightCall;      // busted call: the call of the station whose log has the QSO
  std::size_t workedBy = 0;   // not submitted: how many other logs name the call
};

// One verdict per QSO, in the order of the logs and their QSOs. The answer does not depend on
// the order the logs come in.
std::vector<std::vector<Verdict>> CrossCheck(const std::vector<CheckedLog>& logs, int toleranceMinutes);

// Edits (insert, delete, replace, swap of neighbours) between two calls, counted up to limit + 1.
int CallDistance(const std::string& a, const std::string& b, int limit);
inline constexpr int kBustedCallDistance = 2;
