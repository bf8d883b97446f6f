// The plug-in answered nothing a tool can go on with: no summary, or one without its score.
#pragma once

#include <stdexcept>

struct PluginFailure : std::runtime_error {
  using std::runtime_error::runtime_error;
};
