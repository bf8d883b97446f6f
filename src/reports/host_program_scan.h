// Finding the host program and its version with standard C++ only: the folder listed in its own
// order, the version taken from the fixed version block inside the program file.
#pragma once

#include "platform/host_program.h"

class ScanningHostProgram : public HostProgram {
 public:
  std::optional<FileVersion> FindVersion(const std::string& nameFragment) override;
};

// The fixed file version in a program image's bytes, found by the block's signature.
std::optional<FileVersion> FixedVersionIn(const std::string& imageBytes);
