// A JSON text written as it goes: objects, arrays, strings, numbers and null.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class JsonWriter {
 public:
  // A container opened `inLine` keeps its members on one line; others put each on a line of its own.
  JsonWriter& BeginObject(bool inLine = false);
  JsonWriter& EndObject();
  JsonWriter& BeginArray(bool inLine = false);
  JsonWriter& EndArray();
  JsonWriter& Key(std::string_view name);
  JsonWriter& String(std::string_view text);
  JsonWriter& Number(long long value);
  // With `places` digits after the point: 51.50; never "-0.00".
  JsonWriter& Decimal(double value, int places);
  JsonWriter& Null();

  // The text, with a final line end.
  std::string Take();

 private:
  struct Level {
    bool inLine;
    bool empty = true;
  };
  void BeforeValue();
  void Close(char bracket);

  std::string out_;
  std::vector<Level> levels_;
  bool afterKey_ = false;
};

// The text as a JSON string, quotes included. "<" is escaped too, so that the text can stand
// inside an HTML script element; bytes that are not UTF-8 are taken as Latin-1.
std::string JsonString(std::string_view text);
