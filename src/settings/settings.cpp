// Settings reads go to the file every time: the module keeps no copy of it.
#include "settings.h"

#include <limits>

#include "line_text.h"
#include "text_file.h"

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
  return ReadSettings({{key, defaultValue}}).front();
}

std::vector<std::string> Settings::ReadSettings(
    const std::vector<std::pair<std::string_view, std::string_view>>& keys) const {
  std::vector<std::string> names;
  for (const auto& [key, defaultValue] : keys) names.emplace_back(key);
  auto stored = store_.ReadAll(std::string(SettingsFile), std::string(SettingsSection), names);
  std::vector<std::string> values;
  for (std::size_t i = 0; i < keys.size(); ++i) values.push_back(stored[i] ? *stored[i] : std::string(keys[i].second));
  return values;
}

std::int32_t Settings::ReadSettingInt(std::string_view key) const { return ParseDecimal(ReadSetting(key, "")); }

void Settings::WriteSetting(std::string_view key, std::string_view value) { WriteSettings({{key, value}}); }

// A value is one line of the file: a line break in it would end the value and begin a key.
void Settings::WriteSettings(const std::vector<std::pair<std::string_view, std::string_view>>& entries) {
  std::vector<std::pair<std::string, std::string>> lines;
  for (const auto& [key, value] : entries) lines.emplace_back(key, OnOneLine(value));
  store_.WriteAll(std::string(SettingsFile), std::string(SettingsSection), lines);
}

void Settings::WriteSettingInt(std::string_view key, std::int32_t value) {
  WriteSetting(key, std::to_string(value));
}
