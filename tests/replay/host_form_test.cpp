// Log values in the host's form: times the plug-in reads back to the second, frequencies to the
// hertz, bands and exchanges as the host writes them.
#include "host_form.h"

#include <gtest/gtest.h>

#include "engine/ole_date_time.h"

namespace {

void ExpectReadBackAs(const CalendarTime& t) {
  const std::optional<double> days = HostDays(t);
  ASSERT_TRUE(days);
  const std::optional<CalendarTime> back = ToCalendarTime(*days);
  ASSERT_TRUE(back);
  EXPECT_EQ(std::tie(back->year, back->month, back->day, back->hour, back->minute, back->second),
            std::tie(t.year, t.month, t.day, t.hour, t.minute, t.second));
}

TEST(HostDays, EverySecondOfADayReadsBackExactly) {
  for (int s = 0; s < 86400; ++s) ExpectReadBackAs({2025, 3, 15, s / 3600, s / 60 % 60, s % 60});
}

TEST(HostDays, DatesAcrossCenturiesAndLeapDays) {
  EXPECT_EQ(HostDays({1899, 12, 30, 0, 0, 0}), 0.0);
  EXPECT_EQ(HostDays({1900, 1, 1, 0, 0, 0}), 2.0);
  EXPECT_EQ(HostDays({2026, 2, 1, 0, 0, 0}), 46054.0);
  EXPECT_EQ(HostDays({2026, 2, 1, 18, 0, 0}), 46054.75);
  EXPECT_EQ(HostDays({1899, 12, 29, 6, 0, 0}), -1.25);
  for (CalendarTime t :
       {CalendarTime{2000, 2, 29, 23, 59, 59}, CalendarTime{2024, 2, 29, 0, 0, 1}, CalendarTime{1999, 12, 31, 23, 59, 59},
        CalendarTime{2100, 3, 1, 12, 34, 56}, CalendarTime{1850, 6, 15, 6, 7, 8}}) {
    ExpectReadBackAs(t);
  }
}

TEST(HostDays, ImpossibleDatesAndTimesHaveNone) {
  for (CalendarTime t :
       {CalendarTime{2025, 2, 29, 0, 0, 0}, CalendarTime{1900, 2, 29, 0, 0, 0}, CalendarTime{2025, 13, 1, 0, 0, 0},
        CalendarTime{2025, 0, 1, 0, 0, 0}, CalendarTime{2025, 4, 31, 0, 0, 0}, CalendarTime{2025, 1, 0, 0, 0, 0},
        CalendarTime{2025, 1, 1, 24, 0, 0}, CalendarTime{2025, 1, 1, 12, 60, 0}, CalendarTime{2025, 1, 1, 12, 0, 60}}) {
    EXPECT_FALSE(HostDays(t)) << t.year << '-' << t.month << '-' << t.day << ' ' << t.hour << ':' << t.minute << ':'
                              << t.second;
  }
}

TEST(ScaledDecimal, MegahertzToHertzWithoutBinaryFractions) {
  EXPECT_EQ(ScaledDecimal("3.5805", 6), 3'580'500u);
  EXPECT_EQ(ScaledDecimal("7.040", 6), 7'040'000u);
  EXPECT_EQ(ScaledDecimal("7", 6), 7'000'000u);
  EXPECT_EQ(ScaledDecimal(" 14.070150 ", 6), 14'070'150u);
  EXPECT_EQ(ScaledDecimal(".5", 6), 500'000u);
  EXPECT_EQ(ScaledDecimal("3.5", 3), 3'500u);
  // Past the hertz, the nearest hertz.
  EXPECT_EQ(ScaledDecimal("14.0701255", 6), 14'070'126u);
  EXPECT_EQ(ScaledDecimal("14.0701254", 6), 14'070'125u);
  EXPECT_EQ(ScaledDecimal("4294.967295", 6), 4'294'967'295u);
}

TEST(ScaledDecimal, AnythingButPlainDigitsHasNone) {
  for (const char* bad :
       {"", ".", "3,5805", "-3.5", "+3.5", "3.5.1", "3.5e3", "abc", "3 5", "4294.967296", "99999999999"}) {
    EXPECT_FALSE(ScaledDecimal(bad, 6)) << bad;
  }
}

TEST(Bands, FromFrequencyAtTheEdges) {
  EXPECT_EQ(AmateurBandOf(3'500'000), "80m");
  EXPECT_EQ(AmateurBandOf(4'000'000), "80m");
  EXPECT_EQ(AmateurBandOf(7'040'500), "40m");
  EXPECT_EQ(AmateurBandOf(1'810'000), "160m");
  EXPECT_EQ(AmateurBandOf(28'120'000), "10m");
  EXPECT_EQ(AmateurBandOf(144'300'000), "2m");
  EXPECT_FALSE(AmateurBandOf(3'499'999));
  EXPECT_FALSE(AmateurBandOf(7'300'001));
  EXPECT_FALSE(AmateurBandOf(0));
}

TEST(Bands, InTheHostsLowerCase) {
  EXPECT_EQ(HostBandName("80M"), "80m");
  EXPECT_EQ(HostBandName(" 160M "), "160m");
  EXPECT_EQ(HostBandName("40m"), "40m");
  EXPECT_EQ(HostBandName("70CM"), "70cm");
}

TEST(SerialExchange, NumbersPaddedToFourOthersAsWritten) {
  EXPECT_EQ(SerialExchange("7"), "0007");
  EXPECT_EQ(SerialExchange("42"), "0042");
  EXPECT_EQ(SerialExchange("0042"), "0042");
  EXPECT_EQ(SerialExchange(" 123 "), "0123");
  EXPECT_EQ(SerialExchange("12345"), "12345");
  EXPECT_EQ(SerialExchange("A12"), "A12");
  EXPECT_EQ(SerialExchange("599 12"), "599 12");
  EXPECT_EQ(SerialExchange(""), "");
  EXPECT_EQ(SerialExchange("  "), "");
}

}  // namespace
