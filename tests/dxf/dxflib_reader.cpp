#include "dxf/dxflib_reader.h"

#include <dxflib/dl_creationadapter.h>
#include <dxflib/dl_dxf.h>

namespace veltrix::test {

namespace {

class Collector : public DL_CreationAdapter {
public:
    explicit Collector(ReadBack& out) : out_(out) {}
    void addLine(const DL_LineData& d) override {
        out_.lines.push_back({d.x1, d.y1, d.x2, d.y2, getAttributes().getLayer()});
        note("LINE");
    }
    void addCircle(const DL_CircleData& d) override {
        out_.circles.push_back({d.cx, d.cy, d.radius, getAttributes().getLayer()});
        note("CIRCLE");
    }
    void addArc(const DL_ArcData& d) override {
        out_.arcs.push_back({d.cx, d.cy, d.radius, d.angle1, d.angle2, getAttributes().getLayer()});
        note("ARC");
    }

private:
    void note(const char* kind) {
        out_.order.emplace_back(kind);
        out_.handles.push_back(getAttributes().getHandle());
    }
    ReadBack& out_;
};

}  // namespace

ReadBack readWithDxflib(const std::filesystem::path& file) {
    ReadBack result;
    Collector collector(result);
    DL_Dxf dxf;
    result.opened = dxf.in(file.string(), &collector);
    return result;
}

}  // namespace veltrix::test
