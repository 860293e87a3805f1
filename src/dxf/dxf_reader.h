#pragma once
// Reading DXF outlines of shaped cut-pieces (the DXFFILE column) into an entity list.

#include <filesystem>
#include <string_view>

#include "dxf/entities.h"

namespace veltrix::dxf {

// Reads the outline in a DXF file (the text form, group codes on lines of their own written as
// a blank and the code, " 10", values on the next line). Only entities after the last "ENDBLK"
// line are taken, so block definitions are skipped. LINE, ARC, CIRCLE and POLYLINE (a chain of
// lines from VERTEX to VERTEX, closed back to the first vertex when its flags in group 70 say so)
// are kept; everything else is passed over. Lines of zero length and negative radii are dropped;
// the list is then mirrored so that Y points down, and moved so that its bounding box starts at
// (0, 0).
//
// Throws FileError when the file cannot be read, and InputError (naming the file and the line)
// when a value the reader needs is missing before the end of the file: such an outline is
// unusable, and nothing of it is returned.
EntityList readOutline(const std::filesystem::path& file);

// The same for DXF text already in memory; `name` names it in messages.
EntityList parseOutline(std::string_view text, std::string_view name);

}  // namespace veltrix::dxf
