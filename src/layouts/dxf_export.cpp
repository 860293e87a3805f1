#include "layouts/dxf_export.h"

#include "dxf/dxf_export.h"
#include "dxf/dxf_writer.h"
#include "layouts/layout_drawing.h"

namespace veltrix::layouts {

std::string ExportResult::message() const { return std::to_string(count) + " Layout(s) exported as DXF file(s)!"; }

ExportResult exportLayouts(const LayoutDrawing& drawing, int first, int last, const std::filesystem::path& chosen) {
    ExportResult result;
    const std::filesystem::path base = dxf::exportBase(chosen);
    dxf::deleteEarlierExports(base);
    for (int k = first; k <= last; ++k) {
        const dxf::EntityList entities = drawing.entities(k, &result.problems);
        const std::filesystem::path file = dxf::exportFileName(base, k, drawing.result().layoutCount());
        dxf::writeDxf(entities, file, drawing.workspace());
        result.files.push_back(file);
        ++result.count;
    }
    return result;
}

}  // namespace veltrix::layouts
