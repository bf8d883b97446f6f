// Options take their value as the next argument or after "=".
#include "options.h"

#include <algorithm>

#include "great_circle.h"
#include "host_form.h"

const char* const kUsage =
    "usage: stats-replay [options] LOG\n"
    "Replays a contest log (ADIF or Cabrillo) through the statistics plug-in as the host would.\n"
    "  --plugin FILE      the plug-in (default: the one beside this program)\n"
    "  --out DIR          folder where the plug-in writes its files (default: the current folder)\n"
    "  --cty FILE         country file cty.dat (default: the system's, or beside this program)\n"
    "  --cty-csv FILE     its entity numbers, cty.csv (default: beside the country file)\n"
    "  --own-call CALL    own call sign (default: from the log)\n"
    "  --start YYYY-MM-DD first day of the contest (default: the first QSO's); with a time,\n"
    "                     YYYY-MM-DD HHMM, the first minute of the contest\n"
    "  --end YYYY-MM-DD   last day of the contest (default: the last QSO's); with a time, the\n"
    "                     minute the contest ends. Given dates or times are checked by --check\n"
    "  --no-report        open the contest without a report run: no header dialog, no Cabrillo file\n"
    "  --check            check the log before it is submitted: one line per finding\n"
    "  --report DIR       write the statistics stats.json and report.html into DIR (checks too)\n"
    "  --min-break M      the shortest break the report counts as off time, in minutes (default 30)\n"
    "  --run-tolerance HZ how far the frequencies of a run's consecutive QSOs may lie apart (default 100;\n"
    "                     Cabrillo logs give whole kHz: 1000 suits them)\n"
    "  --run-min N        the fewest QSOs in a row on one frequency that make a run (default 3)\n"
    "  --locator LOC      the operator's Maidenhead locator, for the map's headings and distances\n"
    "                     (default: the position of the own call's entity)\n"
    "  --compare LOG      another log (another year's or station's) beside this one in the report\n"
    "  --compare-start T  its contest's first minute, YYYY-MM-DD HHMM (default: its first QSO's hour)\n"
    "  --scp FILE         the check-partial call list (default: MASTER.SCP beside the country file)\n"
    "  --verbose          print what the live call check told the operator for every QSO\n"
    "  --unattended       press OK in the plug-in's dialogs (Windows)\n"
    "  --help             this text\n"
    "Exit code: 0 all replayed, 1 some records skipped, 2 no replay (options, files, plug-in),\n"
    "3 the plug-in returned no summary, 4 the log cannot be submitted as it is: the check found an\n"
    "error, or the file is no log, is empty or holds no QSO that counts (then nothing is replayed).\n";

namespace {

struct Moment {
  double days;
  bool wholeDay;  // no time of day was given
};

// "2025-03-15", or with a time "2025-03-15 1200", "2025-03-15T12:00" and the like.
std::optional<Moment> MomentOf(const std::string& text) {
  auto digits = [&](std::size_t at, std::size_t n) {
    return at + n <= text.size() &&
           std::all_of(text.begin() + static_cast<std::ptrdiff_t>(at),
                       text.begin() + static_cast<std::ptrdiff_t>(at + n), [](char c) { return c >= '0' && c <= '9'; });
  };
  auto number = [&](std::size_t at, std::size_t n) { return std::stoi(text.substr(at, n)); };
  if (text.size() < 10 || text[4] != '-' || text[7] != '-' || !digits(0, 4) || !digits(5, 2) || !digits(8, 2)) {
    return std::nullopt;
  }
  int hour = 0, minute = 0;
  const bool wholeDay = text.size() == 10;
  if (!wholeDay) {
    const std::string time = text.substr(11);
    if (text[10] != ' ' && text[10] != 'T') return std::nullopt;
    if (time.size() == 4 && digits(11, 4)) {
      hour = number(11, 2), minute = number(13, 2);
    } else if (time.size() == 5 && time[2] == ':' && digits(11, 2) && digits(14, 2)) {
      hour = number(11, 2), minute = number(14, 2);
    } else {
      return std::nullopt;
    }
  }
  const int year = number(0, 4);
  if (year < kFirstLogYear || year > kLastLogYear) return std::nullopt;
  const std::optional<double> days = HostDays({year, number(5, 2), number(8, 2), hour, minute, 0});
  if (!days) return std::nullopt;
  return Moment{*days, wholeDay};
}

// A whole number from `least`, of at most `digits` digits.
int WholeOf(const std::string& name, const std::string& text, int least, std::size_t digits, const char* what) {
  const bool ok = !text.empty() && text.size() <= digits &&
                  std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
  if (!ok || std::stoi(text) < least) {
    throw UsageError(name + ": '" + text + "' is no number of " + what + " from " + std::to_string(least));
  }
  return std::stoi(text);
}

}  // namespace

