#pragma once
// Editing a layout by hand in the Layouts window: what lies under a point of the picture, the row
// the Edit window works on (left-top corner, net size, orientation and the sheet's limits), the
// list of what can be added, and the plan with the edit applied.
//
//     const auto hit = itemAt(result, layout, x, y);
//     const EditTarget target = hit ? existingTarget(result, *hit) : newOffcutTarget();
//     EditRow row = editRowFor(result, layout, target);
//     ... the Edit window changes the row, or is cancelled ...
//     const Plan edited = editedPlan(result, layout, target, row);

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "engine/loaded_result.h"
#include "platform/surface.h"

namespace veltrix {
class GridTable;
}  // namespace veltrix

namespace veltrix::layouts {

inline constexpr const char* kAddTooltip = "ADD Off-Cut / Cut-Piece ";

// The columns of the Edit window's grid.
const std::vector<std::string>& editKeys();

// The cut-piece or off-cut item of layout n under the point (x, y) in job units, edges included:
// its index in result.items, the latest in the list when several hold the point. Nothing when
// no cut-piece or off-cut holds it (sheet, margins and through cuts are never hit).
std::optional<std::size_t> itemAt(const engine::LoadedResult& result, int layout, double x, double y);

// The picture's tooltip at (x, y): "EDIT Cut-Piece a x b" or "EDIT Off-Cut a x b" (a the net size
// along the sheet's length, b across it), or "ADD Off-Cut / Cut-Piece " when nothing is hit.
std::string pointTooltip(const engine::LoadedResult& result, int layout, double x, double y);

enum class EditMode { MoveCutPiece, ModifyOffcut, NewCutPiece, NewOffcut };

// The Edit window's caption in a mode, e.g. "Delete / Move Existing Cut-Piece".
std::string editCaption(EditMode mode);
// The caption of its third button: "Move", "Modify" or "Add".
std::string editActionCaption(EditMode mode);
// Cut-pieces keep their size: DIM-X and DIM-Y are shown for off-cuts only.
bool editShowsSizes(EditMode mode);
// The orientation ORN is shown for cut-pieces only.
bool editShowsOrientation(EditMode mode);
// Only existing items can be deleted.
bool editCanDelete(EditMode mode);

// What an edit changes.
struct EditTarget {
    EditMode mode = EditMode::NewOffcut;
    std::size_t item = 0;  // an existing item: its index in result.items
    int variety = 0;       // a new cut-piece: its cut-piece variety number
};

// The target for the item at `index` (a cut-piece or an off-cut item). Throws InputError for any
// other index.
EditTarget existingTarget(const engine::LoadedResult& result, std::size_t index);
EditTarget newCutPieceTarget(int variety);
EditTarget newOffcutTarget();

// The values of edit.tlf.
struct EditRow {
    float xs = 0;      // left-top corner
    float ys = 0;
    float dimX = 0;    // net size across the sheet (x)
    float dimY = 0;    // net size along the sheet's length (y)
    float orn = 0;     // placement code, 1 or 2
    float length = 0;  // the sheet variety's length and width: the limits of the edit
    float width = 0;
    bool operator==(const EditRow&) const = default;
};

// The row the Edit window opens with: an existing item's corner, net size and placement code; a
// new cut-piece at (0, 0) with its cutting length as DIM-X, its cutting width as DIM-Y and
// placement 1; a new off-cut all 0. The limits are those of layout n's sheet variety. Throws
// InputError when the target does not belong to the layout.
EditRow editRowFor(const engine::LoadedResult& result, int layout, const EditTarget& target);
// The row as one record of unquoted table-file numbers (the text the Edit window's grid loads).
std::string editRowText(const EditRow& row);

// Whether ORN 1 puts the larger of DIM-X and DIM-Y along the sheet's length: ORN 1 means the
// cut-piece's own length runs along the sheet's length, so for a piece whose length is shorter
// than its width ORN 1 puts the smaller size there. Off-cuts count as long.
bool lengthIsLonger(const engine::LoadedResult& result, const EditTarget& target);

// The Edit window's rules on its grid (row 1, columns of editKeys()):
// after opening and after every edit while ORN is shown, DIM-X and DIM-Y follow ORN (1: the
// piece's length along Y, 2: turned); other ORN values change nothing.
void orientSizes(GridTable& grid, bool lengthLonger);
// Before any button acts: empty cells among XS, YS, DIM-X, DIM-Y and ORN become "0", then ORN
// follows the shape (2 when turned, else 1; so a square ends with 1).
void completeRow(GridTable& grid, bool lengthLonger);
// "Delete": XS, YS, DIM-X, DIM-Y and ORN become "0".
void clearRow(GridTable& grid);
// The grid's row as numbers.
EditRow gridRow(const GridTable& grid);
// "Move", "Modify", "Add": the message refusing a corner or size outside the sheet ("Out of sheet
// width 1220", "Out of sheet length 2440"), or nothing. Sums are single precision; equality
// passes.
std::optional<std::string> outOfSheetMessage(const EditRow& row);

// The list the AddNew window offers: "Off-Cut", then one line per cut-piece variety: "Cut-Piece ", its cutting length
// at column 11, " X " at column 18, its cutting width at column 21, its description at column 29.
// A field that does not fit before its column follows after one blank, so line k is always
// variety k.
std::string addNewListText(const engine::LoadedResult& result);

// What the edited rectangle (its corner and net size plus the kerf, as the plan will hold it) would
// overlap in layout n, for the saw operator: each other cut-piece ("cut-piece 720 x 560 SIDE") and
// off-cut ("an off-cut 300 x 120") it shares an area with, then each trim margin it reaches into
// ("the top margin"). Edges that only touch overlap nothing; a deleted piece (a row of zeros)
// overlaps nothing. Empty when the edit leaves a cuttable layout.
std::vector<std::string> editOverlaps(const engine::LoadedResult& result, int layout, const EditTarget& target,
                                      const EditRow& row);
// "This overlaps a, b and c. Keep it anyway?"
std::string overlapQuestion(const std::vector<std::string>& overlaps);

// The plan with the edit applied:
// - every through cut of layout n becomes a consumed (-3) item: a layout changed by hand is no
//   longer cut along them;
// - the target item (a new one directly after the layout's last item) takes the row's corner,
//   size (plus the kerf) and placement code, and the layout number, sheet number and quantity of
//   the layout's sheet item; it is an off-cut when it is one, or a cut-piece deleted (all 0);
// - in coil mode the items are those the engine stored: the other layouts exactly so, the edited
//   layout as shown (cut back to the length it uses) but turned back when the completion turned
//   it, with its stored coil number, so that loading it again gives the same picture.
// Throws InputError when the target does not belong to layout n.
Plan editedPlan(const engine::LoadedResult& result, int layout, const EditTarget& target, const EditRow& row);

// Marks the item at `index` on a surface whose scale is that of the layout's drawing: its outline
// in light red with pen width 2, a light-red circle at its left-top corner, and "(XS,YS)" in bold
// white on a light-red box beside the corner.
void markItem(Surface& surface, const engine::LoadedResult& result, std::size_t index);

}  // namespace veltrix::layouts
