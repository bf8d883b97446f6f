// A QSO's own texts keep their bytes whether they lie in place or on the heap, through copies,
// moves and assignments, and always end in a zero byte for the host's calls.
#include "small_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

TEST(SmallText, EveryLengthAroundThePlaceInItKeepsItsBytes) {
  for (std::size_t n = 0; n <= 40; ++n) {
    std::string bytes(n, 'x');
    for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<char>(i % 3 == 0 ? '\0' : 'a' + i % 26);
    const SmallText text(bytes);
    ASSERT_EQ(text.view(), bytes) << n;
    ASSERT_EQ(text.size(), n);
    ASSERT_EQ(text.c_str()[n], '\0') << n;
    ASSERT_EQ(text.empty(), n == 0);
  }
}

TEST(SmallText, CopiesMovesAndAssignmentsLeaveEachTextItsOwn) {
  std::vector<SmallText> texts;
  for (const char* value : {"", "0012", "12345678901234", "123456789012345", "QSO: 3582 PM a long line of text"}) {
    SmallText original(value);
    SmallText copy = original;
    SmallText moved = std::move(copy);
    EXPECT_TRUE(copy.empty());  // a moved-from text is empty, never a second owner of the heap bytes
    EXPECT_EQ(moved, value);
    SmallText assigned("something else, long enough for the heap");
    assigned = original;
    original = "";
    EXPECT_EQ(assigned, value);
    EXPECT_TRUE(original.empty());
    texts.push_back(assigned);
  }
  texts.resize(64);  // moves every element to a new array
  EXPECT_EQ(texts[1], "0012");
  EXPECT_EQ(texts[4], "QSO: 3582 PM a long line of text");
  EXPECT_EQ(texts[4].str(), std::string(texts[4].c_str()));
}

}  // namespace
