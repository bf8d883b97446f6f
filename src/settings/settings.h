// The settings file "Plugins\PSK63.ini", section "Settings": the four operations on it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "profile_store.h"

inline constexpr std::string_view SettingsFile = "Plugins\\PSK63.ini";
inline constexpr std::string_view SettingsSection = "Settings";

// Leading blanks skipped, an optional sign, digits up to the first non-digit; no digits give 0
// and a number past the 32-bit range stops at its end.
std::int32_t ParseDecimal(std::string_view text);

class Settings {
 public:
  explicit Settings(ProfileStore& store) : store_(store) {}

  // The stored value whole, or `defaultValue` when the key is missing. A key present with an
  // empty value gives the empty text.
  std::string ReadSetting(std::string_view key, std::string_view defaultValue) const;
  std::int32_t ReadSettingInt(std::string_view key) const;
  // Several keys, each (key, default), at one reading of the file: for one use of them all.
  std::vector<std::string> ReadSettings(const std::vector<std::pair<std::string_view, std::string_view>>& keys) const;
  // Failed writes are silent: the next read gives the default again.
  void WriteSetting(std::string_view key, std::string_view value);
  // Several (key, value) at one writing of the file.
  void WriteSettings(const std::vector<std::pair<std::string_view, std::string_view>>& entries);
  void WriteSettingInt(std::string_view key, std::int32_t value);

 private:
  ProfileStore& store_;
};
