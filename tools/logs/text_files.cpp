// Binary mode both ways: what a file holds is what the tools see, CR LF and all.
#include "text_files.h"

#include <stdexcept>

InputFile::InputFile(const std::filesystem::path& file) : path_(file) {
  std::error_code error;
  // A pipe or a device would block the open or never end: only a file is opened.
  const std::filesystem::file_status status = std::filesystem::status(file, error);
  if (!error && std::filesystem::exists(status) && !std::filesystem::is_regular_file(status) &&
      !std::filesystem::is_directory(status)) {
    throw std::runtime_error(file.string() +
                             ": is not a regular file (a pipe, a socket or a device); it is not read");
  }
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  in_.open(file, std::ios::binary);
  if (error || !in_) throw std::runtime_error(file.string() + ": cannot be read");
  size_ = static_cast<std::size_t>(size);
}

void InputFile::Read(std::size_t offset, char* out, std::size_t count) {
  if (offset != next_) {
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(offset));
  }
  if (!in_.read(out, static_cast<std::streamsize>(count))) {
    next_ = static_cast<std::size_t>(-1);  // the stream's place is unknown after a failed read
    throw std::runtime_error(path_.string() + ": read error");
  }
  next_ = offset + count;
}

std::string InputFile::Text() {
  // One allocation of the file's size: a 32-bit host process has little room for a long log.
  std::string text(size_, '\0');
  Read(0, text.data(), text.size());
  return text;
}

std::string ReadTextFile(const std::filesystem::path& file) { return InputFile(file).Text(); }

void WriteTextFile(const std::filesystem::path& file, std::string_view text) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
  out.close();
  if (!out) throw std::runtime_error(file.string() + ": cannot be written");
}
