#include "base/number_text.h"

#include <gtest/gtest.h>

#include <vector>

namespace veltrix {
namespace {

TEST(LeadingNumber, TakesTheNumberAtTheStartOfACellAndZeroWithoutOne) {
    const std::vector<std::pair<const char*, float>> cases{
        {"12", 12},    {"  .5", .5f}, {"5.", 5},  {"-2.5mm", -2.5f}, {"+7", 7}, {"1e3", 1000}, {"2E-1x", .2f},
        {"1e", 1},     {"12 34", 12}, {"abc", 0}, {"", 0},           {".", 0},  {"-", 0},      {"x12", 0},
        {"1e99", 0},   {"0.1", .1f},  {"799.2", 799.2f}};  // out of a single's range: 0; straight to a single
    for (const auto& [text, value] : cases) EXPECT_EQ(leadingFloat(text), value) << text;
    EXPECT_EQ(leadingDouble("1e99"), 1e99);
    // Which texts leadingFloat reads as 0 only because their number is too large for a single.
    const std::string tiny = "0." + std::string(400, '0') + "1";
    const std::vector<std::pair<std::string, bool>> range{
        {"1e39", false}, {"-3.5e38x", false}, {"1e400", false}, {"123" + std::string(400, '9'), false},
        {"3e38", true},  {"3.4028235e38", true}, {"1e-50", true}, {"1e-400", true}, {tiny, true},
        {"abc", true},   {"", true}, {"0e999", true}, {"-12", true}};
    for (const auto& [text, fits] : range) EXPECT_EQ(leadingFloatInRange(text), fits) << text.substr(0, 20);
}

TEST(NumberTexts, TableGeneralFixedAndPrintForms) {
    const std::vector<std::pair<std::string, std::string>> cases{
        // Table numbers: shortest text that reads back, no leading zero, never "-0".
        {tableNumber(2440.0f), "2440"}, {tableNumber(1223.2f), "1223.2"}, {tableNumber(0.5f), ".5"},
        {tableNumber(-0.5f), "-.5"}, {tableNumber(-0.0f), "0"}, {tableNumber(1e-7f), ".0000001"},
        {tableNumber(3.0), "3"}, {tableNumber(-12LL), "-12"},
        // General text: 7 significant digits of a single, 15 of a double, ties to even on the
        // exact value, whole values in full.
        {generalText(602.5f), "602.5"}, {generalText(799.2f), "799.2"}, {generalText(-0.4f), "-0.4"},
        {generalText(1.0f / 3.0f), "0.3333333"}, {generalText(1234567.5f), "1234568"},
        {generalText(1234568.5f), "1234568"}, {generalText(0.000125f), "0.000125"},
        {generalText(123456789.0f), "123456792"}, {generalText(0.1 + 0.2), "0.3"},
        {generalText(1.0 / 3.0), "0.333333333333333"}, {generalText(12345.678901234567), "12345.6789012346"},
        // Fixed patterns round the exact value as printf does: 2.675 lies below, 0.125 is a tie.
        {fixedText(300.0, 2, true), "300.00"}, {fixedText(0.5, 2, false), ".50"}, {fixedText(-0.5, 2, false), "-.50"},
        {fixedText(0.830812, 6, false), ".830812"}, {fixedText(2.675, 2, true), "2.67"},
        {fixedText(0.125, 2, true), "0.12"}, {fixedText(0.375, 2, true), "0.38"},
        {fixedText(-0.001, 2, true), "0.00"}, {fixedText(-0.001, 2, false), ".00"},
        {printNumber(1.0f), " 1 "}, {printNumber(-0.4f), "-0.4 "}, {printNumber(2548.0), " 2548 "}};
    for (std::size_t i = 0; i < cases.size(); ++i) EXPECT_EQ(cases[i].first, cases[i].second) << "case " << i;
    for (float v : {0.3f, 1234.567f, 9999999.0f, 1e-5f, 602.5f}) EXPECT_EQ(leadingFloat(tableNumber(v)), v);
}

TEST(NumberRounding, DisplayRoundKeepsSevenCharactersAndHalvesGoToEven) {
    const std::vector<std::pair<float, float>> display{{1234.56789f, 1234.56f}, {602.5f, 602.5f},
                                                       {12.34567f, 12.346f},    {0.0004f, 0},
                                                       {12345678.0f, 1234567}, {-1234.5678f, -1234.5f}};
    for (const auto& [value, shown] : display) EXPECT_EQ(displayRound(value), shown) << value;
    EXPECT_EQ(roundHalfEven(2.5), 2.0);
    EXPECT_EQ(roundHalfEven(3.5), 4.0);
    EXPECT_EQ(roundHalfEven(-2.5), -2.0);
    EXPECT_EQ(roundHalfEven(2.4999), 2.0);
}

}  // namespace
}  // namespace veltrix
