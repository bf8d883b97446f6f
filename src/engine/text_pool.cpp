// Open addressing over numbers rather than a node-based set: a node per text would cost more
// than the text itself.
#include "text_pool.h"

#include <algorithm>
#include <cstring>
#include <functional>

namespace {

constexpr std::size_t kBlockSize = 64 * 1024;

}  // namespace

std::size_t TextPool::SlotOf(std::string_view text) const {
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = std::hash<std::string_view>()(text) & mask;
  while (slots_[slot] != kNone && texts_[slots_[slot]] != text) slot = (slot + 1) & mask;
  return slot;
}

std::optional<TextPool::Id> TextPool::Find(std::string_view text) const {
  if (slots_.empty()) return std::nullopt;
  const Id id = slots_[SlotOf(text)];
  return id == kNone ? std::nullopt : std::optional<Id>(id);
}

TextPool::Id TextPool::Intern(std::string_view text) {
  // At most half full, so that a search for a missing text soon meets a free slot.
  if ((texts_.size() + 1) * 2 > slots_.size()) Grow();
  const std::size_t slot = SlotOf(text);
  if (slots_[slot] != kNone) return slots_[slot];
  const Id id = static_cast<Id>(texts_.size());
  texts_.push_back(Keep(text));
  slots_[slot] = id;
  return id;
}

std::string_view TextPool::Keep(std::string_view text) {
  if (text.empty()) return {};
  char* bytes = nullptr;
  if (text.size() > kBlockSize / 4) {
    // A long text gets a block of its own: the rest of the current one stays in use.
    blocks_.push_back(std::make_unique<char[]>(text.size()));
    bytes = blocks_.back().get();
  } else {
    if (text.size() > blockLeft_) {
      blocks_.push_back(std::make_unique<char[]>(kBlockSize));
      free_ = blocks_.back().get();
      blockLeft_ = kBlockSize;
    }
    bytes = free_;
    free_ += text.size();
    blockLeft_ -= text.size();
  }
  std::memcpy(bytes, text.data(), text.size());
  return {bytes, text.size()};
}

void TextPool::Grow() {
  std::vector<Id> old(std::max<std::size_t>(16, slots_.size() * 2), kNone);
  old.swap(slots_);
  for (Id id : old) {
    if (id != kNone) slots_[SlotOf(texts_[id])] = id;
  }
}

void TextPool::Clear() {
  texts_.clear();
  slots_.clear();
  blocks_.clear();
  free_ = nullptr;
  blockLeft_ = 0;
}
