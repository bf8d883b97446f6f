// The INI format: "[Section]" lines, "key=value" lines below them.
#include "ini_store.h"

#include <algorithm>
#include <fstream>
#include <iterator>
#include <mutex>
#include <vector>

#include "text_file.h"

namespace {

std::string LocalPath(std::string path) {
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

std::vector<std::string> ReadLines(const std::string& path, bool& exists) {
  std::ifstream in(LocalPath(path), std::ios::binary);
  exists = static_cast<bool>(in);
  std::vector<std::string> lines;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::string Trim(std::string_view text) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!text.empty() && blank(text.front())) text.remove_prefix(1);
  while (!text.empty() && blank(text.back())) text.remove_suffix(1);
  return std::string(text);
}

bool SameName(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return lower(x) == lower(y); });
}

// The section name of a "[name]" line, or nothing.
std::optional<std::string> SectionOf(const std::string& line) {
  std::string t = Trim(line);
  if (t.size() < 2 || t.front() != '[') return std::nullopt;
  auto close = t.find(']');
  if (close == std::string::npos) return std::nullopt;
  return Trim(std::string_view(t).substr(1, close - 1));
}

// Whether a "key=value" line names `key`; its raw value goes to `value`.
bool KeyLine(const std::string& line, const std::string& key, std::string& value) {
  auto eq = line.find('=');
  if (eq == std::string::npos || !SameName(Trim(std::string_view(line).substr(0, eq)), key)) return false;
  value = line.substr(eq + 1);
  return true;
}

// [first, last) are the lines of the section's body; nothing when the section is missing.
struct SectionSpan {
  std::size_t header, first, last;
};

std::optional<SectionSpan> FindSection(const std::vector<std::string>& lines, const std::string& section) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    auto name = SectionOf(lines[i]);
    if (!name || !SameName(*name, section)) continue;
    std::size_t end = i + 1;
    while (end < lines.size() && !SectionOf(lines[end])) ++end;
    return SectionSpan{i, i + 1, end};
  }
  return std::nullopt;
}

std::optional<std::string> ValueIn(const std::vector<std::string>& lines, const std::string& section,
                                   const std::string& key) {
  auto span = FindSection(lines, section);
  if (!span) return std::nullopt;
  for (std::size_t i = span->first; i < span->last; ++i) {
    std::string raw;
    if (!KeyLine(lines[i], key, raw)) continue;
    std::string value = Trim(raw);
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
      value = value.substr(1, value.size() - 2);
    }
    return value;
  }
  return std::nullopt;
}

void SetIn(std::vector<std::string>& lines, const std::string& section, const std::string& key,
           const std::string& value) {
  std::string entry = key + "=" + value;
  auto span = FindSection(lines, section);
  if (!span) {
    lines.push_back("[" + section + "]");
    lines.push_back(entry);
    return;
  }
  for (std::size_t i = span->first; i < span->last; ++i) {
    std::string raw;
    if (KeyLine(lines[i], key, raw)) {
      lines[i] = entry;
      return;
    }
  }
  // After the section's last key, before the blank lines that separate it from the next.
  std::size_t at = span->last;
  while (at > span->first && Trim(lines[at - 1]).empty()) --at;
  lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), entry);
}

}  // namespace

std::optional<std::string> IniFileStore::Read(const std::string& file, const std::string& section,
                                              const std::string& key) {
  return ReadAll(file, section, {key}).front();
}

std::vector<std::optional<std::string>> IniFileStore::ReadAll(const std::string& file, const std::string& section,
                                                              const std::vector<std::string>& keys) {
  bool exists = false;
  std::vector<std::string> lines = ReadLines(file, exists);
  std::vector<std::optional<std::string>> values;
  for (const std::string& key : keys) values.push_back(ValueIn(lines, section, key));
  return values;
}

bool IniFileStore::Write(const std::string& file, const std::string& section, const std::string& key,
                         const std::string& value) {
  return WriteAll(file, section, {{key, value}});
}

bool IniFileStore::WriteAll(const std::string& file, const std::string& section,
                            const std::vector<std::pair<std::string, std::string>>& entries) {
  // Two writers in this process must not both start from the same old file: one change would
  // be lost.
  static std::mutex writing;
  std::lock_guard guard(writing);
  bool exists = false;
  std::vector<std::string> lines = ReadLines(file, exists);
  for (const auto& [key, value] : entries) SetIn(lines, section, key, value);

  std::string text;
  for (const std::string& line : lines) text.append(line).append("\r\n");
  // Like the platform, a missing folder is not created: the write just fails.
  return ReplaceFile(LocalPath(file), text);
}
