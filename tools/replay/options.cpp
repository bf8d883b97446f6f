// Options take their value as the next argument or after "=".
#include "options.h"

#include <algorithm>

#include "great_circle.h"
#include "host_form.h"
#include "period_options.h"

const char* const kUsage =
    "usage: stats-replay [options] LOG\n"
    "Replays a contest log (ADIF or Cabrillo) through the statistics plug-in as the host would.\n"
    "  --plugin FILE      the plug-in (default: the one beside this program)\n"
    "  --out DIR          folder where the plug-in writes its files (default: the current folder)\n"
    "  --cty FILE         country file cty.dat (default: the system's, or beside this program)\n"
    "  --cty-csv FILE     its entity numbers, cty.csv (default: beside the country file)\n"
    "  --own-call CALL    own call sign (default: from the log)\n"
    "  --start YYYY-MM-DD first day of the contest (default: the first QSO's); with a time,\n"
    "                     YYYY-MM-DD HHMM, the first minute of the contest. --check holds the QSOs\n"
    "                     against the period from it: up to --end, else the contest's 24 hours\n"
    "  --end YYYY-MM-DD   last day of the contest (default: the last QSO's); with a time, the\n"
    "                     minute the contest ends; only with --start\n"
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
  std::optional<Moment> start, end;
  OptionReader words(args);
  while (words.Next()) {
    const std::string& name = words.name();
    auto value = [&] { return words.Value(); };
    auto moment = [&]() { return MomentOption(name, value()); };
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
      start = moment();
      options.startDay = start->days;
    } else if (name == "--end") {
      end = moment();
      options.endDay = end->days;
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
      options.comparePeriod = PeriodOf(moment(), std::nullopt);
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
  options.period = PeriodOption(start, end);
  if (!options.compareLog.empty() && options.reportFolder.empty()) throw UsageError("--compare needs --report DIR");
  return options;
}
