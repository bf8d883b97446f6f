// Open addressing over numbers rather than a node-based set: a node per text would cost more
// than the text itself.
#include "text_pool.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <limits>
#include <stdexcept>

namespace {

constexpr std::size_t kOffsetBits = 16;
constexpr std::size_t kBlockSize = std::size_t{1} << kOffsetBits;
using Length = std::uint32_t;

}  // namespace

std::string_view TextPool::Text(Id id) const {
  const char* at = blocks_[id >> kOffsetBits].get() + (id & (kBlockSize - 1));
  Length length = 0;
  std::memcpy(&length, at, sizeof length);
  return {at + sizeof length, length};
}

std::size_t TextPool::SlotOf(std::string_view text) const {
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = std::hash<std::string_view>()(text) & mask;
  while (slots_[slot] != kNone && Text(slots_[slot]) != text) slot = (slot + 1) & mask;
  return slot;
}

std::optional<TextPool::Id> TextPool::Find(std::string_view text) const {
  if (slots_.empty()) return std::nullopt;
  const Id id = slots_[SlotOf(text)];
  return id == kNone ? std::nullopt : std::optional<Id>(id);
}

TextPool::Id TextPool::Intern(std::string_view text) {
  // At most half full, so that a search for a missing text soon meets a free slot.
  if ((count_ + 1) * 2 > slots_.size()) Grow();
  const std::size_t slot = SlotOf(text);
  if (slots_[slot] == kNone) {
    slots_[slot] = Keep(text);
    ++count_;
  }
  return slots_[slot];
}

TextPool::Id TextPool::Keep(std::string_view text) {
  const Length length = static_cast<Length>(text.size());
  const std::size_t size = sizeof length + text.size();
  // A number has room for 65,536 blocks (4 GB of texts); beyond that, or for a longer text than
  // its length can hold, the QSO is refused rather than named wrongly.
  if (text.size() > std::numeric_limits<Length>::max() || blocks_.size() >= (std::size_t{1} << kOffsetBits)) {
    throw std::length_error("the contest's texts are full");
  }
  std::size_t block = 0, offset = 0;
  if (size > kBlockSize / 4) {
    // A long text gets a block of its own: the rest of the current one stays in use.
    blocks_.push_back(std::make_unique<char[]>(size));
    block = blocks_.size() - 1;
    offset = 0;
  } else {
    // A long text's block is never filled further: when the contest's first text was a long one,
    // there is no block of the usual size yet.
    if (current_ == kNoBlock || used_ + size > kBlockSize) {
      blocks_.push_back(std::make_unique<char[]>(kBlockSize));
      current_ = blocks_.size() - 1;
      used_ = 0;
    }
    block = current_;
    offset = used_;
    used_ += size;
  }
  char* at = blocks_[block].get() + offset;
  std::memcpy(at, &length, sizeof length);
  // An empty view may have no bytes at all, and memcpy wants some even for none.
  if (!text.empty()) std::memcpy(at + sizeof length, text.data(), text.size());
  return static_cast<Id>((block << kOffsetBits) | offset);
}

void TextPool::Grow() {
  std::vector<Id> old(std::max<std::size_t>(16, slots_.size() * 2), kNone);
  old.swap(slots_);
  for (Id id : old) {
    if (id != kNone) slots_[SlotOf(Text(id))] = id;
  }
}

void TextPool::Clear() {
  blocks_.clear();
  current_ = kNoBlock;
  used_ = 0;
  slots_.clear();
  count_ = 0;
}
