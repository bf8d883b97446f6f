// The folder a run writes its results into. It writes only what it owns: each file made whole
// (a new text file linked in once written, any other written beside it and renamed over it), and
// the files the run before wrote but this one
// does not (a report of a log no longer sent) removed by the list the runs keep; nothing else in
// the folder is touched, and no folder is ever removed.
#pragma once

#include <filesystem>
#include <functional>
#include <ostream>
#include <set>
#include <string>
#include <string_view>

class OutputFolder {
 public:
  // Creates the folder and its subfolders as needed. Throws std::filesystem::filesystem_error.
  explicit OutputFolder(std::filesystem::path folder);

  // `name` relative to the folder, "reports/DL1AA.txt". Throws std::runtime_error.
  void Write(const std::filesystem::path& name, std::string_view text);
  // The same, the text written by `fill` as it is made.
  void Write(const std::filesystem::path& name, const std::function<void(std::ostream&)>& fill);
  // A file another process wrote into the folder for this run.
  void Claim(const std::filesystem::path& name) { written_.insert(name.generic_string()); }
  // Writes the list of the files written and removes those of the last run's list not written
  // again.
  void Finish();

  const std::filesystem::path& path() const { return folder_; }
  static constexpr std::string_view kListName = "written-by-stats-crosscheck.txt";

 private:
  void Replace(const std::filesystem::path& name, const std::function<void(const std::filesystem::path&)>& write);

  std::filesystem::path folder_;
  std::set<std::string> written_;
};
