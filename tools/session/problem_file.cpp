// Only the size is asked after a QSO the plug-in may have written for: most QSOs write nothing,
// and the file is opened only when it has grown. The plug-in opens and closes the file on every
// QSO, so it is never held open here while the plug-in may want it.
#include "problem_file.h"

#include <fstream>

std::vector<std::string> ProblemFileTail::NewLines() {
  std::error_code error;
  const std::uintmax_t size = std::filesystem::file_size(file_, error);
  if (error) return {};
  // Begun anew, with a title line, by a reset.
  if (size < read_) read_ = 0;
  if (size == read_) return {};

  std::ifstream in(file_, std::ios::binary);
  in.seekg(static_cast<std::streamoff>(read_));
  std::string added(static_cast<std::size_t>(size - read_), '\0');
  if (!in.read(added.data(), static_cast<std::streamsize>(added.size()))) return {};

  std::vector<std::string> lines;
  std::size_t from = 0;
  // A line still being written waits for the next call.
  for (std::size_t end; (end = added.find('\n', from)) != std::string::npos; from = end + 1) {
    std::string line = added.substr(from, end - from);
    if (line.ends_with('\r')) line.pop_back();
    lines.push_back(std::move(line));
  }
  read_ += from;
  return lines;
}
