// Log values in the host's form: frequencies to the hertz, bands and exchanges as the host writes
// them.
#include "host_form.h"

#include <gtest/gtest.h>

namespace {

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
