// Private-profile reads with a growing buffer, so a long value (a soapbox of a few lines, an
// address) comes back whole instead of cut at the buffer's size.
#include "profile_win32.h"

#include <windows.h>

#include <vector>

std::optional<std::string> Win32ProfileStore::Read(const std::string& file, const std::string& section,
                                                   const std::string& key) {
  // Two different defaults tell a missing key from a stored value: only a missing key gives
  // back whichever default was passed.
  static constexpr const char* kMissingA = "\x01missing-a";
  static constexpr const char* kMissingB = "\x01missing-b";
  auto read = [&](const char* fallback) {
    std::vector<char> buffer(256);
    for (;;) {
      DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback, buffer.data(),
                                         static_cast<DWORD>(buffer.size()), file.c_str());
      // A result of size - 1 means the value may have been cut: read again with more room.
      if (n + 1 < buffer.size()) return std::string(buffer.data(), n);
      buffer.resize(buffer.size() * 2);
    }
  };
  std::string value = read(kMissingA);
  if (value == kMissingA && read(kMissingB) == kMissingB) return std::nullopt;
  return value;
}

bool Win32ProfileStore::Write(const std::string& file, const std::string& section, const std::string& key,
                              const std::string& value) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) != 0;
}
