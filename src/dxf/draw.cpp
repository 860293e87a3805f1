#include "dxf/draw.h"

#include "dxf/angles.h"

#include <algorithm>
#include <cmath>

namespace veltrix::dxf {

namespace {

void drawArc(const Entity& e, Surface& surface, Rgb color) {
    double start = e.a1;
    double end = e.a2;
    double sweep;
    if (typeOf(e) == EntityType::Circle) {
        sweep = 360;
    } else {
        if (end == 360) end = 0;
        if (end < start) end += 360 * std::ceil((start - end) / 360);
        // More than a whole turn draws the same as one turn.
        sweep = std::min(end - start, 360.0);
    }
    if (!(sweep > 0) || !std::isfinite(sweep) || !std::isfinite(start)) return;
    const double step = std::clamp(sweep / 4, 0.01, 2.0);
    const auto steps = static_cast<long long>(std::ceil(sweep / step - 1e-9));
    auto point = [&](double degrees, double& x, double& y) {
        x = e.cx + e.r * detail::cosDegrees(degrees);
        y = e.cy + e.r * detail::sinDegrees(degrees);
    };
    double x0, y0;
    point(start, x0, y0);
    for (long long i = 1; i <= steps; ++i) {
        double x1, y1;
        point(i == steps ? start + sweep : start + static_cast<double>(i) * step, x1, y1);
        surface.line(x0, y0, x1, y1, color);
        x0 = x1;
        y0 = y1;
    }
}

}  // namespace

void draw(const EntityList& list, std::size_t first, std::size_t last, Surface& surface, Rgb color) {
    if (list.empty()) return;
    last = std::min(last, list.size() - 1);
    for (std::size_t i = first; i <= last; ++i) {
        const Entity& e = list[i];
        if (typeOf(e) == EntityType::Line) surface.line(e.x1, e.y1, e.x2, e.y2, color);
        else drawArc(e, surface, color);
    }
}

}  // namespace veltrix::dxf
