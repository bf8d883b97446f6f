// Every QSO of every submitted log decided against the log of the station it names.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "interned_text.h"

// Every QSO of a contest is held at once, so its texts are interned: a QSO takes 32 bytes.
struct CheckedQso {
  std::uint32_t line = 0;   // where it stands in its file
  InternedText call;        // the worked call in the host's form, "OK1XYZ"
  InternedText band;        // "80m"
  std::int32_t minute = 0;  // minutes since 1899-12-30 00:00 (the years a log may hold, 1900 to 2100)
  InternedText sent, rcvd;  // serials compared as numbers: "0012" (see CheckedSerial)
  InternedText ownCall;     // the call the QSO line sends, "DL1ABC/P"; empty: the log's call
  int ruled = -1;           // a Decision the contest's rules took before matching (mode, band), or -1
  friend bool operator==(const CheckedQso&, const CheckedQso&) = default;
};

struct CheckedLog {
  std::string call;  // the submitter, "DL1ABC"; unique among the logs checked together
  std::vector<CheckedQso> qsos;
};

// The first seven come from matching; the others are the contest's rules: a mode or band the contest
// does not have (those QSOs take no part in matching), a QSO outside the contest period, and one on
// a band other than a single-band entry's (both matched as any other, so that they still confirm
// the other station's QSO).
enum class Decision : std::uint8_t {
  Confirmed,
  NotInLog,
  BustedCall,
  WrongSerial,
  BandMismatch,
  Unique,
  NotSubmitted,
  WrongMode,
  WrongBand,
  OutsidePeriod,
  OffEntryBand
};
inline constexpr std::size_t kDecisionCount = 11;

struct QsoRef {
  std::uint32_t log = 0, qso = 0;  // indices into the logs handed to CrossCheck
  friend bool operator==(const QsoRef&, const QsoRef&) = default;
};

// One for every QSO of a contest: 24 bytes.
struct Verdict {
  Decision decision = Decision::Confirmed;
  bool partnerTaken = false;  // not in log: the nearest QSO (partner) went to another QSO of ours
  // The other log's QSO behind the decision: the one matched, or for a QSO not in the other log
  // the nearest one the other station logged with us (any band, any time), when there is one.
  std::optional<QsoRef> partner;
  InternedText rightCall;      // busted call: the call of the station whose log has the QSO
  std::uint32_t workedBy = 0;  // not submitted: how many other logs name the call
};

// A log's clock against the others', from the QSOs whose serials match both ways with another
// log's within a day: the median of the differences (own time minus theirs, the second time
// against their corrected clock), and how many differences it rests on and how many lie within a
// minute of it.
struct ClockOffset {
  int minutes = 0;
  std::size_t evidence = 0, agreeing = 0;
  bool corrected = false;  // clear and at least kCorrectedOffset: the log's times were moved by it
};
inline constexpr std::size_t kOffsetEvidence = 5;  // differences an estimate needs to be clear
inline constexpr int kCorrectedOffset = 2;         // one minute is the jitter of whole-minute times

struct MatchOptions {
  int tolerance = 3;  // minutes
  bool correctClocks = true;
};

struct CrossCheckResult {
  std::vector<std::vector<Verdict>> verdicts;  // by log and QSO
  std::vector<ClockOffset> offsets;            // by log
  // Each call a log stands for (its header's, and a call its lines send that is no other log's),
  // by the call's number, with that log: a QSO not in log may have no partner to point at it.
  std::vector<std::pair<std::uint32_t, std::uint32_t>> holders;
  // The log whose station `call` names, if any.
  std::optional<std::uint32_t> HolderOf(InternedText call) const;
};

// One verdict per QSO, in the order of the logs and their QSOs. The answer does not depend on
// the order the logs come in.
CrossCheckResult CheckAll(const std::vector<CheckedLog>& logs, const MatchOptions& options);
std::vector<std::vector<Verdict>> CrossCheck(const std::vector<CheckedLog>& logs, int toleranceMinutes);

// A serial as the cross-check compares it: digits as a number, written with at least four digits
// ("00008" and "8" are "0008"); anything else as written.
std::string CheckedSerial(std::string_view serial);

// Edits (insert, delete, replace, swap of neighbours) between two calls, counted up to limit + 1.
int CallDistance(const std::string& a, const std::string& b, int limit);
inline constexpr int kBustedCallDistance = 2;

// Two different calls of one station: the same home call (the longest part between slashes) with
// a portable indicator or prefix dropped, added or changed: "EA8/DL1ABC", "DL1ABC/QRP", "DL1ABC".
bool SameHomeCall(std::string_view a, std::string_view b);
// How far a logged call lies from a station's call for a busted call: its edits up to
// kBustedCallDistance, a call of the same station as many, else kBustedCallDistance + 1.
int BustedDistance(const std::string& logged, const std::string& station);
