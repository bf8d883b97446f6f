// Logging programs on Windows write UTF-16 when asked for "Unicode", and some old ones end lines
// with CR alone: both would otherwise read as one long line of garbage. A character UTF-16 cannot
// hold (a lone surrogate) becomes U+FFFD.
#include "text_decoding.h"

#include <algorithm>
#include <cstdint>

namespace {

void AppendUtf8(std::string& out, std::uint32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

std::string FromUtf16(std::string_view bytes, bool bigEndian) {
  auto unit = [&](std::size_t at) {
    const auto lo = static_cast<unsigned char>(bytes[at + (bigEndian ? 1 : 0)]);
    const auto hi = static_cast<unsigned char>(bytes[at + (bigEndian ? 0 : 1)]);
    return static_cast<std::uint32_t>(hi << 8 | lo);
  };
  std::string out;
  out.reserve(bytes.size() / 2);
  std::size_t at = 0;
  const std::size_t end = bytes.size() & ~static_cast<std::size_t>(1);
  if (end >= 2 && unit(0) == 0xFEFF) at = 2;
  while (at < end) {
    std::uint32_t code = unit(at);
    at += 2;
    if (code >= 0xD800 && code < 0xDC00 && at < end && unit(at) >= 0xDC00 && unit(at) < 0xE000) {
      code = 0x10000 + ((code - 0xD800) << 10) + (unit(at) - 0xDC00);
      at += 2;
    } else if (code >= 0xD800 && code < 0xE000) {
      code = 0xFFFD;
    }
    AppendUtf8(out, code);
  }
  return out;
}

// Only a file with a CR and no LF at all: a stray CR inside a CR LF file stays as it is.
bool EndsLinesWithCrAlone(std::string_view text) {
  return text.find('\r') != std::string_view::npos && text.find('\n') == std::string_view::npos;
}

}  // namespace

TextEncoding EncodingOf(std::string_view bytes) {
  if (bytes.size() >= 2) {
    const auto a = static_cast<unsigned char>(bytes[0]), b = static_cast<unsigned char>(bytes[1]);
    if (a == 0xFF && b == 0xFE) return TextEncoding::Utf16LittleEndian;
    if (a == 0xFE && b == 0xFF) return TextEncoding::Utf16BigEndian;
  }
  const std::size_t pairs = std::min<std::size_t>(bytes.size() / 2, 256);
  std::size_t zeroHigh = 0, zeroLow = 0;
  for (std::size_t i = 0; i < pairs; ++i) {
    const char first = bytes[2 * i], second = bytes[2 * i + 1];
    zeroHigh += second == '\0' && first != '\0';
    zeroLow += first == '\0' && second != '\0';
  }
  if (pairs > 0 && zeroHigh * 3 >= pairs && zeroLow == 0) return TextEncoding::Utf16LittleEndian;
  if (pairs > 0 && zeroLow * 3 >= pairs && zeroHigh == 0) return TextEncoding::Utf16BigEndian;
  return TextEncoding::Utf8;
}

DecodedText::DecodedText(std::string_view bytes) : view_(bytes) {
  const TextEncoding encoding = EncodingOf(bytes);
  if (encoding != TextEncoding::Utf8) {
    decoded_ = FromUtf16(bytes, encoding == TextEncoding::Utf16BigEndian);
    view_ = decoded_;
  }
  if (EndsLinesWithCrAlone(view_)) {
    if (decoded_.empty()) decoded_ = std::string(bytes);
    std::replace(decoded_.begin(), decoded_.end(), '\r', '\n');
    view_ = decoded_;
  }
}
