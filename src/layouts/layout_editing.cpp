#include "layouts/layout_editing.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "job/job_tables.h"
#include "base/error.h"
#include "base/file_ops.h"
#include "table/grid_table.h"
#include "base/number_text.h"
#include "base/table_file.h"
#include "base/workspace.h"

namespace veltrix::layouts {

using engine::LoadedResult;

namespace {

bool editable(const LayoutItem& item) { return item.isPiece() || item.kind == ItemKind::Offcut; }

void checkLayout(const LoadedResult& result, int layout) {
    if (layout < 1 || layout > result.layoutCount())
        throw InputError("There is no layout " + std::to_string(layout) + " to edit.");
}

// The existing item of the target, checked to be a cut-piece or off-cut of layout n.
const LayoutItem& targetItem(const LoadedResult& result, int layout, const EditTarget& target) {
    checkLayout(result, layout);
    if (target.item < result.layoutBegin(layout) || target.item >= result.layoutEnd(layout) ||
        !editable(result.items[target.item]))
        throw InputError("The item to edit is not a cut-piece or off-cut of layout " + std::to_string(layout) + ".");
    return result.items[target.item];
}

bool isExisting(EditMode mode) { return mode == EditMode::MoveCutPiece || mode == EditMode::ModifyOffcut; }

const engine::CutVariety& newVariety(const LoadedResult& result, const EditTarget& target) {
    if (target.variety < 1 || static_cast<std::size_t>(target.variety) > result.job.cuts.size())
        throw InputError("There is no cut-piece " + std::to_string(target.variety) + " to add.");
    return result.job.cuts[static_cast<std::size_t>(target.variety - 1)];
}

int roundedCode(float value) {
    const double r = roundHalfEven(static_cast<double>(value));
    if (!(r >= std::numeric_limits<int>::min() && r <= std::numeric_limits<int>::max())) return 0;
    return static_cast<int>(r);
}

struct Columns {
    int xs, ys, dimX, dimY, orn, length, width;
};

Columns columnsOf(const GridTable& grid) {
    return Columns{grid.columnOf("XS"),  grid.columnOf("YS"),     grid.columnOf("DIM-X"), grid.columnOf("DIM-Y"),
                   grid.columnOf("ORN"), grid.columnOf("LENGTH"), grid.columnOf("WIDTH")};
}

float cellValue(const GridTable& grid, int column) { return column > 0 ? leadingFloat(grid.cell(1, column)) : 0.0f; }

}  // namespace

const std::vector<std::string>& editKeys() {
    static const std::vector<std::string> keys = {"XS", "YS", "DIM-X", "DIM-Y", "ORN", "LENGTH", "WIDTH"};
    return keys;
}

std::optional<std::size_t> itemAt(const LoadedResult& result, int layout, double x, double y) {
    if (layout < 1 || layout > result.layoutCount()) return std::nullopt;
    std::optional<std::size_t> hit;
    for (std::size_t i = result.layoutBegin(layout); i < result.layoutEnd(layout); ++i) {
        const LayoutItem& item = result.items[i];
        if (!editable(item)) continue;
        if (item.x1 <= x && x <= item.x2 && item.y1 <= y && y <= item.y2) hit = i;
    }
    return hit;
}

std::string pointTooltip(const LoadedResult& result, int layout, double x, double y) {
    const auto hit = itemAt(result, layout, x, y);
    if (!hit) return kAddTooltip;
    const LayoutItem& item = result.items[*hit];
    const float kerf = result.job.basic.kerf;
    const float along = item.y2 - item.y1 - kerf;
    const float across = item.x2 - item.x1 - kerf;
    return std::string(item.isPiece() ? "EDIT Cut-Piece " : "EDIT Off-Cut ") + generalText(along) + " x " +
           generalText(across);
}

std::string editCaption(EditMode mode) {
    switch (mode) {
        case EditMode::MoveCutPiece: return "Delete / Move Existing Cut-Piece";
        case EditMode::ModifyOffcut: return "Delete / Modify Existing Off-Cut";
        case EditMode::NewCutPiece: return "Define Position & Orientation of New Cut-Piece";
        case EditMode::NewOffcut: break;
    }
    return "Define Position & Size of New Off-Cut";
}

std::string editActionCaption(EditMode mode) {
    switch (mode) {
        case EditMode::MoveCutPiece: return "Move";
        case EditMode::ModifyOffcut: return "Modify";
        case EditMode::NewCutPiece:
        case EditMode::NewOffcut: break;
    }
    return "Add";
}

bool editShowsSizes(EditMode mode) { return mode == EditMode::ModifyOffcut || mode == EditMode::NewOffcut; }
bool editShowsOrientation(EditMode mode) { return !editShowsSizes(mode); }
bool editCanDelete(EditMode mode) { return isExisting(mode); }

EditTarget existingTarget(const LoadedResult& result, std::size_t index) {
    if (index >= result.items.size() || !editable(result.items[index]))
        throw InputError("Only cut-pieces and off-cuts can be edited.");
    EditTarget target;
    target.mode = result.items[index].isPiece() ? EditMode::MoveCutPiece : EditMode::ModifyOffcut;
    target.item = index;
    return target;
}

EditTarget newCutPieceTarget(int variety) {
    EditTarget target;
    target.mode = EditMode::NewCutPiece;
    target.variety = variety;
    return target;
}

EditTarget newOffcutTarget() { return EditTarget{}; }

EditRow editRowFor(const LoadedResult& result, int layout, const EditTarget& target) {
    checkLayout(result, layout);
    const engine::SheetVariety& sheet = result.sheetOf(result.items[result.layoutBegin(layout)]);
    EditRow row;
    row.length = sheet.length;
    row.width = sheet.width;
    switch (target.mode) {
        case EditMode::MoveCutPiece:
        case EditMode::ModifyOffcut: {
            const LayoutItem& item = targetItem(result, layout, target);
            const float kerf = result.job.basic.kerf;
            row.xs = item.x1;
            row.ys = item.y1;
            row.dimX = item.x2 - item.x1 - kerf;
            row.dimY = item.y2 - item.y1 - kerf;
            row.orn = static_cast<float>(item.placement);
            break;
        }
        case EditMode::NewCutPiece: {
            const engine::CutVariety& cut = newVariety(result, target);
            row.dimX = cut.length;
            row.dimY = cut.width;
            // Both grain flags are 0 or 1, so the rotation rule always starts a new piece with 1.
            row.orn = 1;
            break;
        }
        case EditMode::NewOffcut: break;
    }
    return row;
}

std::string editRowText(const EditRow& row) {
    RecordWriter w;
    w.number(row.xs).number(row.ys).number(row.dimX).number(row.dimY);
    w.number(roundedCode(row.orn));
    w.number(row.length).number(row.width);
    return w.line();
}

bool lengthIsLonger(const LoadedResult& result, const EditTarget& target) {
    const engine::CutVariety* cut = nullptr;
    if (target.mode == EditMode::NewCutPiece) {
        cut = &newVariety(result, target);
    } else if (target.mode == EditMode::MoveCutPiece && target.item < result.items.size() &&
               result.items[target.item].isPiece()) {
        cut = &result.cutOf(result.items[target.item]);
    }
    return !cut || !(cut->length < cut->width);
}

void orientSizes(GridTable& grid, bool lengthLonger) {
    const Columns c = columnsOf(grid);
    if (c.dimX == 0 || c.dimY == 0 || c.orn == 0) return;
    const float orn = cellValue(grid, c.orn);
    if (orn != 1 && orn != 2) return;
    const float x = cellValue(grid, c.dimX);
    const float y = cellValue(grid, c.dimY);
    // ORN 1 puts the piece's length along Y: the larger size for a long piece.
    const bool largerAlongY = (orn == 1) == lengthLonger;
    const bool ordered = largerAlongY ? !(x > y) : !(y > x);
    if (ordered) return;
    // The two texts change places, so a size keeps exactly the digits it was given.
    std::string xText = grid.cell(1, c.dimX);
    grid.setCell(1, c.dimX, grid.cell(1, c.dimY));
    grid.setCell(1, c.dimY, std::move(xText));
}

void completeRow(GridTable& grid, bool lengthLonger) {
    const Columns c = columnsOf(grid);
    for (int column : {c.xs, c.ys, c.dimX, c.dimY, c.orn})
        if (column > 0 && trimBlanks(grid.cell(1, column)).empty()) grid.setCell(1, column, "0");
    if (c.orn == 0) return;
    const float x = cellValue(grid, c.dimX);
    const float y = cellValue(grid, c.dimY);
    const bool turned = lengthLonger ? x > y : x < y;
    grid.setCell(1, c.orn, turned ? "2" : "1");
}

void clearRow(GridTable& grid) {
    const Columns c = columnsOf(grid);
    for (int column : {c.xs, c.ys, c.dimX, c.dimY, c.orn})
        if (column > 0) grid.setCell(1, column, "0");
}

EditRow gridRow(const GridTable& grid) {
    const Columns c = columnsOf(grid);
    EditRow row;
    row.xs = cellValue(grid, c.xs);
    row.ys = cellValue(grid, c.ys);
    row.dimX = cellValue(grid, c.dimX);
    row.dimY = cellValue(grid, c.dimY);
    row.orn = cellValue(grid, c.orn);
    row.length = cellValue(grid, c.length);
    row.width = cellValue(grid, c.width);
    return row;
}

std::optional<std::string> outOfSheetMessage(const EditRow& row) {
    const float right = row.xs + row.dimX;
    const float bottom = row.ys + row.dimY;
    if (right > row.width || row.xs < 0 || row.dimX < 0) return "Out of sheet width " + generalText(row.width);
    if (bottom > row.length || row.ys < 0 || row.dimY < 0) return "Out of sheet length " + generalText(row.length);
    return std::nullopt;
}

std::string addNewListText(const LoadedResult& result) {
    std::vector<std::string> lines{"Off-Cut"};
    for (const engine::CutVariety& cut : result.job.cuts) {
        std::string line = "Cut-Piece ";
        auto place = [&line](std::size_t column, std::string_view text) {
            if (line.size() < column - 1) line.append(column - 1 - line.size(), ' ');
            else if (line.size() > column - 1) line += ' ';
            line += text;
        };
        place(11, generalText(cut.length));
        place(18, " X ");
        place(21, generalText(cut.width));
        place(29, cut.description);
        lines.push_back(std::move(line));
    }
    return joinLines(lines);
}

namespace {

// Rectangles closer than this share no area: sizes are single precision and edges that touch are
// the usual case.
constexpr float kTouch = 1e-3f;

bool sharesArea(const LayoutItem& a, float x1, float y1, float x2, float y2) {
    return std::max(a.x1, x1) < std::min(a.x2, x2) - kTouch && std::max(a.y1, y1) < std::min(a.y2, y2) - kTouch;
}

// The margins in the order the layout stores them: left, top, right, bottom.
constexpr const char* kMarginNames[] = {"the left margin", "the top margin", "the right margin", "the bottom margin"};

}  // namespace

std::vector<std::string> editOverlaps(const LoadedResult& result, int layout, const EditTarget& target,
                                      const EditRow& row) {
    checkLayout(result, layout);
    std::vector<std::string> overlaps;
    if (row.xs == 0 && row.ys == 0 && row.dimX == 0 && row.dimY == 0) return overlaps;
    const float kerf = result.job.basic.kerf;
    const float x1 = row.xs, y1 = row.ys, x2 = row.xs + row.dimX + kerf, y2 = row.ys + row.dimY + kerf;
    std::vector<std::string> margins;
    for (std::size_t i = result.layoutBegin(layout); i < result.layoutEnd(layout); ++i) {
        if (isExisting(target.mode) && i == target.item) continue;
        const LayoutItem& item = result.items[i];
        if (!sharesArea(item, x1, y1, x2, y2)) continue;
        const std::string size = generalText(item.y2 - item.y1 - kerf) + " x " + generalText(item.x2 - item.x1 - kerf);
        if (item.isPiece()) {
            const std::string& name = result.cutOf(item).description;
            overlaps.push_back("cut-piece " + size + (trimBlanks(name).empty() ? "" : " " + trimBlanks(name)));
        } else if (item.kind == ItemKind::Offcut) {
            overlaps.push_back("an off-cut " + size);
        } else if (item.kind == ItemKind::Margin) {
            const std::size_t m = i - result.layoutBegin(layout) - 1;
            if (m < 4) margins.push_back(kMarginNames[m]);
        }
    }
    overlaps.insert(overlaps.end(), margins.begin(), margins.end());
    return overlaps;
}

std::string overlapQuestion(const std::vector<std::string>& overlaps) {
    std::string list;
    for (std::size_t i = 0; i < overlaps.size(); ++i) {
        if (i > 0) list += i + 1 == overlaps.size() ? " and " : ", ";
        list += overlaps[i];
    }
    return "This overlaps " + list + ". Keep it anyway?";
}

Plan editedPlan(const LoadedResult& result, int layout, const EditTarget& target, const EditRow& row) {
    checkLayout(result, layout);
    const std::size_t begin = result.layoutBegin(layout);
    const std::size_t end = result.layoutEnd(layout);
    if (isExisting(target.mode)) targetItem(result, layout, target);
    if (target.mode == EditMode::NewCutPiece) newVariety(result, target);

    // The layout as shown, its through cuts undone.
    std::vector<LayoutItem> edited(result.items.begin() + static_cast<std::ptrdiff_t>(begin),
                                   result.items.begin() + static_cast<std::ptrdiff_t>(end));
    for (LayoutItem& item : edited)
        if (item.kind == ItemKind::ThroughCut) item.kind = ItemKind::Consumed;

    std::size_t local = target.item - begin;
    if (!isExisting(target.mode)) {
        edited.push_back(LayoutItem{});
        local = edited.size() - 1;
        edited[local].kind = target.mode == EditMode::NewCutPiece ? pieceKind(target.variety) : ItemKind::Offcut;
    }
    const LayoutItem sheetItem = edited.front();
    LayoutItem& item = edited[local];
    item.x1 = row.xs;
    item.y1 = row.ys;
    item.x2 = item.x1 + row.dimX;
    item.y2 = item.y1 + row.dimY;
    item.placement = static_cast<Placement>(roundedCode(row.orn));
    item.layout = sheetItem.layout;
    item.sheet = sheetItem.sheet;
    item.quantity = sheetItem.quantity;
    const bool deletedPiece = item.isPiece() && item.x1 == 0 && item.y1 == 0 && item.x2 == 0 && item.y2 == 0;
    if (!item.isPiece() || deletedPiece) item.kind = ItemKind::Offcut;
    const float kerf = result.job.basic.kerf;
    item.x2 += kerf;
    item.y2 += kerf;

    std::vector<LayoutItem> items;
    if (result.job.stock == StockMode::Coil) {
        // The stored items, so that the other layouts stay exactly as the engine wrote them.
        items = result.storedItems;
        const LayoutItem& storedSheet = result.storedItems.at(begin);
        const LayoutItem& shownSheet = result.items[begin];
        const bool turned = (shownSheet.x2 - shownSheet.x1) != (storedSheet.x2 - storedSheet.x1);
        for (LayoutItem& it : edited) {
            if (turned) {
                std::swap(it.x1, it.y1);
                std::swap(it.x2, it.y2);
                if (it.placement == Placement::Lengthwise) it.placement = Placement::Turned;
                else if (it.placement == Placement::Turned) it.placement = Placement::Lengthwise;
            }
            it.sheet = storedSheet.sheet;
        }
    } else {
        items = result.items;
    }
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(begin), items.begin() + static_cast<std::ptrdiff_t>(end));
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(begin), edited.begin(), edited.end());
    return Plan{std::move(items)};
}

void markItem(Surface& surface, const LoadedResult& result, std::size_t index) {
    if (index >= result.items.size()) return;
    const LayoutItem& item = result.items[index];
    const ScaleSpec scale = surface.scale();
    surface.setPenWidth(2);
    surface.box(item.x1, item.y1, item.x2, item.y2, colors::kLightRed);
    // A circle of a fixed share of the picture, however it is zoomed or moved.
    const double radius = std::fabs(scale.height) / 80;
    surface.circle(item.x1, item.y1, radius, colors::kLightRed);
    surface.setFont(FontSpec{"Small Fonts", 7, true});
    const std::string label = "(XS,YS)";
    const double height = surface.textHeight(label);
    const double width = surface.textWidth(label);
    // The label stands below and to the right of the corner, clear of the circle.
    const double x = item.x1 + radius * scale.width / scale.height;
    const double y = item.y1 + radius;
    surface.filledBox(x, y, x + width, y + height, colors::kLightRed);
    surface.text(x, y, label, colors::kWhite);
    surface.setPenWidth(1);
}

}  // namespace veltrix::layouts
