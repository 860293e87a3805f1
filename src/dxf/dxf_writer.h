#pragma once
// Writing an entity list as an AutoCAD R12 DXF file framed by the templates dxf.hd and dxf.ft of
// the working folder.

#include <filesystem>
#include <string>

#include "dxf/entities.h"

namespace veltrix {
class Workspace;
}

namespace veltrix::dxf {

inline constexpr const char* kHeaderTemplate = "dxf.hd";
inline constexpr const char* kFooterTemplate = "dxf.ft";

// The entity lines of the file: the list is moved to (0, 0), mirrored (DXF's Y points up) and
// moved to (0, 0) again, then written in list order, every entity on layer "0" with a handle
// counting from 50. An arc's handle is followed by the two characters "26" (handle 57 is written
// 5726). Lines end with CR LF. An empty list gives empty text.
std::string entitiesText(EntityList list);

// The whole file: `header` verbatim (a line end added when its last line has none), the entity
// lines, `footer` verbatim and one line end.
std::string dxfText(const EntityList& list, const std::string& header, const std::string& footer);

// The templates dxf.hd and dxf.ft of the working folder. Throws FileError when one cannot be read.
struct DxfTemplates {
    std::string header, footer;
};
DxfTemplates readTemplates(const Workspace& workspace);

// Writes `output` (replacing it, atomically) with the templates of the working folder around the
// entities. Throws FileError when a template cannot be read or the file cannot be written; the
// old file is then left as it was.
void writeDxf(const EntityList& list, const std::filesystem::path& output, const Workspace& workspace);

}  // namespace veltrix::dxf
