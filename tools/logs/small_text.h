// A text of a QSO that differs from QSO to QSO (a serial, a Cabrillo line), in 16 bytes.
#pragma once

#include <cstddef>
#include <ostream>
#include <string>
#include <string_view>

// Up to 14 bytes lie in place, longer texts on the heap: a serial such as "0012" costs no
// allocation and half of a std::string, which a million-QSO log holds three times a QSO.
class SmallText {
 public:
  SmallText() noexcept;
  // Implicit, as a std::string's are: it takes a std::string's place in a QSO.
  SmallText(std::string_view text);
  SmallText(const std::string& text) : SmallText(std::string_view(text)) {}
  SmallText(const char* text) : SmallText(std::string_view(text)) {}
  SmallText(const SmallText& other) : SmallText(other.view()) {}
  SmallText(SmallText&& other) noexcept;
  SmallText& operator=(SmallText other) noexcept;
  ~SmallText();

  std::string_view view() const;
  operator std::string_view() const { return view(); }
  std::string str() const { return std::string(view()); }
  const char* c_str() const { return view().data(); }  // always followed by a zero byte
  std::size_t size() const { return view().size(); }
  bool empty() const { return size() == 0; }

  friend bool operator==(const SmallText& a, std::string_view b) { return a.view() == b; }

 private:
  static constexpr std::size_t kInPlace = 14;
  static constexpr unsigned char kOnHeap = 0xFF;
  bool OnHeap() const { return static_cast<unsigned char>(bytes_[kTag]) == kOnHeap; }
  static constexpr std::size_t kTag = 15;  // the length in place, or kOnHeap
  // In place: the bytes, a zero byte, the tag. On the heap: the pointer, the length, the tag.
  char bytes_[16];
};

std::ostream& operator<<(std::ostream& out, const SmallText& text);
