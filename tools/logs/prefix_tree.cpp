// The texts are sorted, so the texts below a node lie side by side, and a node's edges are laid
// out together before its children are built.
#include "prefix_tree.h"

#include <algorithm>

PrefixTree::PrefixTree(Entries entries) : nodes_(1) {
  std::erase_if(entries, [](const auto& entry) { return entry.first.empty(); });
  std::sort(entries.begin(), entries.end());
  Build(0, entries, 0, entries.size(), 0);
}

void PrefixTree::Build(std::uint32_t node, const Entries& sorted, std::size_t from, std::size_t to,
                       std::size_t depth) {
  // Sorted, a text that ends here comes first among those that share this node's characters.
  if (from < to && sorted[from].first.size() == depth) nodes_[node].value = sorted[from++].second;
  std::vector<std::pair<std::size_t, std::size_t>> groups;  // a child's texts
  for (std::size_t at = from; at < to;) {
    std::size_t end = at + 1;
    while (end < to && sorted[end].first[depth] == sorted[at].first[depth]) ++end;
    groups.emplace_back(at, end);
    at = end;
  }
  nodes_[node].firstEdge = static_cast<std::uint32_t>(edges_.size());
  nodes_[node].edgeCount = static_cast<std::uint32_t>(groups.size());
  for (const auto& [begin, end] : groups) {
    edges_.push_back({sorted[begin].first[depth], static_cast<std::uint32_t>(nodes_.size())});
    nodes_.emplace_back();
  }
  for (std::size_t g = 0; g < groups.size(); ++g) {
    Build(edges_[nodes_[node].firstEdge + g].node, sorted, groups[g].first, groups[g].second, depth + 1);
  }
}

const PrefixTree::Node* PrefixTree::Child(const Node& node, char symbol) const {
  const Edge* first = edges_.data() + node.firstEdge;
  const Edge* last = first + node.edgeCount;
  const Edge* edge = std::lower_bound(first, last, symbol, [](const Edge& e, char c) {
    return static_cast<unsigned char>(e.symbol) < static_cast<unsigned char>(c);
  });
  return edge == last || edge->symbol != symbol ? nullptr : &nodes_[edge->node];
}

std::optional<std::uint32_t> PrefixTree::Longest(std::string_view text) const {
  std::optional<std::uint32_t> found;
  const Node* at = &nodes_[0];
  for (const char c : text) {
    at = Child(*at, c);
    if (!at) break;
    if (at->value != kNone) found = at->value;
  }
  return found;
}

std::optional<std::uint32_t> PrefixTree::Find(std::string_view text) const {
  if (text.empty()) return std::nullopt;
  const Node* at = &nodes_[0];
  for (const char c : text) {
    at = Child(*at, c);
    if (!at) return std::nullopt;
  }
  return at->value == kNone ? std::nullopt : std::optional<std::uint32_t>(at->value);
}
