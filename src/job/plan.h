#pragma once
// The cutting plan of a job (its layout result): layouts one after the other, each a sheet item
// followed by its four margins, off-cuts, through cuts and cut-pieces, and cut from a number of
// identical sheets. Stored as the layout items of dia.tlf and of a project's fifth section, one
// record of nine fields per item:
//
//     1,-1,1,0,0,1220,2440,2,0        layout 1, the sheet of sheet variety 1, cut from 2 sheets
//     1,3,1,10,10,414,614,2,1         a piece of cut-piece variety 3 on it, length along y
//
// Coordinates are in the job's unit from the sheet's top-left corner, x across the width and y
// along the length, and include the kerf.

#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

// What an item is. The stored kind of a cut-piece item is the number of its cut-piece variety
// (1, 2, ...): pieceKind(n) makes it, LayoutItem::piece() reads it back. The other kinds are the
// negative codes below.
enum class ItemKind : int {
    ThroughCut = -6,  // a cut across the whole sheet (x1 = x2 or y1 = y2)
    Blocked = -5,     // a free region nothing fitted in, only while a sheet is being filled
    Offcut = -4,      // a leftover rectangle (a free region while a sheet is being filled)
    Consumed = -3,    // absent: a used-up region, or a through cut undone by a hand edit
    Margin = -2,      // one of the four trim margins
    Sheet = -1,       // the whole sheet, the first item of its layout
};

// The kind of a cut-piece item of cut-piece variety `variety` (1-based).
constexpr ItemKind pieceKind(int variety) { return static_cast<ItemKind>(variety); }

// How a cut-piece lies on the sheet.
enum class Placement : int {
    None = 0,        // not a cut-piece
    Lengthwise = 1,  // its length along the sheet's length (y), as entered
    Turned = 2,      // its length across the sheet (x)
};

struct LayoutItem {
    int layout = 0;  // layout number 1, 2, ...
    ItemKind kind = ItemKind::Sheet;
    int sheet = 0;  // sheet variety number (1-based position in the prepared list)
    float x1 = 0;
    float y1 = 0;
    float x2 = 0;
    float y2 = 0;
    float quantity = 0;  // identical sheets cut with this layout, the same on all its items
    Placement placement = Placement::None;

    bool isPiece() const { return static_cast<int>(kind) >= 1; }
    // The cut-piece variety number of a cut-piece item; 0 for the other kinds.
    int piece() const { return isPiece() ? static_cast<int>(kind) : 0; }
    // The kind as stored: the variety number of a cut-piece, the negative code of the others.
    int kindCode() const { return static_cast<int>(kind); }
    bool operator==(const LayoutItem&) const = default;
};

// The plan as stored: every item in file order, consumed (-3) items included, so that it is
// written back exactly as it was read. An empty plan means the job was not optimized.
struct Plan {
    std::vector<LayoutItem> items;

    bool empty() const { return items.empty(); }
    // The layout number of the last item; 0 for an empty plan.
    int layoutCount() const { return items.empty() ? 0 : items.back().layout; }
    bool operator==(const Plan&) const = default;
};

// One dia.tlf line without its line end, e.g. "1,-6,1,0,600,2440,600,1,0".
std::string layoutItemRecord(const LayoutItem& item);

// Layout items, nine fields each, in file order; the fields run on across line ends, blank lines
// are passed over. A field that is not a number reads as 0; whole-number fields take the leading
// number rounded (halves to even), 0 when it is out of range. An empty text gives an empty plan.
Plan parsePlan(std::string_view text);
// The table-file text of the plan: one record per item, each followed by CR LF.
std::string planText(const Plan& plan);

}  // namespace veltrix
