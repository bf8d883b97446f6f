// The listing's own order decides which program is taken when several carry the host's name.
#include "host_program_win32.h"

#include <windows.h>

#include <string_view>
#include <vector>

#include "unique_win32.h"

namespace {

std::optional<FileVersion> FixedVersionOf(const char* fileName) {
  DWORD ignored = 0;
  DWORD size = GetFileVersionInfoSizeA(fileName, &ignored);
  if (size == 0) return std::nullopt;
  std::vector<unsigned char> block(size);
  if (!GetFileVersionInfoA(fileName, 0, size, block.data())) return std::nullopt;
  void* found = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), "\\", &found, &length) || !found || length < sizeof(VS_FIXEDFILEINFO)) {
    return std::nullopt;
  }
  const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(found);
  if (fixed->dwSignature != 0xFEEF04BD) return std::nullopt;
  return FileVersion{HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS), HIWORD(fixed->dwFileVersionLS)};
}

}  // namespace

std::optional<FileVersion> Win32HostProgram::FindVersion(const std::string& nameFragment) {
  WIN32_FIND_DATAA entry{};
  UniqueFind search(FindFirstFileA("*.exe", &entry));
  if (!search) return std::nullopt;
  do {
    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    // The first program whose name carries the host's name ends the search, version or not.
    if (std::string_view(entry.cFileName).find(nameFragment) == std::string_view::npos) continue;
    return FixedVersionOf(entry.cFileName);
  } while (FindNextFileA(search.get(), &entry));
  return std::nullopt;
}
