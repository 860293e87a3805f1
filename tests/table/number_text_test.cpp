#include "table/number_text.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

TEST(LeadingNumber, TakesTheNumberAtTheStartOfACell) {
    EXPECT_EQ(leadingFloat("12"), 12.0f);
    EXPECT_EQ(leadingFloat("  .5"), 0.5f);
    EXPECT_EQ(leadingFloat("5."), 5.0f);
    EXPECT_EQ(leadingFloat("-2.5mm"), -2.5f);
    EXPECT_EQ(leadingFloat("+7"), 7.0f);
    EXPECT_EQ(leadingFloat("1e3"), 1000.0f);
    EXPECT_EQ(leadingFloat("2E-1x"), 0.2f);
    // An exponent without digits is not part of the number.
    EXPECT_EQ(leadingFloat("1e"), 1.0f);
    EXPECT_EQ(leadingFloat("12 34"), 12.0f);
}

TEST(LeadingNumber, IsZeroWhenTheTextHoldsNoNumber) {
    EXPECT_EQ(leadingFloat("abc"), 0.0f);
    EXPECT_EQ(leadingFloat(""), 0.0f);
    EXPECT_EQ(leadingFloat("."), 0.0f);
    EXPECT_EQ(leadingFloat("-"), 0.0f);
    EXPECT_EQ(leadingFloat("x12"), 0.0f);
    // Outside the range of a single: no infinity reaches the engine.
    EXPECT_EQ(leadingFloat("1e99"), 0.0f);
    EXPECT_EQ(leadingDouble("1e99"), 1e99);
}

TEST(LeadingNumber, ConvertsStraightToSinglePrecision) {
    // 0.1 as a single is not the double 0.1 rounded through a double first.
    EXPECT_EQ(leadingFloat("0.1"), 0.1f);
    EXPECT_EQ(leadingFloat("799.2"), 799.2f);
}

TEST(TableNumber, IsTheShortestTextThatReadsBack) {
    EXPECT_EQ(tableNumber(2440.0f), "2440");
    EXPECT_EQ(tableNumber(1223.2f), "1223.2");
    EXPECT_EQ(tableNumber(0.5f), ".5");
    EXPECT_EQ(tableNumber(-0.5f), "-.5");
    EXPECT_EQ(tableNumber(0.1f), ".1");
    EXPECT_EQ(tableNumber(-0.0f), "0");
    EXPECT_EQ(tableNumber(0.0f), "0");
    EXPECT_EQ(tableNumber(1e-7f), ".0000001");
    EXPECT_EQ(tableNumber(3.0), "3");
    EXPECT_EQ(tableNumber(-12LL), "-12");
    for (float v : {0.3f, 1234.567f, 9999999.0f, 1e-5f, 602.5f}) EXPECT_EQ(leadingFloat(tableNumber(v)), v);
}

TEST(GeneralText, ShowsSevenSignificantDigitsOfASingle) {
    EXPECT_EQ(generalText(1220.0f), "1220");
    EXPECT_EQ(generalText(602.5f), "602.5");
    EXPECT_EQ(generalText(799.2f), "799.2");  // the single 799.199951...
    EXPECT_EQ(generalText(0.5f), "0.5");
    EXPECT_EQ(generalText(-0.4f), "-0.4");
    EXPECT_EQ(generalText(0.1f), "0.1");
    EXPECT_EQ(generalText(1.0f / 3.0f), "0.3333333");
    // Ties go to even, on the exact value.
    EXPECT_EQ(generalText(1234567.5f), "1234568");
    EXPECT_EQ(generalText(1234568.5f), "1234568");
    EXPECT_EQ(generalText(0.000125f), "0.000125");
    // Whole values in full, however many digits.
    EXPECT_EQ(generalText(123456789.0f), "123456792");
    EXPECT_EQ(generalText(9999999.0f), "9999999");
}

TEST(GeneralText, ShowsFifteenSignificantDigitsOfADouble) {
    EXPECT_EQ(generalText(0.1 + 0.2), "0.3");
    EXPECT_EQ(generalText(1.0 / 3.0), "0.333333333333333");
    EXPECT_EQ(generalText(2976800.0), "2976800");
    EXPECT_EQ(generalText(12345.678901234567), "12345.6789012346");
    EXPECT_EQ(generalText(42LL), "42");
}

TEST(FixedText, RoundsTheExactValueAsPrintfDoes) {
    EXPECT_EQ(fixedText(300.0, 2, true), "300.00");
    EXPECT_EQ(fixedText(0.5, 2, false), ".50");
    EXPECT_EQ(fixedText(0.0, 2, false), ".00");
    EXPECT_EQ(fixedText(-0.5, 2, false), "-.50");
    EXPECT_EQ(fixedText(12.5, 2, false), "12.50");
    EXPECT_EQ(fixedText(0.830812, 6, false), ".830812");
    // 2.675 is stored a little below, 0.125 exactly: the tie goes to even.
    EXPECT_EQ(fixedText(2.675, 2, true), "2.67");
    EXPECT_EQ(fixedText(0.125, 2, true), "0.12");
    EXPECT_EQ(fixedText(0.375, 2, true), "0.38");
    // A value that rounds to zero has no sign.
    EXPECT_EQ(fixedText(-0.001, 2, true), "0.00");
    EXPECT_EQ(fixedText(-0.001, 2, false), ".00");
    EXPECT_EQ(fixedText(-1.5, 2, true), "-1.50");
}

TEST(PrintNumber, FramesTheGeneralTextWithBlanks) {
    EXPECT_EQ(printNumber(1.0f), " 1 ");
    EXPECT_EQ(printNumber(0.4f), " 0.4 ");
    EXPECT_EQ(printNumber(-0.4f), "-0.4 ");
    EXPECT_EQ(printNumber(2548.0), " 2548 ");
}

TEST(DisplayRound, KeepsSevenCharactersOfThreeDecimals) {
    EXPECT_EQ(displayRound(1234.56789f), 1234.56f);
    EXPECT_EQ(displayRound(602.5f), 602.5f);
    EXPECT_EQ(displayRound(12.34567f), 12.346f);
    EXPECT_EQ(displayRound(0.0004f), 0.0f);
    EXPECT_EQ(displayRound(12345678.0f), 1234567.0f);
    EXPECT_EQ(displayRound(-12.34567f), -12.346f);
    // The minus sign takes one of the seven characters.
    EXPECT_EQ(displayRound(-1234.5678f), -1234.5f);
}

TEST(RoundHalfEven, SendsHalvesToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(2.5), 2.0);
    EXPECT_EQ(roundHalfEven(3.5), 4.0);
    EXPECT_EQ(roundHalfEven(-2.5), -2.0);
    EXPECT_EQ(roundHalfEven(2.4999), 2.0);
    EXPECT_EQ(roundHalfEven(64.0), 64.0);
}

}  // namespace
}  // namespace veltrix
