// Whole files as the tools read them, and values as they echo them.
#include "text_files.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <stdexcept>

#include "counted.h"
#include "shown_text.h"
#include "test_files.h"

namespace {

// A pipe nobody writes to would block the open forever: it is refused before that.
TEST(TextFiles, APipeIsRefusedWithoutBlocking) {
  const TempFolder folder;
  const auto fifo = folder / "log.adi";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  try {
    ReadTextFile(fifo);
    FAIL() << "a pipe was read";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()),
              fifo.string() + ": is not a regular file (a pipe, a socket or a device); it is not read");
  }
  EXPECT_THROW(ReadTextFile("/dev/zero"), std::runtime_error);
}

TEST(TextFiles, WhatIsWrittenIsReadBackByteForByte) {
  const TempFolder folder;
  const std::string bytes("a\r\nb\0c\xff", 7);
  WriteTextFile(folder / "f", bytes);
  EXPECT_EQ(ReadTextFile(folder / "f"), bytes);
  EXPECT_THROW(WriteTextFile(folder / "missing" / "f", "x"), std::runtime_error);
}

TEST(ShownText, ControlBytesCannotEndTheLineOrDriveTheTerminal) {
  EXPECT_EQ(Shown("DL1ABC"), "DL1ABC");
  EXPECT_EQ(Shown(std::string("A\nB\rC\0D\x1b[2J\x7f", 12)), "A\\x0aB\\x0dC\\x00D\\x1b[2J\\x7f");
  EXPECT_EQ(Shown("M\xc3\xbcller"), "M\xc3\xbcller");
}

// One is the only count without a plural, on either side of zero.
TEST(CountedText, OneAloneTakesTheNounAsItIs) {
  EXPECT_EQ(Counted(1, "QSO") + ", " + Counted(0, "QSO") + ", " + Counted(2, "process", "processes"),
            "1 QSO, 0 QSOs, 2 processes");
  EXPECT_EQ(SignedCounted(1, "minute") + ", " + SignedCounted(-1, "minute") + ", " + SignedCounted(0, "minute") +
                ", " + SignedCounted(-60, "minute"),
            "+1 minute, -1 minute, 0 minutes, -60 minutes");
}

}  // namespace
