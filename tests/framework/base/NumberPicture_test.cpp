#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "framework/base/NumberPicture.h"

namespace {

const TNumberSeparators kPointComma{".", ","};
const TNumberSeparators kCommaPoint{",", "."};
const TNumberSeparators kUngrouped{".", ""};

std::string Format(std::string_view picture, double value) { return FormatFloat(picture, value, kPointComma); }

TEST(NumberPicture, GroupsThousandsAndRoundsHalvesAwayFromZero) {
  EXPECT_EQ(Format(",0.00", 1234.125), "1,234.13");
  EXPECT_EQ(Format(",0.000", 1234.125), "1,234.125");
  EXPECT_EQ(Format("#,##0.00", 1234567.891), "1,234,567.89");
  EXPECT_EQ(Format(",0.00", 999.996), "1,000.00");  // the carry adds a digit and a group
  EXPECT_EQ(Format("0", -2.5), "-3");
  EXPECT_EQ(Format("0", 2.5), "3");
  EXPECT_EQ(Format("#", 0.5), "1");
  // Halves are judged on the digits the value is written with, not on the binary fraction
  // a little below them.
  EXPECT_EQ(Format("0.00", 2.675), "2.68");
  EXPECT_EQ(Format("0.00", 1.005), "1.01");
}

TEST(NumberPicture, ZeroAndHashPlaceholders) {
  EXPECT_EQ(Format("0.##", 1), "1");
  EXPECT_EQ(Format("0.##", 1.5), "1.5");
  EXPECT_EQ(Format("#.##", 0.5), ".5");
  EXPECT_EQ(Format("000", 7), "007");
  EXPECT_EQ(Format("#0#", 7), "07");  // every place after the first "0" shows
  EXPECT_EQ(Format("0.#0", 1.5), "1.50");
  EXPECT_EQ(Format("0", 123456), "123456");  // digits beyond the picture's are kept
}

TEST(NumberPicture, SectionsForPositiveNegativeAndZero) {
  EXPECT_EQ(Format("0.00;-0.00;'zero'", 0), "zero");
  EXPECT_EQ(Format("0.00;-0.00;'zero'", 0.001), "zero");  // zero once rounded
  EXPECT_EQ(Format("0.00;-0.00;'zero'", -0.001), "zero");
  EXPECT_EQ(Format("0;(0)", -5), "(5)");
  EXPECT_EQ(Format("0;;'nil'", -5), "-5");  // an empty section falls back to the first
  EXPECT_EQ(Format("0;(0)", 0), "0");
  EXPECT_EQ(Format("'a;b'0;x", 5), "a;b5");  // quoted text separates nothing
}

TEST(NumberPicture, QuotedAndOtherTextIsCopied) {
  EXPECT_EQ(Format("\"US$ \"0.00", 3), "US$ 3.00");
  EXPECT_EQ(Format("0.0' %'", 12.34), "12.3 %");
  EXPECT_EQ(Format("0 m", -4), "-4 m");
  EXPECT_EQ(Format("0 \xC2\xB5m", 4), "4 \xC2\xB5m");
}

TEST(NumberPicture, Exponents) {
  EXPECT_EQ(Format("0.00E+00", 12345), "1.23E+04");
  EXPECT_EQ(Format("0.00E+00", -12345), "-1.23E+04");
  EXPECT_EQ(Format("0.00e-00", 12345), "1.23e04");
  EXPECT_EQ(Format("0.0E-00", 0.000123), "1.2E-04");
  EXPECT_EQ(Format("00.0E+0", 12345), "12.3E+3");
  EXPECT_EQ(Format("0.00E+00", 9.999), "1.00E+01");  // rounding moves the exponent
  EXPECT_EQ(Format("0.00E+00", 0), "0.00E+00");
  EXPECT_EQ(Format("0.0E+000", 1e300), "1.0E+300");
}

TEST(NumberPicture, SeparatorsAreTheGivenOnes) {
  EXPECT_EQ(FormatFloat(",0.00", 1234.5, kCommaPoint), "1.234,50");
  EXPECT_EQ(FormatFloat(",0.00", 1234.125, kUngrouped), "1234.13");
  EXPECT_EQ(FormatFloat(",0.0", 1234567.5, {"\xC2\xB7", "\xE2\x80\xAF"}),
            "1\xE2\x80\xAF"
            "234\xE2\x80\xAF"
            "567\xC2\xB7"
            "5");
}

TEST(NumberPicture, NeverFails) {
  const double inf = std::numeric_limits<double>::infinity();
  EXPECT_EQ(Format(",0.00", inf), "INF");
  EXPECT_EQ(Format(",0.00", -inf), "-INF");
  EXPECT_EQ(Format(",0.00", std::nan("")), "NAN");
  EXPECT_EQ(Format("0.00", -0.0), "0.00");
  EXPECT_EQ(Format(",0", 1e20), "100,000,000,000,000,000,000");
  EXPECT_EQ(Format("0", std::numeric_limits<double>::max()).size(), 309u);
  EXPECT_EQ(Format("0.00", std::numeric_limits<double>::denorm_min()), "0.00");
  EXPECT_EQ(Format("'unterminated", 1), "unterminated");
  EXPECT_EQ(Format("E+", 5), "E+1");  // 0.5E+1 with no digit places
}

TEST(NumberPicture, AnEmptyPictureGivesTheGeneralFormat) {
  EXPECT_EQ(Format("", 1234.5), "1234.5");
  EXPECT_EQ(Format("", -0.25), "-0.25");
  EXPECT_EQ(Format("", 0), "0");
  EXPECT_EQ(Format("", 0.0001), "0.0001");
  EXPECT_EQ(Format("", 0.00001), "1E-5");
  EXPECT_EQ(Format("", 1e20), "1E20");
  EXPECT_EQ(Format("", 1.0 / 3), "0.333333333333333");
  EXPECT_EQ(FormatFloat("", 2.5, kCommaPoint), "2,5");
  EXPECT_EQ(Format(";0", 7), "7");
}

TEST(NumberLocale, CHasAPointAndNoGroups) {
  const auto c = LocaleNumberSeparators("C");
  ASSERT_TRUE(c.has_value());
  EXPECT_EQ(c->Decimal, ".");
  EXPECT_EQ(c->Thousands, "");
  EXPECT_EQ(FormatFloat(",0.00", 1234.125, *c), "1234.13");
  EXPECT_FALSE(LocaleNumberSeparators("xx_NOWHERE.UTF-8").has_value());
}

// tools/deps.sh installs both locales.
TEST(NumberLocale, InstalledLocalesGiveTheirSeparators) {
  const auto german = LocaleNumberSeparators("de_DE.UTF-8");
  ASSERT_TRUE(german.has_value()) << "de_DE.UTF-8 is not installed: run tools/deps.sh";
  EXPECT_EQ(FormatFloat(",0.00", 1234.5, *german), "1.234,50");
  const auto french = LocaleNumberSeparators("fr_FR.UTF-8");
  ASSERT_TRUE(french.has_value()) << "fr_FR.UTF-8 is not installed: run tools/deps.sh";
  EXPECT_EQ(french->Decimal, ",");
  EXPECT_FALSE(french->Thousands.empty());
  EXPECT_EQ(FormatFloat(",0.00", 1234.5, *french), "1" + french->Thousands + "234,50");
}

}  // namespace
