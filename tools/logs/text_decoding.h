// A log's bytes as the readers take them: UTF-8 with LF or CR LF line ends, whatever the file used.
#pragma once

#include <string>
#include <string_view>

// UTF-16 (either byte order, told by its byte order mark or, without one, by the zero bytes of
// ASCII text) becomes UTF-8, and a file whose lines end in CR alone gets LF ends. Anything else is
// left as it is, without a copy. The bytes must outlive the object.
class DecodedText {
 public:
  explicit DecodedText(std::string_view bytes);
  DecodedText(const DecodedText&) = delete;
  DecodedText& operator=(const DecodedText&) = delete;

  std::string_view view() const { return view_; }

 private:
  std::string decoded_;
  std::string_view view_;
};

enum class TextEncoding { Utf8, Utf16LittleEndian, Utf16BigEndian };
// How the bytes are written: UTF-16 by its byte order mark, or without one when at least a third
// of the first 256 characters are ASCII with a zero high byte.
TextEncoding EncodingOf(std::string_view bytes);
