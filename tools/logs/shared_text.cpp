// One set for the whole process, behind a lock: readers of several logs may run on several
// threads. Its elements never move, so a pointer to one stays valid for the run, and each thread
// keeps the texts it found last beside it: most fields of a log (its band, mode, reports, own
// call) repeat from QSO to QSO, and the lock and the set's node took most of a log's reading.
#include "shared_text.h"

#include <array>
#include <mutex>
#include <unordered_set>

namespace {

// Looked up as a view: a text already kept costs no allocation.
struct ViewHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view text) const { return std::hash<std::string_view>()(text); }
};

struct Texts {
  std::mutex lock;
  std::unordered_set<std::string, ViewHash, std::equal_to<>> all;
};

Texts& TheTexts() {
  static Texts* texts = new Texts;  // never destroyed: a text may be read while the process ends
  return *texts;
}

struct Recent {
  std::size_t hash = 0;
  const std::string* text = nullptr;
};

const std::string* Kept(std::string_view text) {
  thread_local std::array<Recent, 1024> recent;
  const std::size_t hash = ViewHash()(text);
  Recent& seen = recent[hash % recent.size()];
  if (seen.text && seen.hash == hash && *seen.text == text) return seen.text;
  Texts& texts = TheTexts();
  const std::lock_guard<std::mutex> held(texts.lock);
  auto it = texts.all.find(text);
  if (it == texts.all.end()) it = texts.all.emplace(text).first;
  seen = {hash, &*it};
  return seen.text;
}

}  // namespace

SharedText::SharedText() {
  static const std::string* const empty = Kept({});
  text_ = empty;
}

SharedText::SharedText(std::string_view text) : text_(Kept(text)) {}

std::ostream& operator<<(std::ostream& out, const SharedText& text) { return out << text.str(); }
