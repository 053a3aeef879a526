// The game's number format, text-to-number reading, numeric helpers and random numbers.
#include <gtest/gtest.h>

#include "platform/number_format.hpp"
#include "platform/random.hpp"

namespace kerna::platform {
namespace {

TEST(FormatNumber, MatchesTheGamesFormat) {
  EXPECT_EQ(FormatNumber(0.5), "0.5");
  EXPECT_EQ(FormatNumber(43), "43");
  EXPECT_EQ(FormatNumber(-7), "-7");
  EXPECT_EQ(FormatNumber(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(FormatNumber(1e16), "1.00000000000000e+016");
  EXPECT_EQ(FormatNumber(0.0001), "1.00000000000000e-004");
  EXPECT_EQ(FormatNumber(0), "0");
  EXPECT_EQ(FormatNumber(-0.0), "0");
  EXPECT_EQ(FormatNumber(-0.25), "-0.25");
  EXPECT_EQ(FormatNumber(12.5), "12.5");
}

TEST(FormatNumber, ExponentBoundaries) {
  EXPECT_EQ(FormatNumber(0.001), "0.001");  // exponent -3 stays fixed
  EXPECT_EQ(FormatNumber(1e15), "1000000000000000");
  EXPECT_EQ(FormatNumber(-2.5e-5), "-2.50000000000000e-005");
  // Rounding to 15 digits can carry into the next exponent.
  EXPECT_EQ(FormatNumber(9.9999999999999999e15), "1.00000000000000e+016");
  // Never more than 15 significant digits, even in the fixed form.
  EXPECT_EQ(FormatNumber(1234567890123456.0), "1234567890123460");
}

TEST(ParseNumber, ReadsThePrefixThatIsANumber) {
  EXPECT_EQ(ParseNumber(" 12abc"), 12);
  EXPECT_EQ(ParseNumber("&H1F"), 31);
  EXPECT_EQ(ParseNumber("&hff"), 255);
  EXPECT_EQ(ParseNumber("&O17"), 15);
  EXPECT_EQ(ParseNumber(""), 0);
  EXPECT_EQ(ParseNumber("-3.5x"), -3.5);
  EXPECT_EQ(ParseNumber("- 5"), 0);  // a blank after the sign: no number
  EXPECT_EQ(ParseNumber("\t +.5"), 0.5);
  EXPECT_EQ(ParseNumber("abc"), 0);
  EXPECT_EQ(ParseNumber("-"), 0);
  EXPECT_EQ(ParseNumber("43\r\n"), 43);
}

TEST(ParseNumber, ReadsBackWhatFormatNumberWrites) {
  for (double value : {0.5, -7.0, 1e16, 0.0001, 1.0 / 3, 123456.75}) {
    EXPECT_NEAR(ParseNumber(FormatNumber(value)), value, std::abs(value) * 1e-14) << value;
  }
}

TEST(NumericHelpers, IntegerPartRoundsDown) {
  EXPECT_EQ(IntegerPart(2.7), 2);
  EXPECT_EQ(IntegerPart(-2.5), -3);
  EXPECT_EQ(IntegerPart(-3), -3);
  EXPECT_EQ(Absolute(-4.5), 4.5);
  EXPECT_EQ(Sign(-0.1), -1);
  EXPECT_EQ(Sign(0), 0);
  EXPECT_EQ(Sign(9), 1);
}

TEST(Random, FollowsTheLinearCongruentialSequence) {
  Random random;
  random.Seed(12345);
  EXPECT_EQ(random.Draw(), 21468);
  EXPECT_EQ(random.Draw(), 9988);
  EXPECT_EQ(random.Draw(), 22117);
  EXPECT_EQ(random.Draw(), 3498);
  random.Seed(12345);
  EXPECT_DOUBLE_EQ(random.Next(), 0.22384);
  EXPECT_DOUBLE_EQ(random.Next(), 0.65266);
  EXPECT_DOUBLE_EQ(random.Next(), 0.93715);
  EXPECT_EQ(random.seed(), 1051550459u);  // wraps modulo 2^32
}

TEST(Random, StaysInItsRange) {
  Random random;
  random.Seed(0xFFFFFFFFu);
  for (int i = 0; i < 10000; ++i) {
    const double r = random.Next();
    ASSERT_GE(r, 0.0);
    ASSERT_LE(r, 0.99999);
  }
}

}  // namespace
}  // namespace kerna::platform
