// Settings reads go to the file every time: the module keeps no copy of it.
#include "settings/settings.h"

#include <limits>

#include "engine/text_file.h"

std::int32_t ParseDecimal(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  long long value = 0;
  constexpr long long limit = static_cast<long long>(std::numeric_limits<std::int32_t>::max()) + 1;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
    value = std::min(value * 10 + (text[i] - '0'), limit);
  }
  if (negative) return static_cast<std::int32_t>(-value);
  return static_cast<std::int32_t>(std::min(value, limit - 1));
}

std::string Settings::ReadSetting(std::string_view key, std::string_view defaultValue) const {
  auto value = store_.Read(std::string(SettingsFile), std::string(SettingsSection), std::string(key));
  return value ? *value : std::string(defaultValue);
}

std::int32_t Settings::ReadSettingInt(std::string_view key) const { return ParseDecimal(ReadSetting(key, "")); }

// A value is one line of the file: a line break in it would end the value and begin a key.
void Settings::WriteSetting(std::string_view key, std::string_view value) {
  store_.Write(std::string(SettingsFile), std::string(SettingsSection), std::string(key), OnOneLine(value));
}

void Settings::WriteSettingInt(std::string_view key, std::int32_t value) {
  WriteSetting(key, std::to_string(value));
}
