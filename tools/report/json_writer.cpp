// Members are indented by two blanks a level.
#include "json_writer.h"

#include <cstdio>

namespace {

// The length of the UTF-8 sequence starting at `at`, or 0 when the bytes there are none.
std::size_t Utf8Length(std::string_view text, std::size_t at) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  std::size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead <= 0xDF ? 2 : 0;
  if (length == 0 || at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
  }
  const unsigned char second = byte(at + 1);
  // Overlong forms, surrogates and code points past U+10FFFF.
  if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) || (lead == 0xF0 && second < 0x90) ||
      (lead == 0xF4 && second >= 0x90)) {
    return 0;
  }
  return length;
}

void Escaped(std::string& out, unsigned code) {
  char text[8];
  std::snprintf(text, sizeof text, "\\u%04x", code);
  out += text;
}

// A byte that stands for itself in a JSON string inside a script element.
bool Plain(unsigned char c) { return c >= 0x20 && c < 0x7F && c != '"' && c != '\\' && c != '<'; }

// The report holds tens of thousands of strings, nearly all of them plain ASCII: runs of plain
// bytes go out in one append, straight into the text being written.
void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  for (std::size_t i = 0; i < text.size();) {
    std::size_t plain = i;
    while (plain < text.size() && Plain(static_cast<unsigned char>(text[plain]))) ++plain;
    out.append(text.substr(i, plain - i));
    i = plain;
    if (i == text.size()) break;
    const unsigned char c = static_cast<unsigned char>(text[i]);
    if (c >= 0x80) {
      if (const std::size_t length = Utf8Length(text, i)) {
        out.append(text.substr(i, length));
        i += length;
      } else {
        Escaped(out, c);
        ++i;
      }
      continue;
    }
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:  // '<', so that no "</script>" ends the page's data, and the other control bytes
        Escaped(out, c);
    }
    ++i;
  }
  out += '"';
}

}  // namespace

std::string JsonString(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  AppendJsonString(out, text);
  return out;
}

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (levels_.empty()) return;
  Level& level = levels_.back();
  if (!level.empty) out_ += ',';
  if (level.inLine) {
    if (!level.empty) out_ += ' ';
  } else {
    out_ += '\n';
    out_.append(2 * levels_.size(), ' ');
  }
  level.empty = false;
}

void JsonWriter::Close(char bracket) {
  const Level level = levels_.back();
  levels_.pop_back();
  if (!level.inLine && !level.empty) {
    out_ += '\n';
    out_.append(2 * levels_.size(), ' ');
  }
  out_ += bracket;
}

JsonWriter& JsonWriter::BeginObject(bool inLine) {
  BeforeValue();
  out_ += '{';
  levels_.push_back({inLine || (!levels_.empty() && levels_.back().inLine)});
  return *this;
}

JsonWriter& JsonWriter::EndObject() {
  Close('}');
  return *this;
}

JsonWriter& JsonWriter::BeginArray(bool inLine) {
  BeforeValue();
  out_ += '[';
  levels_.push_back({inLine || (!levels_.empty() && levels_.back().inLine)});
  return *this;
}

JsonWriter& JsonWriter::EndArray() {
  Close(']');
  return *this;
}

JsonWriter& JsonWriter::Key(std::string_view name) {
  BeforeValue();
  AppendJsonString(out_, name);
  out_ += ": ";
  afterKey_ = true;
  return *this;
}

JsonWriter& JsonWriter::String(std::string_view text) {
  BeforeValue();
  AppendJsonString(out_, text);
  return *this;
}

JsonWriter& JsonWriter::Number(long long value) {
  BeforeValue();
  out_ += std::to_string(value);
  return *this;
}

JsonWriter& JsonWriter::Decimal(double value, int places) {
  BeforeValue();
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", places, value);
  const std::string_view written = text;
  out_ += written.find_first_of("123456789") == std::string_view::npos && written.starts_with('-') ? written.substr(1)
                                                                                                   : written;
  return *this;
}

JsonWriter& JsonWriter::Null() {
  BeforeValue();
  out_ += "null";
  return *this;
}

std::string JsonWriter::Take() {
  out_ += '\n';
  return std::move(out_);
}
