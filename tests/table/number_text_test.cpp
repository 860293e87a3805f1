#include "table/number_text.h"

#include <gtest/gtest.h>

namespace veltrix {
namespace {

TEST(NumberText, LeadingNumberOfCellText) {
    EXPECT_FLOAT_EQ(leadingFloat("12"), 12.0f);
    EXPECT_FLOAT_EQ(leadingFloat("  .5"), 0.5f);
    EXPECT_FLOAT_EQ(leadingFloat("-2.5mm"), -2.5f);
    EXPECT_FLOAT_EQ(leadingFloat("1e3"), 1000.0f);
    EXPECT_FLOAT_EQ(leadingFloat("1e"), 1.0f);
    EXPECT_EQ(leadingFloat("abc"), 0.0f);
    EXPECT_EQ(leadingFloat(""), 0.0f);
    EXPECT_EQ(leadingFloat("."), 0.0f);
    EXPECT_EQ(leadingFloat("1e99"), 0.0f);
}

}  // namespace
}  // namespace veltrix
