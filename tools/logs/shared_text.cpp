// One store for the whole process, behind locks: readers of several logs may run on several
// threads. Its texts never move, so a pointer to one stays valid for the run, and each thread
// keeps the texts it found last beside it: most fields of a log (its band, mode, reports, own
// call) repeat from QSO to QSO, and the lock took most of a log's reading.
#include "shared_text.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdint>
#include <deque>
#include <mutex>
#include <vector>

namespace {

std::size_t HashOf(std::string_view text) { return std::hash<std::string_view>()(text); }

// The texts in blocks that never move, found through a table of their addresses, each beside its
// hash: a set's node a text (a pointer, the string, its hash, rounded up by the allocator to 64
// bytes, and a bucket beside it) cost a million-call log more than its QSOs' calls themselves, and
// a slot without the hash had every text it passed read, a cache miss each.
class Texts {
 public:
  std::mutex lock;

  const std::string* Find(std::string_view text, std::size_t hash) {
    if (slots_.empty()) return nullptr;
    for (std::size_t at = hash & (slots_.size() - 1);; at = (at + 1) & (slots_.size() - 1)) {
      const Slot& slot = slots_[at];
      if (!slot.text) return nullptr;
      if (slot.hash == hash && slot.Holds(text)) return slot.text;
    }
  }

  const std::string* Keep(std::string_view text, std::size_t hash) {
    if ((kept_.size() + 1) * 2 > slots_.size()) Grow();
    const std::string* added = &kept_.emplace_back(text);
    Slot slot;
    slot.text = added;
    slot.hash = hash;
    slot.size = static_cast<std::uint8_t>(std::min<std::size_t>(text.size(), kLong));
    if (text.size() < kLong) std::copy(text.begin(), text.end(), slot.start.begin());
    Place(slot);
    return added;
  }

 private:
  // A text shorter than this lies in its slot as well: a probe that finds its text reads nothing
  // else, where reading the kept string was a second cache miss in a table of a contest's calls.
  static constexpr std::size_t kLong = 15;

  // One slot a cache line's half.
  struct alignas(32) Slot {
    const std::string* text = nullptr;  // null: free
    std::size_t hash = 0;
    std::array<char, kLong> start{};
    std::uint8_t size = 0;  // kLong: the text is longer, only `text` has it

    bool Holds(std::string_view t) const {
      if (size == kLong) return *text == t;
      return t.size() == size && std::equal(t.begin(), t.end(), start.begin());
    }
  };

  void Place(const Slot& slot) {
    std::size_t at = slot.hash & (slots_.size() - 1);
    while (slots_[at].text) at = (at + 1) & (slots_.size() - 1);
    slots_[at] = slot;
  }

  void Grow() {
    std::vector<Slot> before(std::max<std::size_t>(1024, slots_.size() * 2));
    slots_.swap(before);
    for (const Slot& slot : before) {
      if (slot.text) Place(slot);
    }
    shown_.store(slots_.data(), std::memory_order_relaxed);
    shownMask_.store(slots_.size() - 1, std::memory_order_relaxed);
  }

 public:
  // Where a probe for the text would start, asked of the memory before the lock is taken. Read
  // without the lock: a table grown meanwhile makes it a look at memory no longer used, which
  // costs nothing.
  void Prefetch(std::size_t hash) const {
    const Slot* slots = shown_.load(std::memory_order_relaxed);
    if (slots) __builtin_prefetch(slots + (hash & shownMask_.load(std::memory_order_relaxed)));
  }

 private:
  std::deque<std::string> kept_;  // never moved: a pointer to one stays valid for the run
  std::vector<Slot> slots_;       // open addressing by hash, at most half full
  std::atomic<const Slot*> shown_{nullptr};  // slots_ and its mask for Prefetch
  std::atomic<std::size_t> shownMask_{0};
};

// Shards by hash, each behind its own lock: the logs are read on two threads, and one lock held
// across a probe's cache misses made them take turns.
constexpr std::size_t kShards = 64;

Texts& TextsFor(std::size_t hash) {
  // Never destroyed: a text may be read while the process ends.
  static std::array<Texts, kShards>* shards = new std::array<Texts, kShards>;
  return (*shards)[(hash >> 48) % kShards];
}

struct Recent {
  std::size_t hash = 0;
  const std::string* text = nullptr;
};

const std::string* Kept(std::string_view text) {
  if (text.empty()) return &kNoSharedText;
  thread_local std::array<Recent, 1024> recent;
  const std::size_t hash = HashOf(text);
  Recent& seen = recent[hash % recent.size()];
  if (seen.text && seen.hash == hash && *seen.text == text) return seen.text;
  Texts& texts = TextsFor(hash);
  const std::lock_guard<std::mutex> held(texts.lock);
  const std::string* kept = texts.Find(text, hash);
  seen = {hash, kept ? kept : texts.Keep(text, hash)};
  return seen.text;
}

}  // namespace

SharedText::SharedText(std::string_view text) : text_(Kept(text)) {}

void SharedText::Prefetch(std::string_view text) {
  const std::size_t hash = HashOf(text);
  TextsFor(hash).Prefetch(hash);
}

std::ostream& operator<<(std::ostream& out, const SharedText& text) { return out << text.str(); }
