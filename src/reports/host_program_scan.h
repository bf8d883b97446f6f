// Finding the host program and its version with standard C++ only: the folder listed in its own
// order, the version taken from the program file's version resource.
#pragma once

#include <istream>

#include "host_program.h"

class ScanningHostProgram : public HostProgram {
 public:
  std::optional<FileVersion> FindVersion(const std::string& nameFragment) override;
};

// The fixed file version in a program image's version resource, read through the PE headers and
// the resource directory: only those few parts of the file are read.
std::optional<FileVersion> FixedVersionIn(std::istream& image);
