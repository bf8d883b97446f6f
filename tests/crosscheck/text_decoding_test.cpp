// Logs written in UTF-16 or with CR line ends read as the same log as their UTF-8 original.
#include "text_decoding.h"

#include <gtest/gtest.h>

#include <string>

#include "log_file.h"

namespace {

const std::string kLog =
    "START-OF-LOG: 3.0\r\nCALLSIGN: DL1AA\r\nNAME: J\xc3\xbcrgen \xf0\x9f\x93\xbb\r\n"
    "QSO:  3580 PM 2025-03-15 1805 DL1AA         599 0001   OK1BB         599 0002\r\n"
    "QSO:  7040 PM 2025-03-15 1806 DL1AA         599 0002   SP2CC         599 0003\r\nEND-OF-LOG:\r\n";

// UTF-8 to UTF-16 code units, written in the byte order asked for.
std::string Utf16(const std::string& utf8, bool bigEndian, bool mark) {
  std::u32string codes;
  for (std::size_t i = 0; i < utf8.size();) {
    const auto c = static_cast<unsigned char>(utf8[i]);
    const int length = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
    char32_t code = length == 1 ? c : c & (0x7F >> length);
    for (int k = 1; k < length; ++k) code = code << 6 | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    codes += code;
    i += static_cast<std::size_t>(length);
  }
  std::string out;
  auto unit = [&](unsigned u) {
    const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
    out += bigEndian ? hi : lo;
    out += bigEndian ? lo : hi;
  };
  if (mark) unit(0xFEFF);
  for (char32_t code : codes) {
    if (code >= 0x10000) {
      unit(0xD800 + ((code - 0x10000) >> 10));
      unit(0xDC00 + ((code - 0x10000) & 0x3FF));
    } else {
      unit(code);
    }
  }
  return out;
}

void ExpectSameLog(const LogFile& read, const LogFile& original) {
  ASSERT_EQ(read.qsos.size(), original.qsos.size());
  for (std::size_t i = 0; i < read.qsos.size(); ++i) {
    EXPECT_EQ(read.qsos[i].line, original.qsos[i].line);
    EXPECT_EQ(read.qsos[i].call, original.qsos[i].call);
    EXPECT_EQ(read.qsos[i].written.text, original.qsos[i].written.text);
  }
  EXPECT_EQ(read.ownCall, "DL1AA");
  ASSERT_EQ(read.cabrilloLines.size(), original.cabrilloLines.size());
  EXPECT_EQ(read.cabrilloLines[2].value, original.cabrilloLines[2].value);  // the name, emoji and all
  EXPECT_EQ(read.problems.size(), original.problems.size());
}

TEST(TextDecoding, Utf16InEitherByteOrderWithOrWithoutMark) {
  const LogFile original = ParseLogText(kLog);
  ASSERT_EQ(original.qsos.size(), 2u);
  for (bool bigEndian : {false, true}) {
    for (bool mark : {true, false}) {
      const std::string bytes = Utf16(kLog, bigEndian, mark);
      EXPECT_EQ(EncodingOf(bytes), bigEndian ? TextEncoding::Utf16BigEndian : TextEncoding::Utf16LittleEndian);
      SCOPED_TRACE(std::string(bigEndian ? "big" : "little") + (mark ? " with mark" : " without mark"));
      ExpectSameLog(ParseLogText(bytes), original);
    }
  }
}

TEST(TextDecoding, CarriageReturnsAloneEndTheLines) {
  std::string crOnly = kLog;
  std::erase(crOnly, '\n');
  ExpectSameLog(ParseLogText(crOnly), ParseLogText(kLog));
  ExpectSameLog(ParseLogText(Utf16(crOnly, false, true)), ParseLogText(kLog));
}

TEST(TextDecoding, Utf8AndOddBytesStayAsTheyAre) {
  EXPECT_EQ(DecodedText(kLog).view().data(), kLog.data());  // no copy
  const std::string stray = "a\rb\r\nc";                    // a CR inside a CR LF file
  EXPECT_EQ(DecodedText(stray).view(), stray);
  EXPECT_EQ(EncodingOf(std::string("\0\0\0\0", 4)), TextEncoding::Utf8);
  EXPECT_EQ(DecodedText("").view(), "");
  // A lone surrogate and an odd last byte.
  EXPECT_EQ(DecodedText(std::string("\xff\xfe"
                                    "A\0\x00\xd8"
                                    "B\0\x43",
                                    9))
                .view(),
            "A\xef\xbf\xbd"
            "B");
}

}  // namespace
