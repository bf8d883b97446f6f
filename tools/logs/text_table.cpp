// The texts lie in blocks that never move, so a text can be read while another thread keeps a
// new one: only finding and keeping take a lock. They are found through tables of open
// addressing whose slots hold each text's hash and number, and a short text itself: a contest
// keeps tens of millions of texts, a node-based map took three cache misses for each (the
// bucket, the node, the text), and a slot that read its kept string for every probe one more.
// The tables are shards by hash, each behind its own lock: the logs are read on several
// threads, and one lock held across a probe's cache misses made them take turns. Each thread
// keeps the numbers it found last beside it, so that a text met again (a band, a mode, a report,
// a serial, a call of the same log) takes no lock.
#include "text_table.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace {

constexpr std::uint32_t kBlockBits = 14;
constexpr std::uint32_t kBlockSize = 1u << kBlockBits;
constexpr std::uint32_t kBlocks = 1u << (32 - kBlockBits);
constexpr std::size_t kShards = 64;
// A text shorter than this lies in its slot as well (most calls do).
constexpr std::size_t kLong = 7;

struct Slot {
  std::uint64_t key = 0;  // hash << 32 | number; 0: free
  std::array<char, kLong> start{};
  std::uint8_t size = 0;  // kLong: the text is longer, only the kept string has it
};

struct Shard {
  std::mutex lock;
  std::vector<Slot> slots = std::vector<Slot>(64);
  std::size_t used = 0;
  // slots and its mask for PrefetchText, read without the lock: a table grown meanwhile makes it
  // a look at memory no longer used, which costs nothing.
  std::atomic<const Slot*> shown{slots.data()};
  std::atomic<std::size_t> shownMask{slots.size() - 1};
};

class Texts {
 public:
  Texts() { blocks_[0] = std::make_unique<std::string[]>(kBlockSize); }

  const std::string& At(std::uint32_t number) const {
    return number == 0 ? kNoText : blocks_[number >> kBlockBits][number & (kBlockSize - 1)];
  }
  Shard& ShardOf(std::uint32_t hash) { return shards_[(hash >> 26) % kShards]; }

  // The slot of the text, or the free slot where it goes.
  Slot& SlotOf(Shard& shard, std::string_view text, std::uint32_t hash) const {
    const std::size_t mask = shard.slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
      Slot& slot = shard.slots[i];
      if (slot.key == 0 || (slot.key >> 32 == hash && Holds(slot, text))) return slot;
    }
  }

  static void Grow(Shard& shard) {
    std::vector<Slot> old(shard.slots.size() * 2);
    old.swap(shard.slots);
    const std::size_t mask = shard.slots.size() - 1;
    for (const Slot& slot : old) {
      if (slot.key == 0) continue;
      std::size_t i = (slot.key >> 32) & mask;
      while (shard.slots[i].key != 0) i = (i + 1) & mask;
      shard.slots[i] = slot;
    }
    shard.shown.store(shard.slots.data(), std::memory_order_relaxed);
    shard.shownMask.store(mask, std::memory_order_relaxed);
  }

  // A new number for the text.
  std::uint32_t Keep(std::string_view text) {
    const std::lock_guard<std::mutex> held(keeping_);
    if (count_ == 0) throw std::length_error("more texts than a 32-bit number counts");
    const std::uint32_t number = count_;
    std::unique_ptr<std::string[]>& block = blocks_[number >> kBlockBits];
    if (!block) block = std::make_unique<std::string[]>(kBlockSize);
    block[number & (kBlockSize - 1)] = text;
    ++count_;
    return number;
  }

  std::uint32_t Count() {
    const std::lock_guard<std::mutex> held(keeping_);
    return count_;
  }

 private:
  bool Holds(const Slot& slot, std::string_view text) const {
    if (slot.size == kLong) return At(static_cast<std::uint32_t>(slot.key)) == text;
    return text.size() == slot.size && std::equal(text.begin(), text.end(), slot.start.begin());
  }

  std::array<Shard, kShards> shards_;
  std::mutex keeping_;  // the count and the blocks it names
  std::array<std::unique_ptr<std::string[]>, kBlocks> blocks_;
  std::uint32_t count_ = 1;
};

Texts& TheTexts() {
  static Texts* texts = new Texts;  // never destroyed: a text may be read while the process ends
  return *texts;
}

std::uint32_t HashOf(std::string_view text) { return static_cast<std::uint32_t>(std::hash<std::string_view>()(text)); }

}  // namespace

KeptText KeepText(std::string_view text) {
  if (text.empty()) return {};
  const std::uint32_t hash = HashOf(text);
  Texts& texts = TheTexts();
  thread_local std::array<std::uint64_t, 1024> recent{};  // as the table's slots
  std::uint64_t& seen = recent[hash % recent.size()];
  if (seen != 0 && seen >> 32 == hash) {
    const std::string& kept = texts.At(static_cast<std::uint32_t>(seen));
    if (kept == text) return {static_cast<std::uint32_t>(seen), &kept};
  }
  Shard& shard = texts.ShardOf(hash);
  const std::lock_guard<std::mutex> held(shard.lock);
  Slot* slot = &texts.SlotOf(shard, text, hash);
  if (slot->key == 0) {
    if (2 * (shard.used + 1) > shard.slots.size()) {
      Texts::Grow(shard);
      slot = &texts.SlotOf(shard, text, hash);
    }
    const std::uint32_t number = texts.Keep(text);
    ++shard.used;
    slot->key = static_cast<std::uint64_t>(hash) << 32 | number;
    slot->size = static_cast<std::uint8_t>(std::min(text.size(), kLong));
    if (text.size() < kLong) std::copy(text.begin(), text.end(), slot->start.begin());
  }
  seen = slot->key;
  const std::uint32_t number = static_cast<std::uint32_t>(slot->key);
  return {number, &texts.At(number)};
}

const std::string& KeptTextOf(std::uint32_t number) { return TheTexts().At(number); }

std::uint32_t KeptTextCount() { return TheTexts().Count(); }

void PrefetchText(std::string_view text) {
  const std::uint32_t hash = HashOf(text);
  const Shard& shard = TheTexts().ShardOf(hash);
  __builtin_prefetch(shard.shown.load(std::memory_order_relaxed) +
                     (hash & shard.shownMask.load(std::memory_order_relaxed)));
}
