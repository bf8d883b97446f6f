// The texts lie in blocks that never move, so a text can be read while another thread keeps a
// new one: only keeping takes the lock. Number 0 is the empty text.
#include "interned_text.h"

#include <array>
#include <memory>
#include <mutex>
#include <stdexcept>
#include <unordered_map>

namespace {

constexpr std::uint32_t kBlockBits = 14;
constexpr std::uint32_t kBlockSize = 1u << kBlockBits;
constexpr std::uint32_t kBlocks = 1u << (32 - kBlockBits);

struct Texts {
  std::mutex lock;
  std::unordered_map<std::string_view, std::uint32_t> ids;  // views of the kept texts
  std::array<std::unique_ptr<std::string[]>, kBlocks> blocks;
  std::uint32_t count = 1;

  Texts() { blocks[0] = std::make_unique<std::string[]>(kBlockSize); }
  std::string& At(std::uint32_t id) { return blocks[id >> kBlockBits][id & (kBlockSize - 1)]; }
};

Texts& TheTexts() {
  static Texts* texts = new Texts;  // never destroyed: a text may be read while the process ends
  return *texts;
}

}  // namespace

InternedText::InternedText(std::string_view text) {
  if (text.empty()) return;
  Texts& texts = TheTexts();
  const std::lock_guard<std::mutex> held(texts.lock);
  if (auto it = texts.ids.find(text); it != texts.ids.end()) {
    id_ = it->second;
    return;
  }
  if (texts.count == 0) throw std::length_error("more texts than a 32-bit number counts");
  const std::uint32_t id = texts.count++;
  std::unique_ptr<std::string[]>& block = texts.blocks[id >> kBlockBits];
  if (!block) block = std::make_unique<std::string[]>(kBlockSize);
  std::string& kept = texts.At(id);
  kept = text;
  texts.ids.emplace(kept, id);
  id_ = id;
}

const std::string& InternedText::str() const { return TheTexts().At(id_); }

std::uint32_t InternedTextCount() {
  Texts& texts = TheTexts();
  const std::lock_guard<std::mutex> held(texts.lock);
  return texts.count;
}
