// Contest reset.
#include "contest_reset.h"

void ResetContest(Contest& contest, const ResetArgs& args) {
  contest.StartDateText = FormatDateTime(args.start, "%d.%m");
  contest.EndDateText = FormatDateTime(args.end, "%d.%m.%Y");
  contest.Log.Clear();
  contest.Contestant = args.contestant;
  contest.BandList.clear();
  contest.ContestStarted = args.startFlag;
}
