// The texts lie in blocks that never move, so a text can be read while another thread keeps a
// new one: only finding and keeping take a lock. Number 0 is the empty text. Each thread keeps
// the numbers it found last beside it, so that a text met again (a band, a serial, a call of the
// same log) takes no lock.
#include "interned_text.h"

#include <array>
#include <functional>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <vector>

namespace {

constexpr std::uint32_t kBlockBits = 14;
constexpr std::uint32_t kBlockSize = 1u << kBlockBits;
constexpr std::uint32_t kBlocks = 1u << (32 - kBlockBits);

// The numbers are found through tables of open addressing that hold each text's hash beside its
// number: a contest interns tens of millions of texts, and a node-based map took three cache
// misses for each (the bucket, the node, the text). The tables are shards by hash, each behind a
// lock of its own: the logs are read on two threads, and one lock held across a probe's cache
// misses made them take turns.
constexpr std::size_t kShards = 64;

struct Shard {
  std::mutex lock;
  std::vector<std::uint64_t> slots = std::vector<std::uint64_t>(64, 0);  // hash << 32 | number; 0: free
  std::size_t used = 0;
};

struct Texts {
  std::array<Shard, kShards> shards;
  std::mutex keeping;  // the numbers and the blocks they name
  std::array<std::unique_ptr<std::string[]>, kBlocks> blocks;
  std::uint32_t count = 1;

  Texts() { blocks[0] = std::make_unique<std::string[]>(kBlockSize); }
  std::string& At(std::uint32_t id) { return blocks[id >> kBlockBits][id & (kBlockSize - 1)]; }
  static Shard& ShardOf(Texts& texts, std::uint32_t hash) { return texts.shards[(hash >> 26) % kShards]; }

  // The slot of the text, or the free slot where it goes.
  std::uint64_t& Slot(Shard& shard, std::string_view text, std::uint32_t hash) {
    const std::size_t mask = shard.slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
      const std::uint64_t slot = shard.slots[i];
      if (slot == 0 || (slot >> 32 == hash && At(static_cast<std::uint32_t>(slot)) == text)) return shard.slots[i];
    }
  }
  static void Grow(Shard& shard) {
    std::vector<std::uint64_t> old(shard.slots.size() * 2, 0);
    old.swap(shard.slots);
    const std::size_t mask = shard.slots.size() - 1;
    for (const std::uint64_t slot : old) {
      if (slot == 0) continue;
      std::size_t i = (slot >> 32) & mask;
      while (shard.slots[i] != 0) i = (i + 1) & mask;
      shard.slots[i] = slot;
    }
  }
  // A new number for the text.
  std::uint32_t Keep(std::string_view text) {
    const std::lock_guard<std::mutex> held(keeping);
    if (count == 0) throw std::length_error("more texts than a 32-bit number counts");
    const std::uint32_t id = count;
    std::unique_ptr<std::string[]>& block = blocks[id >> kBlockBits];
    if (!block) block = std::make_unique<std::string[]>(kBlockSize);
    At(id) = text;
    ++count;
    return id;
  }
};

Texts& TheTexts() {
  static Texts* texts = new Texts;  // never destroyed: a text may be read while the process ends
  return *texts;
}

}  // namespace

InternedText::InternedText(std::string_view text) {
  if (text.empty()) return;
  const auto hash = static_cast<std::uint32_t>(std::hash<std::string_view>()(text));
  Texts& texts = TheTexts();
  thread_local std::array<std::uint64_t, 1024> recent{};  // as the table's slots
  std::uint64_t& seen = recent[hash % recent.size()];
  if (seen >> 32 == hash && seen != 0 && texts.At(static_cast<std::uint32_t>(seen)) == text) {
    id_ = static_cast<std::uint32_t>(seen);
    return;
  }
  Shard& shard = Texts::ShardOf(texts, hash);
  const std::lock_guard<std::mutex> held(shard.lock);
  std::uint64_t* slot = &texts.Slot(shard, text, hash);
  if (*slot != 0) {
    id_ = static_cast<std::uint32_t>(*slot);
    seen = *slot;
    return;
  }
  if (2 * (shard.used + 1) > shard.slots.size()) {
    Texts::Grow(shard);
    slot = &texts.Slot(shard, text, hash);
  }
  const std::uint32_t id = texts.Keep(text);
  ++shard.used;
  *slot = static_cast<std::uint64_t>(hash) << 32 | id;
  seen = *slot;
  id_ = id;
}

const std::string& InternedText::str() const { return TheTexts().At(id_); }

std::uint32_t InternedTextCount() {
  Texts& texts = TheTexts();
  const std::lock_guard<std::mutex> held(texts.keeping);
  return texts.count;
}
