// The host's part in a contest: open it, offer every QSO as the operator logs it, ask for the score.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "contest_plan.h"
#include "entry_points.h"

enum class QsoFate { Accepted, Dupe, Rejected };

// The live call check's answers, as the operator would have seen them while typing the call.
inline constexpr int kCheckDupe = 0, kCheckNotNew = 1, kCheckNewMultiplier = 2, kCheckBandMismatch = 4;

struct ReplayCounts {
  std::size_t accepted = 0;  // stored, no dupe
  std::size_t dupes = 0;     // stored, flagged as dupe
  std::size_t rejected = 0;  // refused: wrong mode, missing exchange
};

struct ReplayResult {
  std::string summary;  // GetResult0's text, CR LF line ends
  ReplayCounts counts;
};

// Told about every QSO after the plug-in took it: its index, the call check's answer, its fate.
using QsoObserver = std::function<void(std::size_t, const PlannedQso&, int, QsoFate)>;

// The answer an observer is told for a QSO whose call was not checked.
inline constexpr int kNotChecked = -1;

// Every QSO gets its call check (both band arguments its band) and is then added. The check
// changes nothing the plug-in keeps, so a replay that only wants the score may leave it out
// (`callChecks` false). The plug-in does not say whether it stored a QSO as a dupe: a stored QSO
// is one when its call was stored on its band before.
ReplayResult Replay(const StatsEntryPoints& plugin, const ContestPlan& plan, const QsoObserver& observe = {},
                    bool callChecks = true);

// The host deleting QSOs the plug-in stored in the replay just made, each with the arguments it
// was added with, and asking for the score again: GetResult0's text for what is left. The plug-in
// flags a dupe when it is added, not when an earlier QSO is deleted, so this is the score of a
// replay without those QSOs only where none of them shares its call and band with a QSO left.
std::string WithdrawQsos(const StatsEntryPoints& plugin, const ContestOpening& opening,
                         const std::vector<const PlannedQso*>& stored);
