#pragma once
// Cosine and sine of angles in degrees, exact at multiples of 90 degrees, so that the ends of a
// quarter arc land exactly on the axes (cos 90° computed through radians is 6e-17, not 0).

#include <cmath>
#include <numbers>

namespace veltrix::dxf::detail {

inline double cosDegrees(double degrees) {
    const double turn = std::fmod(degrees, 360.0);
    if (turn == 0) return 1;
    if (turn == 90 || turn == -270) return 0;
    if (turn == 180 || turn == -180) return -1;
    if (turn == 270 || turn == -90) return 0;
    return std::cos(degrees * std::numbers::pi / 180);
}

inline double sinDegrees(double degrees) {
    const double turn = std::fmod(degrees, 360.0);
    if (turn == 0 || turn == 180 || turn == -180) return 0;
    if (turn == 90 || turn == -270) return 1;
    if (turn == 270 || turn == -90) return -1;
    return std::sin(degrees * std::numbers::pi / 180);
}

}  // namespace veltrix::dxf::detail
