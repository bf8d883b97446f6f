// Options take their value as the next argument or after "=".
#include "options.h"

#include <algorithm>

#include "host_form.h"

const char* const kUsage =
    "usage: stats-replay [options] LOG\n"
    "Replays a contest log (ADIF or Cabrillo) through the statistics plug-in as the host would.\n"
    "  --plugin FILE      the plug-in (default: the one beside this program)\n"
    "  --out DIR          folder where the plug-in writes its files (default: the current folder)\n"
    "  --cty FILE         country file cty.dat (default: the system's, or beside this program)\n"
    "  --cty-csv FILE     its entity numbers, cty.csv (default: beside the country file)\n"
    "  --own-call CALL    own call sign (default: from the log)\n"
    "  --start YYYY-MM-DD first day of the contest (default: the first QSO's)\n"
    "  --end YYYY-MM-DD   last day of the contest (default: the last QSO's)\n"
    "  --no-report        open the contest without a report run: no header dialog, no Cabrillo file\n"
    "  --verbose          print what the live call check told the operator for every QSO\n"
    "  --unattended       press OK in the plug-in's dialogs (Windows)\n"
    "  --help             this text\n"
    "Exit code: 0 all replayed, 1 some records skipped, 2 no replay (options, files, plug-in),\n"
    "3 the plug-in returned no summary.\n";

namespace {

std::optional<double> DayOf(const std::string& text) {
  auto digits = [&](std::size_t at, std::size_t n) {
    return std::all_of(text.begin() + static_cast<std::ptrdiff_t>(at),
                       text.begin() + static_cast<std::ptrdiff_t>(at + n), [](char c) { return c >= '0' && c <= '9'; });
  };
  if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !digits(0, 4) || !digits(5, 2) || !digits(8, 2)) {
    return std::nullopt;
  }
  return HostDays({std::stoi(text.substr(0, 4)), std::stoi(text.substr(5, 2)), std::stoi(text.substr(8, 2)), 0, 0, 0});
}

}  // namespace

Options ParseOptions(const std::vector<std::string>& args) {
  Options options;
  bool haveLog = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::optional<std::string> inlineValue;
    if (name.starts_with("--") && name.find('=') != std::string::npos) {
      inlineValue = name.substr(name.find('=') + 1);
      name.erase(name.find('='));
    }
    auto value = [&]() -> std::string {
      if (inlineValue) return *inlineValue;
      if (i + 1 >= args.size()) throw UsageError(name + " needs a value");
      return args[++i];
    };
    auto day = [&]() {
      const std::string text = value();
      std::optional<double> d = DayOf(text);
      if (!d) throw UsageError(name + ": '" + text + "' is no date YYYY-MM-DD");
      return d;
    };
    auto flag = [&](bool& target) {
      if (inlineValue) throw UsageError(name + " takes no value");
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
    else if (name == "--start")
      options.startDay = day();
    else if (name == "--end")
      options.endDay = day();
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
  return options;
}
