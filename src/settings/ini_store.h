// An INI file store of our own for builds without the platform's profile functions: it reads
// what those write and writes what they read.
#pragma once

#include "profile_store.h"

// "\" in a path is the folder separator. Section and key names match without regard to ASCII
// case; blanks around a value and one pair of enclosing quotes are dropped on reading. Lines end
// with CR LF.
class IniFileStore : public ProfileStore {
 public:
  std::optional<std::string> Read(const std::string& file, const std::string& section,
                                  const std::string& key) override;
  bool Write(const std::string& file, const std::string& section, const std::string& key,
             const std::string& value) override;
  // One reading, or one reading and one writing, of the file for all the keys.
  std::vector<std::optional<std::string>> ReadAll(const std::string& file, const std::string& section,
                                                  const std::vector<std::string>& keys) override;
  bool WriteAll(const std::string& file, const std::string& section,
                const std::vector<std::pair<std::string, std::string>>& entries) override;
};
