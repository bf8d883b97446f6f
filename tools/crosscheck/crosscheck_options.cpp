// Options read with the same reader as stats-replay's: a value as the next word or after "=".
#include "crosscheck_options.h"

#include <charconv>
#include <thread>

#include "period_options.h"

const char* const kCrossCheckUsage =
    "usage: stats-crosscheck [options] DIR\n"
    "Cross-checks every Cabrillo file in DIR against the others and scores the QSOs kept through the\n"
    "statistics plug-in.\n"
    "  --out DIR            folder for the results (default: crosscheck)\n"
    "  --tolerance MIN      how far two logs' times of one QSO may differ (default 3)\n"
    "  --unique-penalty     remove QSOs with a call no other log names (default: a note)\n"
    "  --keep-band-mismatch keep QSOs the other log has on another band (default: removed)\n"
    "  --keep-wrong-serial  keep QSOs whose received serial is not what was sent (default: removed)\n"
    "  --extra-penalty N    QSO points taken off for each QSO not in log or busted (default 0)\n"
    "  --start YYYY-MM-DDTHHMM  the contest's start (default: the 24 hours from 1200 UTC holding the most QSOs)\n"
    "  --end YYYY-MM-DDTHHMM    its end, not part of it (default: 24 hours after the start; a date\n"
    "                           alone is the whole day)\n"
    "  --no-clock-correction    match on the logged times, without each log's clock offset taken out\n"
    "  --receipts FILE      the receipt list, call,file,received: decides among several files of a call\n"
    "  --jobs N             worker processes scoring the logs (default: one per core)\n"
    "  --plugin FILE        the plug-in (default: the one beside this program)\n"
    "  --cty FILE           country file cty.dat (default: the system's)\n"
    "  --cty-csv FILE       its entity numbers, cty.csv (default: beside the country file)\n"
    "  --help               this text\n"
    "Exit code: 0 checked, 2 no check (options, folder, no log in it, plug-in), 3 the plug-in gave no score.\n";

namespace {

int Whole(const std::string& name, const std::string& text, int low, int high) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) {
    throw UsageError(name + ": '" + text + "' is no whole number from " + std::to_string(low) + " to " +
                     std::to_string(high));
  }
  return value;
}

}  // namespace

CrossCheckOptions ParseCrossCheckOptions(const std::vector<std::string>& args) {
  CrossCheckOptions options;
  bool haveFolder = false;
  std::optional<Moment> start, end;
  OptionReader words(args);
  while (words.Next()) {
    const std::string& name = words.name();
    auto flag = [&](bool& target) {
      words.NoValue();
      target = true;
    };

    if (name == "--out")
      options.outFolder = words.Value();
    else if (name == "--tolerance")
      options.tolerance = Whole(name, words.Value(), 0, 24 * 60);
    else if (name == "--unique-penalty")
      flag(options.rules.uniqueRemoved);
    else if (name == "--keep-band-mismatch")
      flag(options.rules.bandMismatchKept);
    else if (name == "--keep-wrong-serial")
      flag(options.rules.wrongSerialKept);
    else if (name == "--extra-penalty")
      options.rules.extraPenalty = Whole(name, words.Value(), 0, 1000);
    else if (name == "--start")
      start = MomentOption(name, words.Value());
    else if (name == "--end")
      end = MomentOption(name, words.Value());
    else if (name == "--no-clock-correction") {
      words.NoValue();
      options.correctClocks = false;
    } else if (name == "--receipts")
      options.receipts = words.Value();
    else if (name == "--jobs")
      options.jobs = static_cast<std::size_t>(Whole(name, words.Value(), 1, 64));
    else if (name == "--plugin")
      options.plugin = words.Value();
    else if (name == "--cty")
      options.countryFile = words.Value();
    else if (name == "--cty-csv")
      options.countryCsv = words.Value();
    else if (name == "--help" || name == "-h")
      flag(options.help);
    else if (name.starts_with("-"))
      throw UsageError("unknown option " + name);
    else if (haveFolder)
      throw UsageError("one folder of logs: " + options.logFolder.string() + " and " + name);
    else {
      options.logFolder = name;
      haveFolder = true;
    }
  }
  if (!haveFolder && !options.help) throw UsageError("no folder of logs given");
  options.period = PeriodOption(start, end);
  if (options.jobs == 0) options.jobs = std::max(1u, std::thread::hardware_concurrency());
  return options;
}
