// Counts with their nouns.
#include "counted.h"

std::string Counted(std::size_t n, std::string_view noun, std::string_view plural) {
  std::string text = std::to_string(n) + " ";
  if (n == 1) return text.append(noun);
  if (!plural.empty()) return text.append(plural);
  return text.append(noun).append("s");
}

std::string SignedCounted(long long n, std::string_view noun) {
  std::string text = (n > 0 ? "+" : "") + std::to_string(n) + " ";
  text.append(noun);
  return n == 1 || n == -1 ? text : text.append("s");
}
