// An INI file store of our own for builds without the platform's profile functions: it reads
// what those write and writes what they read.
#pragma once

#include "platform/profile_store.h"

// "\" in a path is the folder separator. Section and key names match without regard to ASCII
// case; blanks around a value and one pair of enclosing quotes are dropped on reading. Lines end
// with CR LF.
class IniFileStore : public ProfileStore {
 public:
  std::optional<std::string> Read(const std::string& file, const std::string& section,
                                  const std::string& key) override;
  bool Write(const std::string& file, const std::string& section, const std::string& key,
             const std::string& value) override;
};
