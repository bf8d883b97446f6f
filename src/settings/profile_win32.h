// The settings file through the platform's private-profile functions.
#pragma once

#include "profile_store.h"

class Win32ProfileStore : public ProfileStore {
 public:
  std::optional<std::string> Read(const std::string& file, const std::string& section,
                                  const std::string& key) override;
  bool Write(const std::string& file, const std::string& section, const std::string& key,
             const std::string& value) override;
};
