#include "dxf/draw.h"

#include <cmath>

#include <gtest/gtest.h>

namespace veltrix::dxf {
namespace {

constexpr double kPi = 3.14159265358979;

double pointX(double cx, double r, double degrees) { return cx + r * std::cos(degrees * kPi / 180); }
double pointY(double cy, double r, double degrees) { return cy + r * std::sin(degrees * kPi / 180); }

TEST(DrawEntities, ArcAcrossZeroIsTwentyDegreesInTwoDegreeSteps) {
    RecordingSurface s(100, 100);
    draw({Entity::arc(0, 0, 100, 350, 10)}, s, colors::kLightRed);
    const auto lines = s.all<RecordingSurface::Line>();
    ASSERT_EQ(lines.size(), 10u);
    EXPECT_NEAR(lines.front().x1, pointX(0, 100, 350), 1e-9);
    EXPECT_NEAR(lines.front().y1, pointY(0, 100, 350), 1e-9);
    EXPECT_NEAR(lines.front().x2, pointX(0, 100, 352), 1e-9);
    EXPECT_NEAR(lines.back().x2, pointX(0, 100, 10), 1e-9);
    EXPECT_NEAR(lines.back().y2, pointY(0, 100, 10), 1e-9);
    for (const auto& l : lines) EXPECT_EQ(l.color, colors::kLightRed);
}

TEST(DrawEntities, EndAngle360CountsAsZero) {
    RecordingSurface s(100, 100);
    draw({Entity::arc(0, 0, 10, 270, 360)}, s, colors::kBlack);
    // 270 .. 360 is a quarter: 45 steps of 2 degrees.
    EXPECT_EQ(s.all<RecordingSurface::Line>().size(), 45u);
}

TEST(DrawEntities, CircleIsAWholeTurnBackToItsStart) {
    RecordingSurface s(100, 100);
    draw({Entity::circle(50, 50, 10)}, s, colors::kBlack);
    const auto lines = s.all<RecordingSurface::Line>();
    ASSERT_EQ(lines.size(), 180u);
    EXPECT_NEAR(lines.front().x1, 60, 1e-9);
    EXPECT_NEAR(lines.back().x2, 60, 1e-9);
    EXPECT_NEAR(lines.back().y2, 50, 1e-9);
}

TEST(DrawEntities, SmallSweepsUseAQuarterOfTheSweep) {
    RecordingSurface s(100, 100);
    draw({Entity::arc(0, 0, 10, 10, 14)}, s, colors::kBlack);  // step 1 degree
    EXPECT_EQ(s.all<RecordingSurface::Line>().size(), 4u);
    RecordingSurface tiny(100, 100);
    draw({Entity::arc(0, 0, 10, 10, 10.02)}, tiny, colors::kBlack);  // step at least 0.01
    EXPECT_EQ(tiny.all<RecordingSurface::Line>().size(), 2u);
}

TEST(DrawEntities, RangeOfIndexesAndLinesAsTheyAre) {
    RecordingSurface s(100, 100);
    const EntityList list{Entity::line(0, 0, 1, 1), Entity::line(2, 2, 3, 3), Entity::line(4, 4, 5, 5)};
    draw(list, 1, 99, s, colors::kBlack);
    const auto lines = s.all<RecordingSurface::Line>();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].x1, 2);
    EXPECT_EQ(lines[1].y2, 5);
}

}  // namespace
}  // namespace veltrix::dxf
