// The platform's INI ("private profile") functions, as the settings need them.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

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

  // Several keys of one section at one reading where the store can; by default key by key.
  virtual std::vector<std::optional<std::string>> ReadAll(const std::string& file, const std::string& section,
                                                          const std::vector<std::string>& keys) {
    std::vector<std::optional<std::string>> values;
    for (const std::string& key : keys) values.push_back(Read(file, section, key));
    return values;
  }
  // Several keys (key, value) at one writing where the store can. False when any was not written.
  virtual bool WriteAll(const std::string& file, const std::string& section,
                        const std::vector<std::pair<std::string, std::string>>& entries) {
    bool all = true;
    for (const auto& [key, value] : entries) all = Write(file, section, key, value) && all;
    return all;
  }
};
