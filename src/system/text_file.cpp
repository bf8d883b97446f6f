// Files are written in binary mode: every line already carries its CR LF. A file is replaced by a
// new one renamed over it; where that cannot be done, the fallbacks keep what the old in-place
// write gave: a link stays a link, a file held open by another program is rewritten in place, a
// read-only file stays unwritten.
#include "text_file.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <optional>
#include <random>

#include "files.h"

namespace {

namespace fs = std::filesystem;
using NativeName = fs::path::string_type;
using NativeChar = fs::path::value_type;

// Orders a restart against the appends of other threads: an append that came between the new
// file and its rename would be lost with the old file.
std::mutex& AppendLock() {
  static std::mutex lock;
  return lock;
}

NativeName Native(std::string_view ascii) { return NativeName(ascii.begin(), ascii.end()); }

// ".<process>-<count>.tmp": a suffix no other writer, in this process or another, is likely to
// pick; one that is taken all the same is never opened.
NativeName TemporarySuffix() {
  static const std::string processPart = std::to_string(std::random_device()());
  static std::atomic<unsigned long long> counter = 0;
  return Native("." + processPart + "-" + std::to_string(++counter) + ".tmp");
}

// The temporary beside `target`: its name and the suffix, or, `cut`, the name shortened so that
// the whole is no longer than the name itself: a name that fits leaves room for its temporary.
std::optional<fs::path> TemporaryFor(const fs::path& target, bool cut) {
  NativeName name = target.filename().native();
  const NativeName suffix = TemporarySuffix();
  if (cut) {
    if (name.size() <= suffix.size()) return std::nullopt;
    name.resize(name.size() - suffix.size());
  }
  return target.parent_path() / (name + suffix);
}

bool IsDigit(NativeChar c) { return c >= '0' && c <= '9'; }

// Whether `name` is one of TemporaryFor's names for `target`, either form.
bool IsTemporaryOf(std::basic_string_view<NativeChar> name, std::basic_string_view<NativeChar> target) {
  const NativeName tmp = Native(".tmp");
  if (name == target || !name.ends_with(tmp)) return false;
  std::size_t end = name.size() - tmp.size();
  auto digitsBefore = [&](NativeChar separator) {
    std::size_t start = end;
    while (start > 0 && IsDigit(name[start - 1])) --start;
    if (start == end || start == 0 || name[start - 1] != separator) return false;
    end = start - 1;
    return true;
  };
  if (!digitsBefore('-') || !digitsBefore('.')) return false;
  std::basic_string_view<NativeChar> base = name.substr(0, end);
  return base == target || (name.size() == target.size() && target.starts_with(base));
}

// What a writer killed after creating its temporary left: removed, unless a live writer holds it.
void RemoveAbandonedTemporaries(const fs::path& target) {
  const NativeName targetName = target.filename().native();
  std::error_code error;
  fs::directory_iterator entry(target.has_parent_path() ? target.parent_path() : fs::path("."), error);
  for (; !error && entry != fs::directory_iterator(); entry.increment(error)) {
    if (IsTemporaryOf(entry->path().filename().native(), targetName)) RemoveAbandoned(entry->path());
  }
}

// The file a name finally stands for, links followed (a link's relative target is relative to the
// link's folder); nothing for a loop or a link that cannot be read.
std::optional<std::pair<fs::path, FileState>> FinalTarget(fs::path path) {
  constexpr int kMostLinks = 40;
  for (int link = 0; link <= kMostLinks; ++link) {
    FileState state = StateOf(path);
    if (state.kind != FileState::kLink) return std::pair{path, state};
    std::error_code error;
    fs::path to = fs::read_symlink(path, error);
    if (error) return std::nullopt;
    path = to.is_absolute() ? to : path.parent_path() / to;
  }
  return std::nullopt;
}

}  // namespace

bool AppendToFile(const std::string& path, std::string_view text) {
  std::lock_guard guard(AppendLock());
  return AppendWhole(SystemPath(path), text);
}

bool RestartFile(const std::string& path, std::string_view text) {
  std::lock_guard guard(AppendLock());
  return ReplaceFile(path, text);
}

bool ReplaceFile(const std::string& path, std::string_view text) { return ReplaceFile(path, {&text, 1}); }

bool ReplaceFile(const std::string& path, std::span<const std::string_view> parts) {
  auto final = FinalTarget(SystemPath(path));
  if (!final) return false;
  const auto& [target, state] = *final;
  if (state.kind != FileState::kMissing && state.kind != FileState::kFile) return false;
  RemoveAbandonedTemporaries(target);

  constexpr int kTries = 8;
  bool cut = false;
  for (int attempt = 0; attempt < kTries; ++attempt) {
    std::optional<fs::path> temporary = TemporaryFor(target, cut);
    if (!temporary) return false;
    NewFile file(*temporary, state);
    if (!file) {
      if (file.Taken()) continue;
      // A name too long for the folder may fit once cut; a missing folder fails again.
      if (cut) return false;
      cut = true;
      continue;
    }
    bool written = std::all_of(parts.begin(), parts.end(), [&file](std::string_view part) { return file.Write(part); });
    written = file.Close() && written;
    MoveResult moved = written ? MoveOver(*temporary, target) : MoveResult::kFailed;
    if (moved == MoveResult::kMoved) return true;
    if (moved == MoveResult::kSourceGone) continue;
    RemoveFile(*temporary);
    return moved == MoveResult::kTargetBusy && WriteInPlace(target, parts);
  }
  return false;
}
