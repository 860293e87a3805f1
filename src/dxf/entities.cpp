#include "dxf/entities.h"

#include "dxf/angles.h"

#include <algorithm>
#include <cmath>

namespace veltrix::dxf {

namespace {

// Rotation converts degrees with this value of pi.
constexpr double kPi = 3.14159265358979;

double radians(double degrees) { return degrees * kPi / 180.0; }

// Takes 360 off an angle while it is above 360 (so 720 gives 360). Done with fmod, which is
// exact, so that a huge angle read from a file cannot keep a loop busy.
double reduceAbove360(double a) {
    if (!(a > 360) || !std::isfinite(a)) return a;
    const double rest = std::fmod(a, 360.0);
    return rest == 0 ? 360 : rest;
}

// Adds 360 to an angle while it is below 0.
double raiseBelow0(double a) {
    if (!(a < 0) || !std::isfinite(a)) return a;
    const double rest = std::fmod(a, 360.0);
    return rest < 0 ? rest + 360 : 0;
}

// Brings an angle into 0..360, both ends included.
double intoFullTurn(double a) { return raiseBelow0(reduceAbove360(a)); }

// True when the arc from a1 counter-clockwise to a2 passes angle t (all in degrees).
bool arcPasses(double a1, double a2, double t) {
    const double start = std::fmod(std::fmod(a1, 360.0) + 360.0, 360.0);
    double sweep = std::fmod(std::fmod(a2 - a1, 360.0) + 360.0, 360.0);
    const double offset = std::fmod(std::fmod(t - start, 360.0) + 360.0, 360.0);
    return offset <= sweep;
}

void include(BoundingBox& box, double x, double y) {
    box.minX = std::min(box.minX, x);
    box.maxX = std::max(box.maxX, x);
    box.minY = std::min(box.minY, y);
    box.maxY = std::max(box.maxY, y);
}

}  // namespace

EntityType typeOf(const Entity& e) {
    if (!(e.r > 0)) return EntityType::Line;  // also a radius that is not a number
    if (e.a1 == e.a2 || std::fabs(e.a1 - e.a2) == 360) return EntityType::Circle;
    return EntityType::Arc;
}

BoundingBox boundingBox(const EntityList& list) {
    BoundingBox box;
    for (const Entity& e : list) {
        switch (typeOf(e)) {
        case EntityType::Line:
            include(box, e.x1, e.y1);
            include(box, e.x2, e.y2);
            break;
        case EntityType::Circle:
            include(box, e.cx - e.r, e.cy - e.r);
            include(box, e.cx + e.r, e.cy + e.r);
            break;
        case EntityType::Arc:
            include(box, e.cx + e.r * detail::cosDegrees(e.a1), e.cy + e.r * detail::sinDegrees(e.a1));
            include(box, e.cx + e.r * detail::cosDegrees(e.a2), e.cy + e.r * detail::sinDegrees(e.a2));
            if (arcPasses(e.a1, e.a2, 0)) include(box, e.cx + e.r, e.cy);
            if (arcPasses(e.a1, e.a2, 90)) include(box, e.cx, e.cy + e.r);
            if (arcPasses(e.a1, e.a2, 180)) include(box, e.cx - e.r, e.cy);
            if (arcPasses(e.a1, e.a2, 270)) include(box, e.cx, e.cy - e.r);
            break;
        }
    }
    return box;
}

void move(EntityList& list, double dx, double dy) {
    for (Entity& e : list) {
        e.x1 += dx;
        e.x2 += dx;
        e.cx += dx;
        e.y1 += dy;
        e.y2 += dy;
        e.cy += dy;
    }
}

void moveToOrigin(EntityList& list) {
    if (list.empty()) return;
    const BoundingBox box = boundingBox(list);
    move(list, -box.minX, -box.minY);
}

void mirrorVertically(EntityList& list) {
    if (list.empty()) return;
    const double top = boundingBox(list).maxY;
    for (Entity& e : list) {
        e.y1 = top - e.y1;
        e.y2 = top - e.y2;
        e.cy = top - e.cy;
        if (typeOf(e) != EntityType::Line) {
            const double a1 = 360 - e.a2;
            const double a2 = 360 - e.a1;
            e.a1 = intoFullTurn(a1);
            e.a2 = intoFullTurn(a2);
        }
    }
}

void rotate(EntityList& list, double degrees) {
    if (list.empty()) return;
    const BoundingBox box = boundingBox(list);
    const double cx = (box.minX + box.maxX) / 2;
    const double cy = (box.minY + box.maxY) / 2;

    // Homogeneous matrix: move the centre to the origin, turn, move back.
    using Matrix = double[3][3];
    auto multiply = [](const Matrix& a, const Matrix& b, Matrix& out) {
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) {
                out[i][j] = 0;
                for (int k = 0; k < 3; ++k) out[i][j] += a[i][k] * b[k][j];
            }
    };
    const double c = std::cos(radians(degrees));
    const double s = std::sin(radians(degrees));
    const Matrix toOrigin{{1, 0, -cx}, {0, 1, -cy}, {0, 0, 1}};
    const Matrix turn{{c, -s, 0}, {s, c, 0}, {0, 0, 1}};
    const Matrix back{{1, 0, cx}, {0, 1, cy}, {0, 0, 1}};
    Matrix step, m;
    multiply(turn, toOrigin, step);
    multiply(back, step, m);

    auto apply = [&m](double& x, double& y) {
        const double nx = m[0][0] * x + m[0][1] * y + m[0][2];
        const double ny = m[1][0] * x + m[1][1] * y + m[1][2];
        x = nx;
        y = ny;
    };
    for (Entity& e : list) {
        apply(e.x1, e.y1);
        apply(e.x2, e.y2);
        apply(e.cx, e.cy);
        if (typeOf(e) != EntityType::Line) {
            e.a1 += degrees;
            e.a2 += degrees;
            e.a1 = reduceAbove360(e.a1);
            e.a2 = reduceAbove360(e.a2);
        }
    }
}

}  // namespace veltrix::dxf
