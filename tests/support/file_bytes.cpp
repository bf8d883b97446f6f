// Binary mode: CR LF stays as the plug-in wrote it.
#include "file_bytes.h"

#include <fstream>
#include <iterator>

std::string FileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}
