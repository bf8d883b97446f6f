// Date-time texts: the calendar conversion, its rounding and the patterns the module prints.
#include "ole_date_time.h"

#include <gtest/gtest.h>

#include "calendar.h"

namespace {

COleDateTime At(double days) { return COleDateTime{days, DateTimeStatus::Valid}; }

constexpr double kSecond = 1.0 / 86400.0;

TEST(DateTimeText, PrintsThePatternsTheModuleUses) {
  COleDateTime t = At(46054.0 + (18 * 60 + 5) / 1440.0);  // 2026-02-01 18:05
  EXPECT_EQ(FormatDateTime(t, "%Y-%m-%d %H%M"), "2026-02-01 1805");
  EXPECT_EQ(FormatDateTime(t, "%d.%m"), "01.02");
  EXPECT_EQ(FormatDateTime(t, "%d.%m.%Y"), "01.02.2026");
  EXPECT_EQ(FormatDateTime(t, "%H:%M"), "18:05");
  EXPECT_EQ(FormatDateTime(At(0.0), "%Y-%m-%d %H%M"), "1899-12-30 0000");
  EXPECT_EQ(FormatDateTime(At(60.0), "%Y-%m-%d"), "1900-02-28");
  EXPECT_EQ(FormatDateTime(At(61.0), "%Y-%m-%d"), "1900-03-01");  // 1900 is no leap year
  EXPECT_EQ(FormatDateTime(At(36585.0), "%Y-%m-%d"), "2000-02-29");
}

TEST(DateTimeText, NullIsEmptyAndInvalidIsSaid) {
  EXPECT_EQ(FormatDateTime({46054.0, DateTimeStatus::Null}, "%d.%m"), "");
  EXPECT_EQ(FormatDateTime({46054.0, DateTimeStatus::Invalid}, "%d.%m"), "Invalid DateTime");
  EXPECT_EQ(FormatDateTime(At(2958466.0), "%d.%m"), "Invalid DateTime");
  EXPECT_EQ(FormatDateTime(At(-657435.0), "%d.%m"), "Invalid DateTime");
  EXPECT_EQ(FormatDateTime(At(std::numeric_limits<double>::quiet_NaN()), "%d.%m"), "Invalid DateTime");
  EXPECT_EQ(FormatDateTime(At(-657434.0), "%d.%m.%Y"), "01.01.100");
  EXPECT_EQ(FormatDateTime(At(2958465.5), "%d.%m.%Y %H:%M"), "31.12.9999 12:00");
}

TEST(DateTimeText, NegativeDaysCountTheFractionForwardFromMidnight) {
  EXPECT_EQ(FormatDateTime(At(-1.25), "%Y-%m-%d %H:%M"), "1899-12-29 06:00");
  EXPECT_EQ(FormatDateTime(At(-0.75), "%Y-%m-%d %H:%M"), "1899-12-30 18:00");
}

TEST(DateTimeText, RoundsToWholeSecondsAndRollsTheDateOver) {
  auto t = ToCalendarTime(46054.0 + 10 * kSecond - 0.4 * kSecond / 1000.0);
  ASSERT_TRUE(t);
  EXPECT_EQ(t->second, 10);
  EXPECT_EQ(FormatDateTime(At(46055.0 - 0.2 * kSecond), "%Y-%m-%d %H%M"), "2026-02-02 0000");
  EXPECT_EQ(FormatDateTime(At(46055.0 - 0.7 * kSecond), "%Y-%m-%d %H%M%S"), "2026-02-01 235959");
  // On a negative count the carry still moves forward in the calendar.
  EXPECT_EQ(FormatDateTime(At(-1.0 - (1.0 - 0.2 * kSecond)), "%Y-%m-%d %H%M"), "1899-12-30 0000");
}

TEST(DateTimeEquality, NullsMatchInvalidsNever) {
  EXPECT_TRUE(At(1.5) == At(1.5));
  EXPECT_FALSE(At(1.5) == At(1.5 + kSecond));
  EXPECT_TRUE((COleDateTime{1.0, DateTimeStatus::Null}) == (COleDateTime{2.0, DateTimeStatus::Null}));
  EXPECT_FALSE((COleDateTime{1.0, DateTimeStatus::Invalid}) == (COleDateTime{1.0, DateTimeStatus::Invalid}));
  EXPECT_FALSE((COleDateTime{1.0, DateTimeStatus::Null}) == At(1.0));
}

}  // namespace
