#pragma once
// Sticker labels for the cut-pieces of a range of layouts: the label sheet definition LBl.def
// and the HTML page lbl.htm the user prints from a browser.

#include <string>
#include <string_view>

#include "engine/loaded_result.h"

namespace veltrix {
class Workspace;
}

namespace veltrix::layouts {

inline constexpr const char* kLabelDefinitionFile = "LBl.def";
inline constexpr const char* kLabelPageFile = "lbl.htm";

// LBl.def: one record of 13 values.
struct LabelSheet {
    int rows = 1;     // label rows per page
    int columns = 1;  // labels per row
    int rowHeight = 0;  // VP, pixels
    bool biggerFont = false;  // exactly "YES": text size 10, else 9
    bool showClient = false, showMaterial = false, showGrain = false, showThickness = false, showSize = false,
         showQuantity = false, showDescription = false, showProduct = false, showLogo = false;
};

// Parses the 13 values of LBl.def. Throws InputError with a message for the user when the text
// holds fewer than 13 values, or when ROWS or COLS is not a whole number from 1 to 32767 (no
// page can be laid out then).
LabelSheet parseLabelSheet(std::string_view text);
// Reads LBl.def of the working folder; a missing file is an InputError too.
LabelSheet readLabelSheet(const Workspace& workspace);

// The page for the labels of layouts from..to (1-based, both included, within the result): for
// each layout, for each of its sheets, one label per cut-piece item. Every text that comes from
// the job or a file is escaped for HTML. `reportOption` is the report option of misc.set ("Area
// With Edge Banding" gives the size with its bands). Label pictures are looked up in the working
// folder when their names are relative. Throws std::out_of_range for a range outside the result.
std::string labelPage(const engine::LoadedResult& result, const LabelSheet& sheet, int from, int to,
                      std::string_view reportOption, const Workspace& workspace);

// Text escaped for HTML: & < > " and ' replaced by their entities.
std::string escapeHtml(std::string_view text);

}  // namespace veltrix::layouts
