// The texts lie in blocks that never move, so a text can be read while another thread keeps a
// new one: only keeping takes the lock. Number 0 is the empty text. Each thread keeps the numbers
// it found last beside it, so that a text met again (a band, a serial, a call of the same log)
// takes no lock.
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

// The numbers are found through a table of open addressing that holds each text's hash beside
// its number: a contest interns tens of millions of texts, and a node-based map took three
// cache misses for each (the bucket, the node, the text).
struct Texts {
  std::mutex lock;
  std::vector<std::uint64_t> slots = std::vector<std::uint64_t>(1024, 0);  // hash << 32 | number; 0: free
  std::array<std::unique_ptr<std::string[]>, kBlocks> blocks;
  std::uint32_t count = 1;

  Texts() { blocks[0] = std::make_unique<std::string[]>(kBlockSize); }
  std::string& At(std::uint32_t id) { return blocks[id >> kBlockBits][id & (kBlockSize - 1)]; }

  // The slot of the text, or the free slot where it goes.
  std::uint64_t& Slot(std::string_view text, std::uint32_t hash) {
    const std::size_t mask = slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
      const std::uint64_t slot = slots[i];
      if (slot == 0 || (slot >> 32 == hash && At(static_cast<std::uint32_t>(slot)) == text)) return slots[i];
    }
  }
  void Grow() {
    std::vector<std::uint64_t> old(slots.size() * 2, 0);
    old.swap(slots);
    const std::size_t mask = slots.size() - 1;
    for (const std::uint64_t slot : old) {
      if (slot == 0) continue;
      std::size_t i = (slot >> 32) & mask;
      while (slots[i] != 0) i = (i + 1) & mask;
      slots[i] = slot;
    }
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
  const std::lock_guard<std::mutex> held(texts.lock);
  std::uint64_t* slot = &texts.Slot(text, hash);
  if (*slot != 0) {
    id_ = static_cast<std::uint32_t>(*slot);
    seen = *slot;
    return;
  }
  if (texts.count == 0) throw std::length_error("more texts than a 32-bit number counts");
  if (2 * (texts.count + 1) > texts.slots.size()) {
    texts.Grow();
    slot = &texts.Slot(text, hash);
  }
  const std::uint32_t id = texts.count++;
  std::unique_ptr<std::string[]>& block = texts.blocks[id >> kBlockBits];
  if (!block) block = std::make_unique<std::string[]>(kBlockSize);
  texts.At(id) = text;
  *slot = static_cast<std::uint64_t>(hash) << 32 | id;
  seen = *slot;
  id_ = id;
}

const std::string& InternedText::str() const { return TheTexts().At(id_); }

std::uint32_t InternedTextCount() {
  Texts& texts = TheTexts();
  const std::lock_guard<std::mutex> held(texts.lock);
  return texts.count;
}
