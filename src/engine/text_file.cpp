// Files are written in binary mode: every line already carries its CR LF.
#include "engine/text_file.h"

#include <cstdio>
#include <memory>

namespace {

struct FileCloser {
  void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool Write(const std::string& path, const char* mode, std::string_view text) {
  File file(std::fopen(path.c_str(), mode));
  if (!file) return false;
  if (!text.empty() && std::fwrite(text.data(), 1, text.size(), file.get()) != text.size()) return false;
  return std::fflush(file.get()) == 0;
}

}  // namespace

bool AppendToFile(const std::string& path, std::string_view text) { return Write(path, "ab", text); }

bool WriteWholeFile(const std::string& path, std::string_view text) { return Write(path, "wb", text); }
