#include "dxf/dxf_writer.h"

#include "base/file_ops.h"
#include "base/number_text.h"
#include "base/workspace.h"

namespace veltrix::dxf {

namespace {

class GroupWriter {
public:
    void group(const char* code, const std::string& value) {
        out_ += code;
        out_ += "\r\n";
        out_ += value;
        out_ += "\r\n";
    }
    void group(const char* code, double value) { group(code, generalText(value)); }
    std::string& str() { return out_; }

private:
    std::string out_;
};

}  // namespace

std::string entitiesText(EntityList list) {
    moveToOrigin(list);
    mirrorVertically(list);
    moveToOrigin(list);

    GroupWriter w;
    long long handle = 50;
    for (const Entity& e : list) {
        switch (typeOf(e)) {
        case EntityType::Line:
            w.group(" 0", "LINE");
            w.group(" 5", std::to_string(handle));
            w.group(" 8", "0");
            w.group(" 10", e.x1);
            w.group(" 20", e.y1);
            w.group(" 11", e.x2);
            w.group(" 21", e.y2);
            break;
        case EntityType::Circle:
            w.group(" 0", "CIRCLE");
            w.group(" 5", std::to_string(handle));
            w.group(" 8", "0");
            w.group(" 10", e.cx);
            w.group(" 20", e.cy);
            w.group(" 40", e.r);
            break;
        case EntityType::Arc:
            w.group(" 0", "ARC");
            w.group(" 5", std::to_string(handle) + "26");
            w.group(" 8", "0");
            w.group(" 10", e.cx);
            w.group(" 20", e.cy);
            w.group(" 40", e.r);
            w.group(" 50", e.a1);
            w.group(" 51", e.a2);
            break;
        }
        ++handle;
    }
    return std::move(w.str());
}

std::string dxfText(const EntityList& list, const std::string& header, const std::string& footer) {
    // A header template whose last line has no line end would glue the first group code to it.
    const bool headerOpen = !header.empty() && header.back() != '\n';
    return header + (headerOpen ? "\r\n" : "") + entitiesText(list) + footer + "\r\n";
}

DxfTemplates readTemplates(const Workspace& workspace) {
    return {readExistingFile(workspace.file(kHeaderTemplate)), readExistingFile(workspace.file(kFooterTemplate))};
}

void writeDxf(const EntityList& list, const std::filesystem::path& output, const Workspace& workspace) {
    const DxfTemplates templates = readTemplates(workspace);
    writeFileAtomic(output, dxfText(list, templates.header, templates.footer));
}

}  // namespace veltrix::dxf
