// Replacing marked text: the soapbox's line breaks stored as markers, the address's "<CR>" markers
// written as lines.
#include "engine/cabrillo_log.h"

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

std::string EncodeSoapbox(std::string_view soapbox) {
  return ReplaceAll(ReplaceAll(soapbox, "\r", "<CR>"), "\n", "<LF>");
}

std::string DecodeSoapbox(std::string_view stored) {
  return ReplaceAll(ReplaceAll(stored, "<CR>", "\r"), "<LF>", "\n");
}
