// Texts with a number each, and the longest of them that begins a given text, found in one step
// a character: a call's entity is its longest listed prefix, and trying each length of the call
// in a hash table was a fifth of scoring a contest's logs.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class PrefixTree {
 public:
  // The empty text is left out; each text appears once.
  explicit PrefixTree(std::vector<std::pair<std::string, std::uint32_t>> entries = {});

  // The number of the longest text that `text` begins with.
  std::optional<std::uint32_t> Longest(std::string_view text) const;
  // The number of `text` itself, when it is one of the texts.
  std::optional<std::uint32_t> Find(std::string_view text) const;

 private:
  static constexpr std::uint32_t kNone = 0xFFFFFFFF;
  struct Node {
    std::uint32_t value = kNone;
    std::uint32_t firstEdge = 0, edgeCount = 0;  // its edges, by character
  };
  struct Edge {
    char symbol;
    std::uint32_t node;
  };
  using Entries = std::vector<std::pair<std::string, std::uint32_t>>;
  const Node* Child(const Node& node, char symbol) const;
  void Build(std::uint32_t node, const Entries& sorted, std::size_t from, std::size_t to, std::size_t depth);

  std::vector<Node> nodes_;
  std::vector<Edge> edges_;
};
