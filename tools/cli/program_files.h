// The files every tool reads besides its logs, as its options name them or where they lie by
// default: the plug-in beside the program, the country file of the system (Linux) or beside the
// program (Windows), cty.csv beside the country file.
#pragma once

#include <filesystem>

struct ProgramFiles {
  std::filesystem::path plugin, countryDat, countryCsv;  // absolute
};

// Empty paths take their defaults; the others are made absolute, before any tool moves into
// another folder.
ProgramFiles ResolveProgramFiles(const std::filesystem::path& plugin, const std::filesystem::path& countryDat,
                                 const std::filesystem::path& countryCsv);

// The plug-in beside this program: libStats.so, or Stats.dll on Windows.
std::filesystem::path DefaultPluginPath();
std::filesystem::path DefaultCountryFile();
