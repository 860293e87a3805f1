#pragma once
// Reads a DXF file with Debian's dxflib, an independent reader, and keeps the entities it found.

#include <filesystem>
#include <string>
#include <vector>

namespace veltrix::test {

struct ReadBack {
    struct Line { double x1, y1, x2, y2; std::string layer; };
    struct Circle { double cx, cy, r; std::string layer; };
    struct Arc { double cx, cy, r, a1, a2; std::string layer; };
    std::vector<Line> lines;
    std::vector<Circle> circles;
    std::vector<Arc> arcs;
    std::vector<std::string> order;  // "LINE", "CIRCLE", "ARC" in file order
    std::vector<int> handles;        // as dxflib read them (hexadecimal)
    bool opened = false;
};

ReadBack readWithDxflib(const std::filesystem::path& file);

}  // namespace veltrix::test
