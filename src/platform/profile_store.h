// The platform's INI ("private profile") functions, as the settings need them.
#pragma once

#include <optional>
#include <string>

class ProfileStore {
 public:
  virtual ~ProfileStore() = default;
  // The whole stored value, or nothing when the file, the section or the key is missing.
  virtual std::optional<std::string> Read(const std::string& file, const std::string& section,
                                          const std::string& key) = 0;
  // Creates section and key as needed. False when nothing could be written (e.g. the folder of
  // the file is missing: it is never created).
  virtual bool Write(const std::string& file, const std::string& section, const std::string& key,
                     const std::string& value) = 0;
};
