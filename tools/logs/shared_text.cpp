// One set for the whole process, behind a lock: readers of several logs may run on several
// threads. Its elements never move, so a pointer to one stays valid for the run.
#include "shared_text.h"

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

const std::string* Kept(std::string_view text) {
  Texts& texts = TheTexts();
  const std::lock_guard<std::mutex> held(texts.lock);
  auto it = texts.all.find(text);
  if (it == texts.all.end()) it = texts.all.emplace(text).first;
  return &*it;
}

}  // namespace

SharedText::SharedText() {
  static const std::string* const empty = Kept({});
  text_ = empty;
}

SharedText::SharedText(std::string_view text) : text_(Kept(text)) {}

std::ostream& operator<<(std::ostream& out, const SharedText& text) { return out << text.str(); }
