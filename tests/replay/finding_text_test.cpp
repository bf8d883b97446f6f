// The findings' texts from their kinds and values: each kind a text of its own, its words chosen by
// the kind alone, and the report's groups of the real check's findings the groups their texts'
// patterns made before findings had kinds.
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "calendar.h"
#include "finding_groups.h"
#include "finding_text.h"
#include "replay_fixture.h"

namespace {

using namespace replay_test;

Finding Make(FindingKind kind, const std::vector<std::string>& values, std::uint8_t wording = 0,
             ProblemLines lines = ProblemLines::None) {
  std::vector<std::string_view> views(values.begin(), values.end());
  views.resize(kMostFindingValues);
  return {1,
          Severity::Warning,
          kind,
          wording,
          lines,
          PackValues({views[0], views[1], views[2], views[3], views[4], views[5], views[6], views[7]})};
}

// Every kind in each of its wordings (the flags any kind reads) and problem lines.
template <class Each>
void ForEveryForm(Each each) {
  for (std::size_t k = 0; k < kFindingKinds; ++k) {
    for (std::uint8_t wording = 0; wording < 4; ++wording) {
      for (ProblemLines lines : {ProblemLines::None, ProblemLines::One, ProblemLines::Several}) {
        each(static_cast<FindingKind>(k), wording, lines);
      }
    }
  }
}

const std::vector<std::string> kMarkers = {"v0", "v1", "v2", "v3", "v4", "v5", "v6", "v7"};

// The parts as written, each with what it is: 'W' words, 'Q' a quoted value, 'V' a value.
class Recorder final : public FindingWriter {
 public:
  void Words(std::string_view words) override { parts.emplace_back('W', words); }
  void Quoted(std::string_view value) override { parts.emplace_back('Q', value); }
  void Value(std::string_view value) override { parts.emplace_back('V', value); }
  std::vector<std::pair<char, std::string>> parts;
};

TEST(FindingText, EveryKindHasATextOfItsOwn) {
  std::map<std::string, FindingKind> byText;
  ForEveryForm([&](FindingKind kind, std::uint8_t wording, ProblemLines lines) {
    const std::string text = FindingText(Make(kind, kMarkers, wording, lines));
    ASSERT_FALSE(text.empty()) << static_cast<int>(kind);
    auto [it, added] = byText.emplace(text, kind);
    // CATEGORY-BAND ALL reads as any value of the format's the contest does not list; the readers'
    // and the plan's findings are their own words.
    const bool same = (it->second == FindingKind::NotAContestValue && kind == FindingKind::CategoryBandAll) ||
                      (it->second == FindingKind::ReadingProblem && kind == FindingKind::EntityNote);
    EXPECT_TRUE(added || it->second == kind || same)
        << static_cast<int>(kind) << " and " << static_cast<int>(it->second) << " both read: " << text;
  });
  std::set<FindingKind> kinds;
  for (const auto& [text, kind] : byText) kinds.insert(kind);
  EXPECT_EQ(kinds.size() + 2, kFindingKinds);  // all but the two told apart by their kinds only
}

// What the report's groups rest on: which words a text has, and where its values stand, follow
// from the kind, its wording and its problem lines, whatever the values hold.
TEST(FindingText, TheWordsFollowFromTheKindAlone) {
  const std::vector<std::vector<std::string>> valueSets = {
      {"CATEGORY-BAND", "3", "6", "0012", "12", "DL1ABC", "?", "QSO:  3583  CW ..."},
      {"", "", "", "", "", "", "", ""},
      {"12", "x'y", "a b", "\x1b[2J", "plug-in", "err.txt got", "ADDRESS", "9"}};
  ForEveryForm([&](FindingKind kind, std::uint8_t wording, ProblemLines lines) {
    Recorder marked;
    WriteFinding(Make(kind, kMarkers, wording, lines), marked);
    for (const std::vector<std::string>& values : valueSets) {
      Recorder other;
      WriteFinding(Make(kind, values, wording, lines), other);
      ASSERT_EQ(other.parts.size(), marked.parts.size()) << static_cast<int>(kind);
      for (std::size_t i = 0; i < marked.parts.size(); ++i) {
        EXPECT_EQ(other.parts[i].first, marked.parts[i].first) << static_cast<int>(kind) << " part " << i;
        if (marked.parts[i].first == 'W') {
          EXPECT_EQ(other.parts[i].second, marked.parts[i].second) << static_cast<int>(kind);
        }
      }
    }
  });
}

TEST(FindingText, TheEntrantsWordsDifferOnlyWhereTheyMust) {
  ForEveryForm([&](FindingKind kind, std::uint8_t wording, ProblemLines lines) {
    const Finding f = Make(kind, kMarkers, wording, lines);
    if (kind == FindingKind::Dupe || kind == FindingKind::ReceivedNotFourDigits ||
        kind == FindingKind::ClaimedScoreWrong) {
      EXPECT_NE(FindingText(f, Audience::Entrant), FindingText(f)) << static_cast<int>(kind);
    } else {
      EXPECT_EQ(FindingText(f, Audience::Entrant), FindingText(f)) << static_cast<int>(kind);
    }
  });
  EXPECT_EQ(FindingText(Make(FindingKind::Dupe, {"3", "DL1WA", "80m", "1", "QSO: ..."}, 0, ProblemLines::One),
                        Audience::Entrant),
            "dupe of line 3 (DL1WA on 80m): it adds nothing to the score");
  EXPECT_EQ(FindingText(Make(FindingKind::ReceivedNotFourDigits, {"12A"}), Audience::Entrant),
            "received exchange '12A' is not four digits");
  EXPECT_EQ(FindingText(Make(FindingKind::ClaimedScoreWrong, {"1,040", "777"}), Audience::Entrant),
            "CLAIMED-SCORE: 1,040 is not 777, the score of this log's QSOs");
}

TEST(FindingText, ValuesComeBackAsPackedControlBytesShown) {
  const std::string longValue(300, 'x');
  const Finding f = Make(FindingKind::CallNoCall, {"E\nU\x07", longValue});
  const FindingValues values(f);
  ASSERT_EQ(values.size(), kMostFindingValues);
  EXPECT_EQ(values[0], "E\nU\x07");
  EXPECT_EQ(values[1], longValue);
  EXPECT_EQ(values[2], "");
  EXPECT_EQ(FindingText(f), "call 'E\\x0aU\\x07' " + longValue);
  // A million-QSO log holds up to a finding a QSO: no larger than a line and a text, and a serial's
  // values lie in place.
  EXPECT_LE(sizeof(Finding), 2 * sizeof(std::size_t) + sizeof(SmallText));
  EXPECT_LE(PackValues({"1000000"}).size(), 14u);
}

// The real check's findings on the seeded logs and the sample, and every form of every kind with
// values drawn from what logs hold: two findings of a weight share a group exactly when their
// texts' patterns are the same, as when the groups were made from the texts.
TEST(FindingGroups, TheKeyGroupsAsThePatternsOfTheTexts) {
  std::vector<Finding> findings;
  const std::vector<std::pair<fs::path, CheckChoices>> logs = {
      {SEEDED_CABRILLO_FILE, {PeriodOf(*ReadMoment("2025-03-15 1200"), std::nullopt), &KnownCalls()}},
      {SEEDED_ADIF_FILE, {std::nullopt, &KnownCalls()}},
      {SAMPLE_LOG_FILE, {std::nullopt, &KnownCalls()}}};
  for (const auto& [file, choices] : logs) {
    TempFolder folder;
    const CheckedReplay run = ReplayForCheck(folder.path(), file);
    for (Finding& f : CheckLog(run.log, run.replayed, choices)) findings.push_back(std::move(f));
  }
  const std::size_t checked = findings.size();
  ASSERT_GT(checked, 50u);
  const std::vector<std::string> pool = {
      "CW", "RY", "PSK31", "FT8", "PSK 31", "12", "0012", "?", "", "DL1ABC", "N0CALL/P", "80m", "40m", "it's",
      "QSO:  3583  RTTY  2025-03-15 1205  N0CALL  599  0002  EU7F  599  0013   NO CONTEST MODE !!!",
      "QSO:  7043  BPSK63  2025-03-15 1207  N0CALL  599    RA6F  599  0005   NO RX NUMBER !!!", "CATEGORY-BAND",
      "CATEGORY-POWER", "ADDRESS", "\xc3\xbc", "\x1b", "2025-03-15 1159", "has no digit",
      "has characters other than A-Z, 0-9 and /", "MODE PSK without SUBMODE", "2 mode CW, 3 MODE PSK"};
  std::mt19937 random(63);
  // A form a kind does not read is none the check makes: only the first of each text is taken.
  std::set<std::pair<FindingKind, std::string>> forms;
  ForEveryForm([&](FindingKind kind, std::uint8_t wording, ProblemLines lines) {
    if (!forms.emplace(kind, FindingText(Make(kind, kMarkers, wording, lines))).second) return;
    for (int n = 0; n < 12; ++n) {
      std::vector<std::string> values;
      for (std::size_t i = 0; i < kMostFindingValues; ++i) values.push_back(pool[random() % pool.size()]);
      findings.push_back(Make(kind, values, wording, lines));
    }
  });

  std::map<std::pair<Severity, std::string>, std::set<std::string>> patternsOfKey, keysOfPattern;
  for (const Finding& f : findings) {
    const std::string pattern = FindingPattern(FindingText(f)), key = GroupKey(f);
    patternsOfKey[{f.severity, key}].insert(pattern);
    keysOfPattern[{f.severity, pattern}].insert(key);
  }
  for (const auto& [key, patterns] : patternsOfKey) {
    EXPECT_EQ(patterns.size(), 1u) << "one group, patterns " << *patterns.begin() << " and " << *patterns.rbegin();
  }
  for (const auto& [pattern, keys] : keysOfPattern) EXPECT_EQ(keys.size(), 1u) << "one pattern: " << pattern.second;
  for (const FindingGroup& group : GroupFindings(findings)) {
    EXPECT_EQ(group.pattern, FindingPattern(FindingText(*group.findings.front())));
  }
}

}  // namespace
