#pragma once
// The DXF export of the layout viewer: the current layout or all layouts, each to its own file
// FILE_k-N.dxf beside the name the user chose.

#include <filesystem>
#include <string>
#include <vector>

namespace veltrix::layouts {

class LayoutDrawing;

struct ExportResult {
    int count = 0;                         // files written
    std::vector<std::filesystem::path> files;
    std::vector<std::string> problems;     // outlines that could not be used
    // The report for the user: count + " Layout(s) exported as DXF file(s)!".
    std::string message() const;
};

// Exports layouts `first`..`last` (1-based) of the drawing's result to files named after `chosen` (see
// dxf::exportFileName); once all are written, the other files of an earlier export to the same name
// (base_k-N.dxf) are deleted, never the chosen name itself. Each file is the layout's geometry
// between the templates dxf.hd and dxf.ft of the working folder. Throws FileError when a template is
// missing or a file cannot be written: then no file was replaced and none deleted.
ExportResult exportLayouts(const LayoutDrawing& drawing, int first, int last, const std::filesystem::path& chosen);

}  // namespace veltrix::layouts
