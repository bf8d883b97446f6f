// Which version of the host program runs beside the module, for the Cabrillo CREATED-BY line.
#pragma once

#include <optional>
#include <string>

struct FileVersion {
  int major = 0;
  int minor = 0;
  int build = 0;
};

class HostProgram {
 public:
  virtual ~HostProgram() = default;
  // The fixed file version of the first "*.exe" in the current folder, in directory order,
  // whose name contains `nameFragment` (case-sensitive). Nothing when no such file is found or
  // it carries no readable version.
  virtual std::optional<FileVersion> FindVersion(const std::string& nameFragment) = 0;
};
