// Every path a caller needs must be made absolute before: relative ones would change meaning.
#include "working_folder.h"

#include <random>
#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

WorkingFolder::WorkingFolder(const fs::path& folder) : previous_(fs::current_path()) {
  fs::create_directories(folder);
  folder_ = fs::canonical(folder);
  fs::current_path(folder_);
}

// A name taken by someone else is never entered: create_directory says whether it made the folder.
WorkingFolder::WorkingFolder(Scratch) : previous_(fs::current_path()), scratch_(true) {
  std::random_device seed;
  std::mt19937_64 names(static_cast<std::mt19937_64::result_type>(seed()) << 32 ^ seed());
  const fs::path base = fs::temp_directory_path();
  for (int attempt = 0; attempt < 16 && folder_.empty(); ++attempt) {
    const fs::path candidate = base / ("stats-scratch-" + std::to_string(names()));
    if (fs::create_directory(candidate)) folder_ = fs::canonical(candidate);
  }
  if (folder_.empty()) throw std::runtime_error("cannot make a scratch folder in " + base.string());
  fs::current_path(folder_);
}

WorkingFolder::~WorkingFolder() {
  std::error_code ignored;
  fs::current_path(previous_, ignored);
  if (scratch_) fs::remove_all(folder_, ignored);
}
