// The tag byte comes last, so that in place the bytes and their zero byte come first and c_str
// needs no copy.
#include "small_text.h"

#include <cstdint>
#include <cstring>
#include <utility>

SmallText::SmallText() noexcept : bytes_{} {}

SmallText::SmallText(std::string_view text) : bytes_{} {
  if (text.size() <= kInPlace) {
    // An empty view may have no bytes at all, and memcpy wants some even for none.
    if (!text.empty()) std::memcpy(bytes_, text.data(), text.size());
    bytes_[kTag] = static_cast<char>(text.size());
    return;
  }
  char* heap = new char[text.size() + 1];
  std::memcpy(heap, text.data(), text.size());
  heap[text.size()] = '\0';
  const std::uint32_t size = static_cast<std::uint32_t>(text.size());
  std::memcpy(bytes_, &heap, sizeof heap);
  std::memcpy(bytes_ + sizeof heap, &size, sizeof size);
  bytes_[kTag] = static_cast<char>(kOnHeap);
}

SmallText::SmallText(SmallText&& other) noexcept : bytes_{} {
  std::memcpy(bytes_, other.bytes_, sizeof bytes_);
  std::memset(other.bytes_, 0, sizeof other.bytes_);
}

SmallText& SmallText::operator=(SmallText other) noexcept {
  std::swap(bytes_, other.bytes_);
  return *this;
}

SmallText::~SmallText() {
  if (!OnHeap()) return;
  char* heap = nullptr;
  std::memcpy(&heap, bytes_, sizeof heap);
  delete[] heap;
}

std::string_view SmallText::view() const {
  if (!OnHeap()) return {bytes_, static_cast<std::size_t>(bytes_[kTag])};
  const char* heap = nullptr;
  std::uint32_t size = 0;
  std::memcpy(&heap, bytes_, sizeof heap);
  std::memcpy(&size, bytes_ + sizeof heap, sizeof size);
  return {heap, size};
}

std::ostream& operator<<(std::ostream& out, const SmallText& text) { return out << text.view(); }
