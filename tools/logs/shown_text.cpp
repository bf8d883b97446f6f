// Bytes above 127 stay: names and addresses are often UTF-8, and a terminal shows them as text.
#include "shown_text.h"

std::string Shown(std::string_view value) {
  static constexpr char kHex[] = "0123456789abcdef";
  std::string shown;
  shown.reserve(value.size());
  for (char c : value) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if (byte < 32 || byte == 127) {
      shown += "\\x";
      shown += kHex[byte >> 4];
      shown += kHex[byte & 15];
    } else {
      shown += c;
    }
  }
  return shown;
}
