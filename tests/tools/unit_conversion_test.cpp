#include "tools/unit_conversion.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "table/workspace.h"

namespace veltrix::tools {
namespace {

int unit(const char* name) { return unitIndex(name).value(); }

std::string convert(std::string_view input, const char* from, const char* to) {
    return conversionText(input, unit(from), unit(to)).value_or("<none>");
}

TEST(UnitConversion, UnitsAreListedInOrderAndOnlyThoseAreKnown) {
    EXPECT_EQ(unit("mm"), 0);
    EXPECT_EQ(unit("cm"), 1);
    EXPECT_EQ(unit("mt"), 2);
    EXPECT_EQ(unit("in"), 3);
    EXPECT_EQ(unit("ft"), 4);
    EXPECT_FALSE(unitIndex("m").has_value());
    EXPECT_FALSE(unitIndex("MM").has_value());
    EXPECT_FALSE(unitIndex("").has_value());
}

TEST(UnitConversion, LengthsBetweenUnitsShowFourDecimals) {
    EXPECT_EQ(convert("1", "in", "mm"), "25.4000");
    EXPECT_EQ(convert("1", "ft", "mt"), "0.3048");
    EXPECT_EQ(convert("1", "ft", "in"), "12.0000");
    EXPECT_EQ(convert("25.4", "mm", "in"), "1.0000");
    EXPECT_EQ(convert("2440", "mm", "mt"), "2.4400");
    EXPECT_EQ(convert("3.5", "cm", "mm"), "35.0000");
    EXPECT_EQ(convert("1", "mt", "ft"), "3.2808");  // 1000 / 304.8 = 3.28084
    EXPECT_EQ(convert("  7  ", "mm", "mm"), "7.0000");
    EXPECT_EQ(convert("-2", "cm", "mm"), "-20.0000");
}

TEST(UnitConversion, MixedFractionsReadAsWholePartPlusFraction) {
    EXPECT_EQ(convert("1 1/2", "in", "mm"), "38.1000");
    EXPECT_EQ(convert("3/4", "in", "in"), "0.7500");
    EXPECT_EQ(convert("2 3/8", "in", "in"), "2.3750");
    // The denominator is the text after the first "/".
    EXPECT_EQ(convert("1 1/2/3", "mm", "mm"), "1.5000");
    EXPECT_DOUBLE_EQ(inputValue("10 1/4").value(), 10.25);
}

TEST(UnitConversion, TextThatIsNoNumberShowsZero) {
    EXPECT_EQ(convert("abc", "in", "mm"), "0.0000");
    EXPECT_EQ(convert("", "ft", "mm"), "0.0000");
    EXPECT_EQ(convert("12abc", "mm", "cm"), "1.2000");
}

TEST(UnitConversion, UnreadableFractionsGiveNoResultSoThePreviousOneStays) {
    EXPECT_FALSE(conversionText("1/0", unit("in"), unit("mm")).has_value());
    EXPECT_FALSE(conversionText("1 1/", unit("in"), unit("mm")).has_value());
    EXPECT_FALSE(conversionText("1/2 3", unit("in"), unit("mm")).has_value());
    EXPECT_FALSE(conversionText("1e308", unit("ft"), unit("mm")).has_value());
}

TEST(UnitConversion, TheUnitPairIsKeptInUnitTlf) {
    veltrix::test::TempFolder dir;
    const Workspace ws(dir.path());
    EXPECT_EQ(readUnitPair(ws), (UnitPair{0, 0}));  // no file: both mm

    writeUnitPair(ws, UnitPair{unit("in"), unit("mm")});
    EXPECT_EQ(dir.read("unit.tlf"), "\"in\",\"mm\"\r\n");
    EXPECT_EQ(readUnitPair(ws), (UnitPair{unit("in"), unit("mm")}));

    writeUnitPair(ws, UnitPair{unit("ft"), unit("cm")});
    EXPECT_EQ(readUnitPair(ws), (UnitPair{unit("ft"), unit("cm")}));

    // A unit not in the list leaves "mm"; the other one is still taken.
    dir.write("unit.tlf", "\"yd\",\"mt\"\r\n");
    EXPECT_EQ(readUnitPair(ws), (UnitPair{0, unit("mt")}));
    dir.write("unit.tlf", "\x01\x02garbage");
    EXPECT_EQ(readUnitPair(ws), (UnitPair{0, 0}));
}

}  // namespace
}  // namespace veltrix::tools
