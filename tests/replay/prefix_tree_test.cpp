// The tree's longest prefix against the plain search it replaces: every length of the text, the
// longest first, in a table of the texts.
#include "prefix_tree.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

std::optional<std::uint32_t> Plain(const std::map<std::string, std::uint32_t>& texts, const std::string& text) {
  for (std::size_t length = text.size(); length > 0; --length) {
    auto it = texts.find(text.substr(0, length));
    if (it != texts.end()) return it->second;
  }
  return std::nullopt;
}

TEST(PrefixTree, TheLongestPrefixAndTheTextItselfAsAPlainSearchFindsThem) {
  std::mt19937 random(7);
  // Few characters, so that texts share prefixes and nest; bytes past 127 among them.
  const std::string alphabet = "AB1/\xC4";
  auto word = [&](std::size_t longest) {
    std::string text(1 + random() % longest, ' ');
    for (char& c : text) c = alphabet[random() % alphabet.size()];
    return text;
  };
  std::map<std::string, std::uint32_t> texts;
  for (std::uint32_t i = 0; i < 300; ++i) texts[word(6)] = i;
  PrefixTree tree({texts.begin(), texts.end()});
  for (int i = 0; i < 5000; ++i) {
    const std::string text = i % 10 == 0 ? std::string() : word(9) + (i % 7 == 0 ? "Z" : "");
    EXPECT_EQ(tree.Longest(text), Plain(texts, text)) << text;
    const auto listed = texts.find(text);
    const bool inside = listed != texts.end() && !text.empty();
    EXPECT_EQ(tree.Find(text), inside ? std::optional<std::uint32_t>(listed->second) : std::nullopt) << text;
  }
  // Every text is found, and a text that only begins one of them is found when it is listed too.
  for (const auto& [text, number] : texts) {
    EXPECT_EQ(tree.Find(text), number) << text;
    const std::string shorter = text.substr(0, text.size() - 1);
    EXPECT_EQ(tree.Find(shorter).has_value(), !shorter.empty() && texts.contains(shorter)) << shorter;
  }
  EXPECT_EQ(PrefixTree().Longest("DL1ABC"), std::nullopt);
  EXPECT_EQ(PrefixTree({{"", 1}, {"D", 2}}).Longest("X"), std::nullopt);
  EXPECT_EQ(PrefixTree({{"DL", 1}, {"D", 2}, {"DL1ABC", 3}}).Longest("DL1AB"), 1u);
  EXPECT_EQ(PrefixTree({{"DL", 1}, {"DL1ABC", 3}}).Find("DL1AB"), std::nullopt);
  EXPECT_EQ(PrefixTree({{"", 1}}).Find(""), std::nullopt);
}

}  // namespace
