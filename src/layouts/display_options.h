#pragma once
// The display options of the layout drawing, kept in dia.set in the working folder: 13 on/off
// lines (1 on, 0 off) and the pen width for printing, one integer a line.

#include <array>
#include <string>

namespace veltrix {
class Workspace;
}

namespace veltrix::layouts {

inline constexpr const char* kDisplayOptionsFile = "dia.set";

// The 13 check boxes, in file order.
enum class Show {
    BasicDetailsList,          // "Basic Details List"
    SheetDimensions,           // "Sheet Dimensions"
    MarginDimensions,          // "Margin Dimensions"
    OnlyFirstInBlock,          // "Only First In Block"
    PieceDimensions,           // "Cut-Piece Dimensions"
    PieceActualDimensions,     // "Cut-Piece Actual Dimensions"
    PieceDescription,          // "Cut-Piece Description"
    PrintPieceWithoutColor,    // "Print Cut-Piece Without Color"
    OffcutDimensions,          // "OffCut Dimensions"
    OffcutBoundaries,          // "OffCut Boundries"
    OffcutList,                // "OffCut List"
    CutLineDimensions,         // "Cut Line Dimensions"
    DxfOutline,                // "DXF Outline"
};
inline constexpr int kShowCount = 13;

struct DisplayOptions {
    std::array<bool, kShowCount> flags{};
    int printLineWidth = 0;  // "Line Width for Printing", 1 to 5; 0 when dia.set is missing

    bool operator[](Show s) const { return flags[static_cast<std::size_t>(s)]; }
    void set(Show s, bool on) { flags[static_cast<std::size_t>(s)] = on; }
    bool operator==(const DisplayOptions&) const = default;
};

// Reads dia.set. A missing file leaves every option off and the pen width 0; a short file keeps
// the values it has and the rest off; a line that is not a number counts as 0. The pen width is
// held within 0..5.
DisplayOptions readDisplayOptions(const Workspace& workspace);

// The 14 lines of dia.set (table-file numbers, CR LF).
std::string displayOptionsText(const DisplayOptions& options);
// Rewrites dia.set whole (atomically). Throws FileError when it cannot be written.
void writeDisplayOptions(const Workspace& workspace, const DisplayOptions& options);

}  // namespace veltrix::layouts
