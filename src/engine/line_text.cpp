#include "line_text.h"

std::string ReplaceAll(std::string_view text, std::string_view search, std::string_view replacement) {
  if (search == replacement || search.empty()) return std::string(text);
  std::string result;
  std::size_t from = 0;
  for (std::size_t at; (at = text.find(search, from)) != std::string_view::npos; from = at + search.size()) {
    result.append(text.substr(from, at - from)).append(replacement);
  }
  result.append(text.substr(from));
  return result;
}

// "_" rather than a blank: a QSO line's fields are told apart by blanks, and file names already
// get "_" for the same characters.
std::string OnOneLine(std::string_view value) {
  std::string line(value);
  for (char& c : line) {
    if (static_cast<unsigned char>(c) < 32 || c == 127) c = '_';
  }
  return line;
}
