// Finding the host program beside the module with the platform's directory listing and reading
// its version with the platform's version functions.
#pragma once

#include "host_program.h"

class Win32HostProgram : public HostProgram {
 public:
  std::optional<FileVersion> FindVersion(const std::string& nameFragment) override;
};
