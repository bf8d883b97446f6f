// Call signs: their form, and the check-partial list they are looked up in.
#include "call_list.h"

#include <gtest/gtest.h>

#include "call_sign.h"

namespace {

TEST(CallList, CallsAndTheStationPartOfThem) {
  const CallList list = CallList::Parse("#\n# Release 2023\n#\nDL1ABC\r\nok1xyz\n\n  G4AAA  \n");
  EXPECT_EQ(list.size(), 3u);
  for (const char* known : {"DL1ABC", "dl1abc", "DL1ABC/P", "DL/OK1XYZ", "EA8/G4AAA/QRP"}) {
    EXPECT_TRUE(list.Knows(known)) << known;
  }
  for (const char* unknown : {"DL1ABD", "DL1AB", "/", "", "# Release 2023", "P/DL1ABCD"}) {
    EXPECT_FALSE(list.Knows(unknown)) << unknown;
  }
}

TEST(CallSign, WhatCannotBeACall) {
  for (const char* good : {"DL1ABC", "OK1XYZ/P", "3DA0RU", "DL/G4AAA"}) EXPECT_FALSE(CallSignFault(good)) << good;
  EXPECT_EQ(CallSignFault("DL1-ABC"), "has characters other than A-Z, 0-9 and /");
  EXPECT_EQ(CallSignFault("dl1abc"), "has characters other than A-Z, 0-9 and /");
  EXPECT_EQ(CallSignFault("DLABC"), "has no digit");
  EXPECT_EQ(CallSignFault("1234"), "has no letter");
}

}  // namespace
