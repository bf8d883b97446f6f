// The list names files relative to the folder; a line that would lead outside it (an absolute
// path, "..") or to anything but a regular file is never acted on.
#include "output_folder.h"

#include <fstream>
#include <stdexcept>

#include "text_files.h"

namespace fs = std::filesystem;

OutputFolder::OutputFolder(fs::path folder) : folder_(std::move(folder)) { fs::create_directories(folder_); }

void OutputFolder::Write(const fs::path& name, std::string_view text) {
  Replace(name, [&](const fs::path& temporary) { WriteTextFile(temporary, text); });
}

void OutputFolder::Write(const fs::path& name, const std::function<void(std::ostream&)>& fill) {
  Replace(name, [&](const fs::path& temporary) {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    if (out) fill(out);
    out.close();
    if (!out) throw std::runtime_error(temporary.string() + ": cannot be written whole");
  });
}

void OutputFolder::Replace(const fs::path& name, const std::function<void(const fs::path&)>& write) {
  const fs::path target = folder_ / name;
  fs::create_directories(target.parent_path());
  const fs::path temporary = target.string() + ".new";
  std::error_code error;
  try {
    write(temporary);
  } catch (...) {
    fs::remove(temporary, error);  // half a file is no result
    throw;
  }
  fs::rename(temporary, target, error);
  if (error) {
    fs::remove(temporary, error);
    throw std::runtime_error(target.string() + ": cannot be written");
  }
  written_.insert(name.generic_string());
}

void OutputFolder::Finish() {
  const fs::path list = folder_ / kListName;
  std::string before;
  try {
    before = ReadTextFile(list);
  } catch (const std::exception&) {
  }
  for (std::size_t from = 0; from < before.size();) {
    const std::size_t end = std::min(before.find('\n', from), before.size());
    const fs::path name(before.substr(from, end - from));
    from = end + 1;
    const std::string text = name.generic_string();
    if (text.empty() || name.is_absolute() || text.find("..") != std::string::npos || written_.count(text)) continue;
    std::error_code error;
    if (fs::is_regular_file(fs::symlink_status(folder_ / name, error))) fs::remove(folder_ / name, error);
  }
  std::string now;
  for (const std::string& name : written_) now += name + "\n";
  WriteTextFile(list, now);
}
