#include "tools/unit_conversion.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "base/workspace.h"

namespace veltrix::tools {
namespace {

int unit(const char* name) { return unitIndex(name).value(); }

TEST(UnitConversion, LengthsAndMixedFractionsShowFourDecimalsUnreadableOnesNothing) {
    struct Case { const char* input; const char* from; const char* to; const char* result; };
    const std::vector<Case> cases{
        {"1", "in", "mm", "25.4000"},  {"1", "ft", "mt", "0.3048"},   {"1", "ft", "in", "12.0000"},
        {"25.4", "mm", "in", "1.0000"}, {"2440", "mm", "mt", "2.4400"}, {"3.5", "cm", "mm", "35.0000"},
        {"1", "mt", "ft", "3.2808"},    {"  7  ", "mm", "mm", "7.0000"}, {"-2", "cm", "mm", "-20.0000"},
        {"1 1/2", "in", "mm", "38.1000"}, {"3/4", "in", "in", "0.7500"}, {"2 3/8", "in", "in", "2.3750"},
        {"1 1/2/3", "mm", "mm", "1.5000"},  // the denominator is the text after the first "/"
        {"abc", "in", "mm", "0.0000"},  {"", "ft", "mm", "0.0000"},     {"12abc", "mm", "cm", "1.2000"},
        {"1/0", "in", "mm", ""},         {"1 1/", "in", "mm", ""},      {"1/2 3", "in", "mm", ""},
        {"1e308", "ft", "mm", ""}};      // not finite: the window keeps what it showed
    for (const Case& c : cases)
        EXPECT_EQ(conversionText(c.input, unit(c.from), unit(c.to)).value_or(""), c.result) << c.input << " " << c.from;
    const char* order[] = {"mm", "cm", "mt", "in", "ft"};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(unitIndex(order[i]), i);
    for (const char* other : {"m", "MM", ""}) EXPECT_FALSE(unitIndex(other).has_value()) << other;
}

TEST(UnitConversion, TheUnitPairIsKeptInUnitTlf) {
    veltrix::test::TempFolder dir;
    const Workspace ws(dir.path());
    EXPECT_EQ(readUnitPair(ws), (UnitPair{0, 0}));  // no file: both mm
    writeUnitPair(ws, UnitPair{unit("in"), unit("mm")});
    EXPECT_EQ(dir.read("unit.tlf"), "\"in\",\"mm\"\r\n");
    writeUnitPair(ws, UnitPair{unit("ft"), unit("cm")});
    EXPECT_EQ(readUnitPair(ws), (UnitPair{unit("ft"), unit("cm")}));
    dir.write("unit.tlf", "\"yd\",\"mt\"\r\n");  // a unit not in the list leaves "mm"
    EXPECT_EQ(readUnitPair(ws), (UnitPair{0, unit("mt")}));
    dir.write("unit.tlf", "\x01\x02garbage");
    EXPECT_EQ(readUnitPair(ws), (UnitPair{0, 0}));
}

}  // namespace
}  // namespace veltrix::tools
