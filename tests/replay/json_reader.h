// A small strict JSON reader for the tests, written apart from the program's writer so that the
// files are read back the way any JSON reader would: objects keep their key order.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace json_test {

struct Value {
  enum Kind { Null, Number, String, Array, Object } kind = Null;
  long long number = 0;  // a number with a fraction: its whole part
  double real = 0.0;     // every number, fraction and all
  std::string text;
  std::vector<Value> items;
  std::vector<std::pair<std::string, Value>> members;

  const Value& operator[](std::string_view key) const {
    for (const auto& [k, v] : members) {
      if (k == key) return v;
    }
    throw std::out_of_range("no key " + std::string(key));
  }
  bool Has(std::string_view key) const {
    for (const auto& member : members) {
      if (member.first == key) return true;
    }
    return false;
  }
};

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  Value ReadAll() {
    Value v = ReadValue();
    Blanks();
    if (at_ != text_.size()) Fail("text after the value");
    return v;
  }

 private:
  [[noreturn]] void Fail(const std::string& what) const {
    throw std::runtime_error("JSON at " + std::to_string(at_) + ": " + what);
  }
  void Blanks() {
    while (at_ < text_.size() && (text_[at_] == ' ' || text_[at_] == '\n' || text_[at_] == '\r' || text_[at_] == '\t'))
      ++at_;
  }
  char Next() {
    Blanks();
    if (at_ >= text_.size()) Fail("unexpected end");
    return text_[at_];
  }
  void Expect(char c) {
    if (Next() != c) Fail(std::string("expected ") + c);
    ++at_;
  }

  Value ReadValue() {
    const char c = Next();
    Value v;
    if (c == '{') {
      v.kind = Value::Object;
      ++at_;
      if (Next() == '}') return ++at_, v;
      for (;;) {
        std::string key = ReadString();
        Expect(':');
        v.members.emplace_back(std::move(key), ReadValue());
        if (Next() == ',') {
          ++at_;
          continue;
        }
        Expect('}');
        return v;
      }
    }
    if (c == '[') {
      v.kind = Value::Array;
      ++at_;
      if (Next() == ']') return ++at_, v;
      for (;;) {
        v.items.push_back(ReadValue());
        if (Next() == ',') {
          ++at_;
          continue;
        }
        Expect(']');
        return v;
      }
    }
    if (c == '"') {
      v.kind = Value::String;
      v.text = ReadString();
      return v;
    }
    if (text_.substr(at_, 4) == "null") {
      at_ += 4;
      return v;
    }
    v.kind = Value::Number;
    const std::size_t start = at_;
    if (text_[at_] == '-') ++at_;
    auto digits = [&] {
      const std::size_t from = at_;
      while (at_ < text_.size() && text_[at_] >= '0' && text_[at_] <= '9') ++at_;
      return at_ > from;
    };
    if (!digits()) Fail("no value");
    const std::string whole(text_.substr(start, at_ - start));
    if (at_ < text_.size() && text_[at_] == '.') {
      ++at_;
      if (!digits()) Fail("no digits after the point");
    }
    v.number = std::stoll(whole);
    v.real = std::stod(std::string(text_.substr(start, at_ - start)));
    return v;
  }

  // Code points are kept as UTF-8.
  std::string ReadString() {
    Expect('"');
    std::string out;
    for (;;) {
      if (at_ >= text_.size()) Fail("string not closed");
      const unsigned char c = static_cast<unsigned char>(text_[at_++]);
      if (c == '"') return out;
      if (c < 0x20) Fail("control character in a string");
      if (c != '\\') {
        out += static_cast<char>(c);
        continue;
      }
      if (at_ >= text_.size()) Fail("string not closed");
      const char e = text_[at_++];
      switch (e) {
        case '"': out += '"'; break;
        case '\\': out += '\\'; break;
        case '/': out += '/'; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': {
          if (at_ + 4 > text_.size()) Fail("short \\u escape");
          const unsigned code = static_cast<unsigned>(std::stoul(std::string(text_.substr(at_, 4)), nullptr, 16));
          at_ += 4;
          if (code < 0x80) {
            out += static_cast<char>(code);
          } else if (code < 0x800) {
            out += static_cast<char>(0xC0 | (code >> 6));
            out += static_cast<char>(0x80 | (code & 0x3F));
          } else {
            out += static_cast<char>(0xE0 | (code >> 12));
            out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (code & 0x3F));
          }
          break;
        }
        default:
          Fail("unknown escape");
      }
    }
  }

  std::string_view text_;
  std::size_t at_ = 0;
};

inline Value Parse(std::string_view text) { return Reader(text).ReadAll(); }

}  // namespace json_test