Options ParseOptions(const std::vector<std::string>& args) {
  Options options;
  bool haveLog = false;
  OptionReader words(args);
  while (words.Next()) {
    const std::string& name = words.name();
    auto value = [&] { return words.Value(); };
    auto moment = [&]() {
      const std::string text = value();
      std::optional<Moment> m = MomentOf(text);
      if (!m) {
        throw UsageError(name + ": '" + text + "' is no date YYYY-MM-DD or date and time YYYY-MM-DD HHMM, from " +
                         std::to_string(kFirstLogYear) + " to " + std::to_string(kLastLogYear));
      }
      return *m;
    };
    auto flag = [&](bool& target) {
      words.NoValue();
      target = true;
    };

    if (name == "--plugin")
      options.plugin = value();
    else if (name == "--out")
      options.outFolder = value();
    else if (name == "--cty")
      options.countryFile = value();
    else if (name == "--cty-csv")
      options.countryCsv = value();
    else if (name == "--own-call")
      options.ownCall = UpperCase(Trimmed(value()));
    else if (name == "--start") {
      const Moment start = moment();
      options.startDay = options.periodStart = start.days;
    } else if (name == "--end") {
      const Moment end = moment();
      options.endDay = end.days;
      options.periodEnd = end.wholeDay ? end.days + 1 : end.days;
    } else if (name == "--check")
      flag(options.check);
    else if (name == "--report") {
      options.reportFolder = value();
      options.check = true;
    } else if (name == "--min-break")
      options.minBreakMinutes = WholeOf(name, value(), 1, 5, "minutes");
    else if (name == "--run-tolerance")
      options.runToleranceHz = static_cast<std::uint32_t>(WholeOf(name, value(), 0, 6, "Hz"));
    else if (name == "--run-min")
      options.runMinQsos = WholeOf(name, value(), 1, 5, "QSOs");
    else if (name == "--locator") {
      options.locator = UpperCase(Trimmed(value()));
      if (!LocatorCentre(options.locator)) {
        throw UsageError(name + ": '" + options.locator + "' is no Maidenhead locator such as JO62 or JO62QM");
      }
    } else if (name == "--compare")
      options.compareLog = value();
    else if (name == "--compare-start")
      options.compareStart = moment().days;
    else if (name == "--scp")
      options.callList = value();
    else if (name == "--no-report")
      flag(options.noReport);
    else if (name == "--verbose")
      flag(options.verbose);
    else if (name == "--unattended")
      flag(options.unattended);
    else if (name == "--help" || name == "-h")
      flag(options.help);
    else if (name.starts_with("-"))
      throw UsageError("unknown option " + name);
    else if (haveLog)
      throw UsageError("one log at a time: " + options.log.string() + " and " + name);
    else {
      options.log = name;
      haveLog = true;
    }
  }
  if (!haveLog && !options.help) throw UsageError("no log file given");
  if (!options.compareLog.empty() && options.reportFolder.empty()) throw UsageError("--compare needs --report DIR");
  return options;
}
