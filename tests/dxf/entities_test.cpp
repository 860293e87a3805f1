#include "dxf/entities.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace veltrix::dxf {
namespace {

constexpr double kEps = 1e-9;

TEST(EntityType, RadiusAndAnglesDecideTheKind) {
    EXPECT_EQ(typeOf(Entity::line(0, 0, 1, 1)), EntityType::Line);
    EXPECT_EQ(typeOf(Entity::arc(0, 0, -5, 0, 90)), EntityType::Line);
    EXPECT_EQ(typeOf(Entity::arc(0, 0, std::numeric_limits<double>::quiet_NaN(), 0, 90)), EntityType::Line);
    EXPECT_EQ(typeOf(Entity::circle(0, 0, 5)), EntityType::Circle);
    EXPECT_EQ(typeOf(Entity::arc(0, 0, 5, 0, 360)), EntityType::Circle);
    EXPECT_EQ(typeOf(Entity::arc(0, 0, 5, 370, 10)), EntityType::Circle);
    EXPECT_EQ(typeOf(Entity::arc(0, 0, 5, 0, 90)), EntityType::Arc);
}

TEST(BoundingBox, EmptyListKeepsTheStartingValues) {
    const BoundingBox box = boundingBox({});
    EXPECT_EQ(box.minX, 999999999);
    EXPECT_EQ(box.minY, 999999999);
    EXPECT_EQ(box.maxX, -999999999);
    EXPECT_EQ(box.maxY, -999999999);
}

TEST(BoundingBox, LinesAndCircles) {
    const BoundingBox box = boundingBox({Entity::line(10, 20, 110, 5), Entity::circle(100, 100, 30)});
    EXPECT_EQ(box.minX, 10);
    EXPECT_EQ(box.minY, 5);
    EXPECT_EQ(box.maxX, 130);
    EXPECT_EQ(box.maxY, 130);
}

TEST(BoundingBox, ArcAcrossZeroTakesTheAxisPointAtZero) {
    // From 350 to 10 degrees about the origin with radius 10: the ends lie at x = 10 cos 10°,
    // y = -/+ 10 sin 10°, and the arc passes the point (10, 0).
    const BoundingBox box = boundingBox({Entity::arc(0, 0, 10, 350, 10)});
    EXPECT_NEAR(box.minX, 9.84807753012208, kEps);
    EXPECT_NEAR(box.maxX, 10, kEps);
    EXPECT_NEAR(box.minY, -1.73648177666930, kEps);
    EXPECT_NEAR(box.maxY, 1.73648177666930, kEps);
}

TEST(BoundingBox, ThreeQuarterArcReachesThreeAxisPoints) {
    // From 90 to 0 counter-clockwise: passes 180 and 270 (and both ends are axis points).
    const BoundingBox box = boundingBox({Entity::arc(0, 0, 1, 90, 0)});
    EXPECT_NEAR(box.minX, -1, kEps);
    EXPECT_NEAR(box.maxX, 1, kEps);
    EXPECT_NEAR(box.minY, -1, kEps);
    EXPECT_NEAR(box.maxY, 1, kEps);
    // The quarter from 0 to 90 stays in the first quadrant.
    const BoundingBox quarter = boundingBox({Entity::arc(0, 0, 1, 0, 90)});
    EXPECT_NEAR(quarter.minX, 0, kEps);
    EXPECT_NEAR(quarter.minY, 0, kEps);
}

TEST(Move, ToOriginPutsTheLowerLeftCornerAtZero) {
    EntityList list{Entity::line(10, 20, 110, 70), Entity::circle(50, 50, 5)};
    moveToOrigin(list);
    EXPECT_EQ(list[0].x1, 0);
    EXPECT_EQ(list[0].y1, 0);
    EXPECT_EQ(list[0].x2, 100);
    EXPECT_EQ(list[0].y2, 50);
    EXPECT_EQ(list[1].cx, 40);
    EXPECT_EQ(list[1].cy, 30);
}

TEST(Mirror, TopBecomesBottomAndArcAnglesTurnAround) {
    // The quarter arc from 0 to 90 degrees becomes the one from 270 to 360.
    EntityList list{Entity::line(0, 0, 100, 0), Entity::line(0, 0, 0, 40), Entity::arc(50, 30, 10, 0, 90)};
    mirrorVertically(list);
    EXPECT_EQ(list[0].y1, 40);
    EXPECT_EQ(list[0].y2, 40);
    EXPECT_EQ(list[1].y1, 40);
    EXPECT_EQ(list[1].y2, 0);
    EXPECT_EQ(list[2].cy, 10);
    EXPECT_EQ(list[2].a1, 270);
    EXPECT_EQ(list[2].a2, 360);
}

TEST(Mirror, AnglesAreBroughtIntoOneTurn) {
    EntityList list{Entity::arc(0, 0, 1, -30, 400)};
    mirrorVertically(list);
    // 360 - 400 = -40 -> 320; 360 - (-30) = 390 -> 30.
    EXPECT_EQ(list[0].a1, 320);
    EXPECT_EQ(list[0].a2, 30);
    // A huge angle read from a file does not hang the reduction.
    EntityList huge{Entity::arc(0, 0, 1, 0, 1e300)};
    mirrorVertically(huge);
    EXPECT_GE(huge[0].a1, 0);
    EXPECT_LE(huge[0].a1, 360);
}

TEST(Rotate, QuarterTurnAboutTheMiddleOfTheBox) {
    // Box (0,0)-(100,50), middle (50,25). (x,y) -> (50 - (y - 25), 25 + (x - 50)).
    EntityList list{Entity::line(0, 0, 100, 0), Entity::line(0, 0, 0, 50), Entity::arc(50, 25, 10, 300, 350)};
    rotate(list, 90);
    EXPECT_NEAR(list[0].x1, 75, kEps);
    EXPECT_NEAR(list[0].y1, -25, kEps);
    EXPECT_NEAR(list[0].x2, 75, kEps);
    EXPECT_NEAR(list[0].y2, 75, kEps);
    EXPECT_NEAR(list[1].x2, 25, kEps);
    EXPECT_NEAR(list[1].y2, -25, kEps);
    EXPECT_NEAR(list[2].cx, 50, kEps);
    EXPECT_NEAR(list[2].cy, 25, kEps);
    EXPECT_DOUBLE_EQ(list[2].a1, 30);
    EXPECT_DOUBLE_EQ(list[2].a2, 80);
    // The box is now 50 wide and 100 high.
    const BoundingBox box = boundingBox(list);
    EXPECT_NEAR(box.width(), 50, kEps);
    EXPECT_NEAR(box.height(), 100, kEps);
}

}  // namespace
}  // namespace veltrix::dxf
