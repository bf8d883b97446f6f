// Contest reset.
#include "engine/contest_reset.h"

void ResetContest(Contest& contest, const ResetArgs& args) {
  contest.StartDateText = FormatDateTime(args.start, "%d.%m");
  contest.EndDateText = FormatDateTime(args.end, "%d.%m.%Y");
  contest.Log.Clear();
  contest.Contestant = args.contestant;
  for (std::size_t b = 0; b < kBandCount; ++b) {
    contest.BandRows[b] = {std::string(BandOrder[b]), "-", "-", "-", "-"};
  }
  contest.BandList.clear();
  contest.ContestStarted = args.startFlag;
}
