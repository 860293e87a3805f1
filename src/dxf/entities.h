#pragma once
// The entity list of module mdlDXF: lines, circles and arcs in the layout's length unit, as the
// layout drawing records them, the DXF reader produces them and the DXF writer writes them.

#include <vector>

namespace veltrix::dxf {

// One record of the entity list. r of 0 or less makes it a line from (x1, y1) to (x2, y2);
// otherwise it is a circle or an arc about (cx, cy) from angle a1 counter-clockwise to a2
// (degrees). A point at angle t lies at (cx + r cos t, cy + r sin t) in the list's own axes.
struct Entity {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double cx = 0, cy = 0, r = 0;
    double a1 = 0, a2 = 0;

    static Entity line(double x1, double y1, double x2, double y2) { return {x1, y1, x2, y2, 0, 0, 0, 0, 0}; }
    static Entity circle(double cx, double cy, double r) { return {0, 0, 0, 0, cx, cy, r, 0, 0}; }
    static Entity arc(double cx, double cy, double r, double a1, double a2) { return {0, 0, 0, 0, cx, cy, r, a1, a2}; }
};

using EntityList = std::vector<Entity>;

enum class EntityType { Line, Circle, Arc };

// A line when r is 0 or less (or not a number); a circle when a1 equals a2 or they are exactly
// 360 apart; otherwise an arc.
EntityType typeOf(const Entity& e);

struct BoundingBox {
    double minX = 999999999, minY = 999999999;
    double maxX = -999999999, maxY = -999999999;
    double width() const { return maxX - minX; }
    double height() const { return maxY - minY; }
};

// Lines by both end points, circles by centre plus and minus r, arcs by both end points and by
// each axis point (0, 90, 180, 270 degrees) that the arc passes. An empty list keeps the box's
// starting values (minimum 999999999, maximum -999999999).
BoundingBox boundingBox(const EntityList& list);

// Adds (dx, dy) to every point: line ends and centres.
void move(EntityList& list, double dx, double dy);
// Moves the list so that the lower-left corner of its bounding box lies at (0, 0). An empty list
// stays as it is.
void moveToOrigin(EntityList& list);
// Mirrors the list inside its bounding box, top becoming bottom: every y becomes (box maximum y)
// minus y; circles and arcs take a1 = 360 - a2 and a2 = 360 - a1, each brought into 0..360.
void mirrorVertically(EntityList& list);
// Turns every point about the middle of the bounding box by `degrees` counter-clockwise; arc
// angles grow by the angle (reduced by 360 while above 360).
void rotate(EntityList& list, double degrees);

}  // namespace veltrix::dxf
