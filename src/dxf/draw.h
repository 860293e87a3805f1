#pragma once
// Drawing an entity list on a drawing surface, in the surface's own coordinates.

#include <cstddef>

#include "dxf/entities.h"
#include "platform/surface.h"

namespace veltrix::dxf {

// Draws entities first..last (0-based, both included; clipped to the list) in `color`. Lines
// are drawn as they are; circles and arcs as chains of short lines, from a1 counter-clockwise to
// a2 (a whole turn for a circle), in steps of a quarter of the sweep, at most 2 degrees and at
// least 0.01 degree.
void draw(const EntityList& list, std::size_t first, std::size_t last, Surface& surface, Rgb color);

// Draws the whole list.
inline void draw(const EntityList& list, Surface& surface, Rgb color) {
    if (!list.empty()) draw(list, 0, list.size() - 1, surface, color);
}

}  // namespace veltrix::dxf
