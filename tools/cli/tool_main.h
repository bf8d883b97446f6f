// What every tool's main does around its run: the options read (a usage fault is exit code 2 with
// the usage), --help, and anything thrown told in one line: 3 when the plug-in failed, else 2.
#pragma once

#include <exception>
#include <functional>
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "option_reader.h"
#include "plugin_failure.h"

template <class Options>
int RunTool(std::string_view program, std::string_view usage, int argc, char** argv,
            Options (*parse)(const std::vector<std::string>&), const std::function<int(const Options&)>& run) {
  Options options;
  try {
    options = parse(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const UsageError& error) {
    std::cerr << program << ": " << error.what() << '\n' << usage;
    return 2;
  }
  if (options.help) {
    std::cout << usage;
    return 0;
  }
  try {
    return run(options);
  } catch (const PluginFailure& error) {
    std::cerr << program << ": " << error.what() << '\n';
    return 3;
  } catch (const std::exception& error) {
    std::cerr << program << ": " << error.what() << '\n';
    return 2;
  }
}
