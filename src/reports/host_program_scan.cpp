// Host program search for builds without the platform's version functions.
#include "host_program_scan.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>

namespace {

bool EndsWithExe(const std::string& name) {
  if (name.size() < 4) return false;
  std::string tail = name.substr(name.size() - 4);
  for (char& c : tail) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  return tail == ".exe";
}

// Little-endian reads at file offsets; a read past the end or a failed seek gives nothing.
class ImageReader {
 public:
  explicit ImageReader(std::istream& in) : in_(in) {}

  std::optional<std::string> Bytes(std::uint64_t at, std::size_t size) {
    std::string bytes(size, '\0');
    in_.clear();
    if (!in_.seekg(static_cast<std::streamoff>(at)) || !in_.read(bytes.data(), static_cast<std::streamsize>(size))) {
      return std::nullopt;
    }
    return bytes;
  }
  std::optional<std::uint32_t> Number(std::uint64_t at, int size) {
    auto bytes = Bytes(at, static_cast<std::size_t>(size));
    if (!bytes) return std::nullopt;
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>((*bytes)[i]);
    return value;
  }

 private:
  std::istream& in_;
};

constexpr std::uint32_t kSubdirectory = 0x80000000u;
constexpr std::uint32_t kVersionType = 16;  // RT_VERSION

}  // namespace

// The PE layout: the "MZ" header points to the "PE" signature, the optional header's third data
// directory gives the resources' address, the section table says where that address lies in
// the file. The resource tree is type, then name, then language; the first name and language
// of the version type hold VS_VERSIONINFO, whose VS_FIXEDFILEINFO follows its UTF-16 key.
std::optional<FileVersion> FixedVersionIn(std::istream& image) {
  ImageReader in(image);
  auto mz = in.Bytes(0, 2);
  auto peAt = in.Number(0x3C, 4);
  if (!mz || *mz != "MZ" || !peAt) return std::nullopt;
  auto pe = in.Bytes(*peAt, 4);
  auto sections = in.Number(*peAt + 6, 2);
  auto optionalSize = in.Number(*peAt + 20, 2);
  const std::uint64_t optional = *peAt + 24;
  auto magic = in.Number(optional, 2);
  if (!pe || *pe != std::string("PE\0\0", 4) || !sections || !optionalSize || !magic) return std::nullopt;
  const std::uint64_t directories = optional + (*magic == 0x20B ? 112 : 96);
  auto directoryCount = in.Number(directories - 4, 4);
  auto resourcesRva = in.Number(directories + 2 * 8, 4);
  if (!directoryCount || *directoryCount < 3 || !resourcesRva || *resourcesRva == 0) return std::nullopt;

  // The file offset of an address, through the section that holds it.
  auto offsetOf = [&](std::uint32_t rva) -> std::optional<std::uint64_t> {
    const std::uint64_t table = optional + *optionalSize;
    for (std::uint32_t i = 0; i < *sections; ++i) {
      const std::uint64_t header = table + 40ull * i;
      auto virtualSize = in.Number(header + 8, 4), address = in.Number(header + 12, 4);
      auto rawSize = in.Number(header + 16, 4), rawAt = in.Number(header + 20, 4);
      if (!virtualSize || !address || !rawSize || !rawAt) return std::nullopt;
      std::uint32_t size = std::max(*virtualSize, *rawSize);
      if (rva >= *address && rva - *address < size) return std::uint64_t{*rawAt} + (rva - *address);
    }
    return std::nullopt;
  };
  auto resources = offsetOf(*resourcesRva);
  if (!resources) return std::nullopt;

  // The entry with `id` (any entry when there is none) of the directory at `at`.
  auto entry = [&](std::uint32_t at, std::optional<std::uint32_t> id) -> std::optional<std::uint32_t> {
    auto named = in.Number(*resources + at + 12, 2), numbered = in.Number(*resources + at + 14, 2);
    if (!named || !numbered) return std::nullopt;
    for (std::uint32_t i = 0; i < *named + *numbered; ++i) {
      const std::uint64_t e = *resources + at + 16 + 8ull * i;
      auto name = in.Number(e, 4);
      if (!name) return std::nullopt;
      if (!id || (i >= *named && *name == *id)) return in.Number(e + 4, 4);
    }
    return std::nullopt;
  };
  auto type = entry(0, kVersionType);
  if (!type || !(*type & kSubdirectory)) return std::nullopt;
  auto name = entry(*type & ~kSubdirectory, std::nullopt);
  if (!name || !(*name & kSubdirectory)) return std::nullopt;
  auto language = entry(*name & ~kSubdirectory, std::nullopt);
  if (!language || (*language & kSubdirectory)) return std::nullopt;
  auto dataRva = in.Number(*resources + *language, 4);
  if (!dataRva) return std::nullopt;
  auto data = offsetOf(*dataRva);
  if (!data) return std::nullopt;

  static const std::string key("V\0S\0_\0V\0E\0R\0S\0I\0O\0N\0_\0I\0N\0F\0O\0\0\0", 32);
  auto info = in.Bytes(*data, 40 + 16);
  if (!info || info->compare(6, key.size(), key) != 0) return std::nullopt;
  auto signature = in.Number(*data + 40, 4), high = in.Number(*data + 48, 4), low = in.Number(*data + 52, 4);
  if (!signature || *signature != 0xFEEF04BD || !high || !low) return std::nullopt;
  return FileVersion{static_cast<int>(*high >> 16), static_cast<int>(*high & 0xFFFF), static_cast<int>(*low >> 16)};
}

std::optional<FileVersion> ScanningHostProgram::FindVersion(const std::string& nameFragment) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(".", error)) {
    std::string name = entry.path().filename().string();
    if (!EndsWithExe(name)) continue;
    // The first program whose name carries the host's name ends the search, version or not.
    if (name.find(nameFragment) == std::string::npos) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    return FixedVersionIn(in);
  }
  return std::nullopt;
}
