// The compact form the cross-check holds a contest in: interned texts, QSO lines in a scratch
// file, and a log read again for its scoring, which must be the very file that was checked.
#include <gtest/gtest.h>

#include <chrono>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "interned_text.h"
#include "log_set.h"
#include "qso_line_store.h"
#include "shared_text.h"
#include "test_files.h"

namespace {

namespace fs = std::filesystem;

TEST(InternedText, OneNumberPerTextAcrossThreads) {
  const InternedText empty;
  EXPECT_TRUE(empty.empty());
  EXPECT_EQ(empty, InternedText(""));
  EXPECT_EQ(empty.str(), "");
  // Threads keep overlapping texts at once, as the folder's readers may: each text gets one
  // number, and every number reads back its own text.
  std::vector<std::vector<InternedText>> kept(4);
  std::vector<std::thread> threads;
  for (std::size_t t = 0; t < kept.size(); ++t) {
    threads.emplace_back([&kept, t] {
      for (int i = 0; i < 40000; ++i) kept[t].push_back(InternedText("CALL" + std::to_string((i * (t + 1)) % 20000)));
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (std::size_t t = 0; t < kept.size(); ++t) {
    for (int i = 0; i < 40000; ++i) {
      const std::string text = "CALL" + std::to_string((i * (t + 1)) % 20000);
      ASSERT_EQ(kept[t][static_cast<std::size_t>(i)].str(), text);
      ASSERT_EQ(kept[t][static_cast<std::size_t>(i)], InternedText(text));
    }
  }
  EXPECT_NE(InternedText("0012"), InternedText("012"));
  const InternedText call("DL1AA");
  EXPECT_LT(call.id(), KeptTextCount());
}

TEST(SharedText, OneObjectPerTextAcrossThreads) {
  // More texts than a thread keeps beside it, met again in another order by each thread, and
  // texts of one length that differ in one byte: every one reads back its own text, and the
  // same text is the same object in every thread.
  std::vector<std::vector<SharedText>> kept(3);
  std::vector<std::thread> threads;
  for (std::size_t t = 0; t < kept.size(); ++t) {
    threads.emplace_back([&kept, t] {
      for (int i = 0; i < 30000; ++i) kept[t].emplace_back("K" + std::to_string((i * (t + 2)) % 9000));
    });
  }
  for (std::thread& thread : threads) thread.join();
  for (std::size_t t = 0; t < kept.size(); ++t) {
    for (int i = 0; i < 30000; ++i) {
      const std::string text = "K" + std::to_string((i * (t + 2)) % 9000);
      ASSERT_EQ(kept[t][static_cast<std::size_t>(i)].str(), text);
      ASSERT_EQ(&kept[t][static_cast<std::size_t>(i)].str(), &SharedText(text).str());
    }
  }
  EXPECT_TRUE(SharedText("").empty());
  EXPECT_FALSE(SharedText("80m") == SharedText("40m"));
}

// A slot holds the start of its text: texts that begin alike, of every length around what a slot
// holds, and one with a zero byte in it, each stay a text of their own.
TEST(SharedAndInternedTexts, TextsThatBeginAlikeStayApart) {
  const std::string base = std::string("DL1ABCDEFGHIJKLMNOPQRST") + '\0' + "UV";
  std::vector<SharedText> shared;
  std::vector<InternedText> interned;
  for (std::size_t n = 0; n <= base.size(); ++n) {
    shared.emplace_back(std::string_view(base).substr(0, n));
    interned.emplace_back(std::string_view(base).substr(0, n));
  }
  for (std::size_t n = 0; n <= base.size(); ++n) {
    const std::string_view text = std::string_view(base).substr(0, n);
    EXPECT_EQ(shared[n].str(), text);
    EXPECT_EQ(interned[n].str(), text);
    EXPECT_EQ(&SharedText(text).str(), &shared[n].str()) << n;
    EXPECT_EQ(InternedText(text), interned[n]) << n;
    // One byte other at the end: another text.
    if (n > 0) {
      std::string other(text);
      other.back() = other.back() == 'x' ? 'y' : 'x';
      EXPECT_NE(&SharedText(other).str(), &shared[n].str()) << n;
      EXPECT_NE(InternedText(other), interned[n]) << n;
    }
  }
  // Asking the memory ahead of a look-up changes nothing it finds; the two kinds of text are one
  // table's: the same text kept once, its number naming it.
  PrefetchText("DL1ABC");
  EXPECT_EQ(&SharedText("DL1ABC").str(), &shared[6].str());
  EXPECT_EQ(InternedText("DL1ABC"), interned[6]);
  for (std::size_t n = 0; n <= base.size(); ++n) {
    EXPECT_EQ(&KeptTextOf(interned[n].id()), &shared[n].str()) << n;
    EXPECT_LT(interned[n].id(), KeptTextCount()) << n;
  }
}

TEST(QsoLineStore, EveryLineBackWhetherWrittenOutOrNotAndInAForkedProcess) {
  QsoLineStore store;
  std::vector<std::string> lines;
  // Past a few blocks of the file, with empty lines and a line longer than a block among them.
  for (int i = 0; i < 60000; ++i) {
    lines.push_back(i % 997 == 0 ? std::string() : "QSO:  3580 PM 2025-03-15 1805 DL1AA 599 " + std::to_string(i));
  }
  lines.push_back(std::string(3 << 20, 'x'));
  // Lengths around the longest a line's two bytes hold, among lines of one block of starts.
  for (std::size_t length : {65534, 65535, 65536, 3, 65535}) lines.push_back(std::string(length, 'a' + length % 26));
  lines.push_back("the last line, still in memory");
  for (std::size_t i = 0; i < lines.size(); ++i) ASSERT_EQ(store.Add(lines[i]), i);
  ASSERT_EQ(store.size(), lines.size());
  for (std::size_t i = 0; i < lines.size(); ++i) ASSERT_EQ(store.Text(i), lines[i]) << i;
  // Workers read the parent's store after the fork, through the same descriptor.
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    bool same = true;
    for (std::size_t i = lines.size(); i-- > 0;) same = same && store.Text(i) == lines[i];
    ::_exit(same ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_THROW(store.Text(lines.size()), std::out_of_range);
}

class ReadAgainFolder : public InTempFolder {};

TEST_F(ReadAgainFolder, TheSameLogOrAClearRefusalWhenTheFileChanged) {
  fs::create_directory("logs");
  const std::string head = "START-OF-LOG: 3.0\r\nCONTEST: PSK-63-TORVALE\r\nCALLSIGN: DL1AA\r\n";
  const std::string qsos =
      "QSO:  3580 PM 2025-03-15 1805 DL1AA         599 0001   OK1BB         599 0002\r\n"
      "QSO:  7040 PM 2025-03-15 1811 DL1AA         599 0002   SP2CC         599 0014\r\n";
  std::ofstream("logs/dl1aa.log", std::ios::binary) << head << qsos << "END-OF-LOG:\r\n";
  const LogSet set = ReadLogFolder("logs");
  ASSERT_EQ(set.logs.size(), 1u);
  const SubmittedLog& log = set.logs[0];
  EXPECT_EQ(CheckedOf(ReadAgain(log), log.call).qsos, set.checked[0].qsos);
  EXPECT_EQ(set.lines->Text(log.firstLine + 1),
            "QSO:  7040 PM 2025-03-15 1811 DL1AA         599 0002   SP2CC         599 0014");

  // One serial changed, the size the same: the scores would be of another log than the decisions.
  std::ofstream("logs/dl1aa.log", std::ios::binary) << head << qsos.substr(0, 50) << '9' << qsos.substr(51)
                                                   << "END-OF-LOG:\r\n";
  // Written over at once: a file system that keeps whole seconds would show the same time.
  fs::last_write_time("logs/dl1aa.log", fs::last_write_time("logs/dl1aa.log") + std::chrono::seconds(2));
  try {
    ReadAgain(log);
    FAIL() << "a changed file was taken";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("changed while the logs were checked"), std::string::npos);
  }
  fs::remove("logs/dl1aa.log");
  EXPECT_THROW(ReadAgain(log), std::runtime_error);
}

}  // namespace
