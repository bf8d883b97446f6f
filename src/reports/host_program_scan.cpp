// Host program search for builds without the platform's version functions.
#include "reports/host_program_scan.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

std::uint32_t Dword(const std::string& bytes, std::size_t at) {
  auto b = [&](std::size_t i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])); };
  return b(0) | b(1) << 8 | b(2) << 16 | b(3) << 24;
}

bool EndsWithExe(const std::string& name) {
  if (name.size() < 4) return false;
  std::string tail = name.substr(name.size() - 4);
  for (char& c : tail) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return tail == ".exe";
}

}  // namespace

std::optional<FileVersion> FixedVersionIn(const std::string& bytes) {
  // VS_FIXEDFILEINFO: signature, structure version, then the file version's two double-words.
  // It follows the resource's UTF-16 key; the signature's bytes alone may also occur in code.
  static const std::string key("V\0S\0_\0V\0E\0R\0S\0I\0O\0N\0_\0I\0N\0F\0O\0", 30);
  static const std::string signature("\xBD\x04\xEF\xFE", 4);
  std::size_t keyAt = bytes.find(key);
  if (keyAt == std::string::npos) return std::nullopt;
  std::size_t at = bytes.find(signature, keyAt);
  if (at == std::string::npos || at + 16 > bytes.size()) return std::nullopt;
  std::uint32_t high = Dword(bytes, at + 8), low = Dword(bytes, at + 12);
  return FileVersion{static_cast<int>(high >> 16), static_cast<int>(high & 0xFFFF), static_cast<int>(low >> 16)};
}

std::optional<FileVersion> ScanningHostProgram::FindVersion(const std::string& nameFragment) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(".", error)) {
    std::string name = entry.path().filename().string();
    if (!EndsWithExe(name)) continue;
    // The first program whose name carries the host's name ends the search, version or not.
    if (name.find(nameFragment) == std::string::npos) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    return FixedVersionIn(std::string(std::istreambuf_iterator<char>(in), {}));
  }
  return std::nullopt;
}
