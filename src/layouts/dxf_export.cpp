#include "layouts/dxf_export.h"

#include "dxf/dxf_export.h"
#include "dxf/dxf_writer.h"
#include "layouts/layout_drawing.h"
#include "base/file_ops.h"

namespace veltrix::layouts {

std::string ExportResult::message() const { return std::to_string(count) + " Layout(s) exported as DXF file(s)!"; }

ExportResult exportLayouts(const LayoutDrawing& drawing, int first, int last, const std::filesystem::path& chosen) {
    ExportResult result;
    const std::filesystem::path base = dxf::exportBase(chosen);
    const dxf::DxfTemplates templates = dxf::readTemplates(drawing.workspace());
    // Every file is made in memory and written beside its place before any is renamed into it, so
    // a full disk or a failing write leaves the earlier export whole; only then does what remains
    // of the earlier export go.
    std::vector<std::pair<std::filesystem::path, std::string>> files;
    for (int k = first; k <= last; ++k) {
        const dxf::EntityList entities = drawing.entities(k, &result.problems);
        const std::filesystem::path file = dxf::exportFileName(base, k, drawing.result().layoutCount());
        files.emplace_back(file, dxf::dxfText(entities, templates.header, templates.footer));
        result.files.push_back(file);
    }
    writeFilesAtomic(files);
    result.count = static_cast<int>(files.size());
    dxf::deleteEarlierExports(base, result.files);
    return result;
}

}  // namespace veltrix::layouts
