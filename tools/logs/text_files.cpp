// Binary mode both ways: what a file holds is what the tools see, CR LF and all.
#include "text_files.h"

#include <fstream>
#include <stdexcept>

std::string ReadTextFile(const std::filesystem::path& file) {
  std::error_code error;
  // A pipe or a device would block the open or never end: only a file is opened.
  const std::filesystem::file_status status = std::filesystem::status(file, error);
  if (!error && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status) &&
      !std::filesystem::is_directory(status)) {
    throw std::runtime_error(file.string() +
                             ": is not a regular file (a pipe, a socket or a device); it is not read");
  }
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  std::ifstream in(file, std::ios::binary);
  if (error || !in) throw std::runtime_error(file.string() + ": cannot be read");
  // One allocation of the file's size: a 32-bit host process has little room for a long log.
  std::string text(static_cast<std::size_t>(size), '\0');
  if (!in.read(text.data(), static_cast<std::streamsize>(text.size()))) {
    throw std::runtime_error(file.string() + ": read error");
  }
  return text;
}

void WriteTextFile(const std::filesystem::path& file, std::string_view text) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (!out) throw std::runtime_error(file.string() + ": cannot be written");
}
