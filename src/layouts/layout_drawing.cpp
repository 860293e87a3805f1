#include "layouts/layout_drawing.h"

#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <stdexcept>

#include "dxf/draw.h"
#include "dxf/dxf_reader.h"
#include "dxf/dxf_writer.h"
#include "reports/report.h"
#include "table/error.h"
#include "table/file_ops.h"
#include "table/number_text.h"
#include "table/print_text.h"
#include "table/table_file.h"
#include "table/workspace.h"

namespace veltrix::layouts {


namespace {

constexpr std::array<Rgb, 22> kPalette{{
    {200, 163, 250}, {255, 185, 185}, {255, 191, 149}, {255, 206, 9},   {126, 187, 0},   {0, 242, 146},
    {0, 234, 222},   {113, 255, 198}, {4, 173, 255},   {206, 170, 255}, {0, 203, 202},   {255, 138, 235},
    {79, 198, 255},  {255, 183, 216}, {236, 135, 23},  {255, 145, 162}, {242, 176, 104}, {255, 136, 189},
    {202, 206, 17},  {112, 206, 17},  {14, 211, 167},  {20, 206, 239},
}};

// Sizes on the drawing: display-rounded, general number text.
std::string sizeText(float value) { return generalText(displayRound(value)); }

bool isDrawnKind(const LayoutItem& item) {
    return item.isPiece() || item.kind == ItemKind::Sheet || item.kind == ItemKind::Margin ||
           item.kind == ItemKind::Offcut || item.kind == ItemKind::ThroughCut;
}

// The four sides of a rectangle, each `inset` inside it.
void appendRectangle(dxf::EntityList& list, double x1, double y1, double x2, double y2, double inset) {
    x1 += inset;
    y1 += inset;
    x2 -= inset;
    y2 -= inset;
    list.push_back(dxf::Entity::line(x1, y1, x2, y1));
    list.push_back(dxf::Entity::line(x2, y1, x2, y2));
    list.push_back(dxf::Entity::line(x2, y2, x1, y2));
    list.push_back(dxf::Entity::line(x1, y2, x1, y1));
}

// Draws one text and returns its height.
struct TextPen {
    Surface& surface;
    double ratio;  // scale width / scale height: a height in X units

    double height(std::string_view text) const { return surface.textHeight(text); }
    void at(double x, double y, std::string_view text) const { surface.text(x, y, text, colors::kBlack); }
};

}  // namespace

Rgb pieceColor(long long number) {
    const long long i = ((number % 22) + 22) % 22;
    return kPalette[static_cast<std::size_t>(i)];
}

void hatch(Surface& surface, double x1, double y1, double x2, double y2, double step, Rgb color) {
    if (!(step > 0) || !std::isfinite(step)) return;
    const double reach = (x2 - x1) + (y2 - y1);
    // A loaded result keeps its coordinates on its sheet, so the count is small; a rectangle that
    // would take more than a million lines (or no number of them) is not hatched, which also keeps
    // the conversion below defined.
    const double steps = std::floor(reach / step + 1e-9);
    if (!(steps >= 0 && steps <= 1.0e6)) return;
    const auto count = static_cast<long long>(steps);
    for (long long i = 0; i <= count; ++i) {
        const double d = static_cast<double>(i) * step;
        // From the top edge down-left to the left edge; an end past the right edge slides down
        // it, one past the bottom edge slides along it.
        double ax = x1 + d, ay = y1;
        if (ax > x2) {
            ay = y1 + (ax - x2);
            ax = x2;
        }
        double bx = x1, by = y1 + d;
        if (by > y2) {
            bx = x1 + (by - y2);
            by = y2;
        }
        surface.line(ax, ay, bx, by, color);
    }
}

LayoutDrawing::LayoutDrawing(const Workspace& workspace, const engine::LoadedResult& result,
                             const reports::Report& report, DisplayOptions options)
    : workspace_(workspace), result_(result), report_(report), options_(options) {}

dxf::EntityList LayoutDrawing::entities(int layout, std::vector<std::string>* problems) const {
    const float kerf = result_.job.basic.kerf;
    dxf::EntityList list;
    // One reading per outline file for the whole layout.
    std::map<std::string, std::optional<dxf::EntityList>> outlines;
    for (const LayoutItem& item : result_.layout(layout)) {
        if (!isDrawnKind(item)) continue;
        if (item.isPiece()) {
            const std::string& file = result_.cutOf(item).dxfFile;
            if (!file.empty()) {
                auto found = outlines.find(file);
                if (found == outlines.end()) {
                    std::optional<dxf::EntityList> outline;
                    const auto path = workspace_.file(file);
                    if (fileExists(path)) {
                        try {
                            outline = dxf::readOutline(path);
                        } catch (const std::exception& e) {
                            if (problems) problems->push_back(e.what());
                        }
                    }
                    found = outlines.emplace(file, std::move(outline)).first;
                }
                if (found->second && !found->second->empty()) {
                    dxf::EntityList shape = *found->second;
                    // Turned when the outline's box does not match the placed piece (the
                    // rectangle less one kerf) within 0.1 in both directions.
                    const float placedWidth = item.x2 - item.x1 - kerf;
                    const float placedHeight = item.y2 - item.y1 - kerf;
                    const dxf::BoundingBox box = dxf::boundingBox(shape);
                    if (!(std::fabs(box.width() - placedWidth) <= 0.1 && std::fabs(box.height() - placedHeight) <= 0.1))
                        dxf::rotate(shape, 90);
                    dxf::moveToOrigin(shape);
                    dxf::move(shape, static_cast<double>(item.x1) + kerf / 2.0, static_cast<double>(item.y1) + kerf / 2.0);
                    list.insert(list.end(), shape.begin(), shape.end());
                    continue;
                }
            }
        }
        appendRectangle(list, item.x1, item.y1, item.x2, item.y2, item.isPiece() ? kerf / 2.0 : 0.0);
    }
    return list;
}

std::string LayoutDrawing::listing(int layout) const {
    const auto index = static_cast<std::size_t>(layout - 1);
    if (layout < 1 || index >= report_.sectionPosition.size()) return {};
    const std::size_t start = report_.sectionPosition[index];
    if (start >= report_.text.size()) return {};
    const std::vector<std::string> lines = splitLines(std::string_view(report_.text).substr(start));
    if (lines.empty()) return {};

    PrintText out;
    out.line(lines.front());
    if (options_[Show::BasicDetailsList]) {
        out.line();
        out.line("Basic Details");
        reports::writeBasicDetailsLines(out, result_.job.basic);
    }
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (!line.empty() && line.front() == '*') break;
        if (!options_[Show::OffcutList] && trimBlanks(line) == "OffCut Generated") break;
        out.line(line);
    }
    return out.str();
}

ScaleSpec layoutScale(const engine::LoadedResult& result, int layout, const DrawTarget& target, double deviceWidth,
                      double deviceHeight) {
    const std::span<const LayoutItem> items = result.layout(layout);
    const LayoutItem* sheet = nullptr;
    for (const LayoutItem& item : items)
        if (item.kind == ItemKind::Sheet) {
            sheet = &item;
            break;
        }
    double extent = 0;
    if (sheet) {
        const double ex = sheet->x2 - sheet->x1;
        const double ey = sheet->y2 - sheet->y1;
        extent = ex > ey ? ex : ey;
    }
    if (!(extent > 0) || !std::isfinite(extent)) extent = 1;  // a flat sheet still gets a usable scale

    ScaleSpec scale;
    if (target.target == Target::Printer) {
        scale.width = 1.5 * extent;
        const bool sized = deviceWidth > 0 && deviceHeight > 0;
        scale.height = scale.width * (sized ? deviceHeight / deviceWidth : 1.0);
        scale.top = -0.05 * scale.height;
        scale.left = -0.125 * scale.height;
    } else {
        scale.height = 1.25 * extent;
        scale.width = scale.height;
        scale.top = scale.left = -0.1 * scale.height;
    }
    if (target.magnified) {
        // The sheet's width with its margins fills the target's width; Y keeps its scale.
        const double sheetWidth = sheet ? static_cast<double>(sheet->x2 - sheet->x1) : extent;
        scale.width = sheetWidth - 2 * scale.left;
        scale.left = scale.left * scale.width / scale.height;
    }
    return scale;
}

DrawnLayout LayoutDrawing::draw(Surface& surface, int layout, const DrawTarget& target) const {
    if (layout < 1 || layout > result_.layoutCount())
        throw std::out_of_range("layout " + std::to_string(layout) + " is not in the result");
    const std::span<const LayoutItem> items = result_.layout(layout);
    const float kerf = result_.job.basic.kerf;
    const bool printer = target.target == Target::Printer;
    DrawnLayout drawn;

    // The sheet item, the larger of its extents, and the coordinate system: one user
    // unit is one job unit.
    const ScaleSpec scale = layoutScale(result_, layout, target, surface.deviceWidth(), surface.deviceHeight());
    if (printer) {
        surface.setPenWidth(options_.printLineWidth);
        surface.setFont({"Century Gothic", 8});
    } else {
        surface.clear();
        surface.setPenWidth(1);
        surface.setFont({"Small Fonts", 7});
    }
    surface.setScale(scale);
    const TextPen pen{surface, scale.width / scale.height};
    const double top = std::fabs(scale.top);

    // Fill pass: the sheet white and hatched (what stays hatched is left over), margins light
    // yellow, pieces in their variety's colour.
    for (const LayoutItem& item : items) {
        if (item.kind == ItemKind::Sheet) {
            surface.filledBox(item.x1, item.y1, item.x2, item.y2, colors::kWhite);
            hatch(surface, item.x1, item.y1, item.x2, item.y2, top / 2, printer ? colors::kDarkBlue : colors::kLightGrey);
        } else if (item.kind == ItemKind::Margin) {
            surface.filledBox(item.x1, item.y1, item.x2, item.y2, colors::kLightYellow);
        } else if (item.isPiece()) {
            const bool white = printer && options_[Show::PrintPieceWithoutColor];
            surface.filledBox(item.x1, item.y1, item.x2, item.y2, white ? colors::kWhite : pieceColor(item.piece()));
        }
    }

    // Text pass: sizes and descriptions.
    int previousPiece = 0;
    for (const LayoutItem& item : items) {
        if (item.kind == ItemKind::Margin) {
            const float w = item.x2 - item.x1;
            const float h = item.y2 - item.y1;
            if (options_[Show::MarginDimensions] && w != 0 && h != 0) {
                const bool wide = w > h;
                const float across = wide ? w - kerf : w;
                const float down = wide ? h : h - kerf;
                const std::string tx = sizeText(across);
                double th = pen.height(tx);
                double tw = th * pen.ratio;
                pen.at(item.x1 + (across - tw) / 2, item.y1 + th / 6, tx);
                const std::string ty = sizeText(down);
                th = pen.height(ty);
                tw = th * pen.ratio;
                pen.at(item.x1 + tw / 4, item.y1 + (down - th) / 2, ty);
            }
        } else if (item.kind == ItemKind::Offcut) {
            const float w = item.x2 - item.x1 - kerf;
            const float h = item.y2 - item.y1 - kerf;
            if (options_[Show::OffcutDimensions] && w > 0 && h > 0) {
                const std::string tx = sizeText(w);
                double th = pen.height(tx);
                double tw = th * pen.ratio - 2 * kerf;
                th -= 2 * kerf;
                pen.at(item.x1 + (w - tw) / 2, item.y1 + th / 6, tx);
                const std::string ty = sizeText(h);
                th = pen.height(ty);
                tw = th * pen.ratio - 2 * kerf;
                th -= 2 * kerf;
                pen.at(item.x1 + tw / 4, item.y1 + (h - th) / 2, ty);
            }
        } else if (item.isPiece() && item.piece() != previousPiece) {
            const engine::CutVariety& piece = result_.cutOf(item);
            const float w = item.x2 - item.x1 - kerf;
            const float h = item.y2 - item.y1 - kerf;
            // The variety's sizes along X and Y: width and length, or turned.
            const bool turned = item.placement == Placement::Turned;
            const float alongX = turned ? piece.length : piece.width;
            const float alongY = turned ? piece.width : piece.length;
            const bool markX = w < alongX;
            const bool markY = h < alongY;
            if (options_[Show::PieceDimensions]) {
                const bool actual = options_[Show::PieceActualDimensions];
                const std::string tx = sizeText(w) + (markX ? "+" : "");
                double th = pen.height(tx);
                double tw = th * pen.ratio;
                const double hx = item.x1 + (w - tw) / 2;
                const double hy = item.y1 + th / 6;
                pen.at(hx, hy, tx);
                if (actual && markX) pen.at(hx, hy + th, "(" + sizeText(alongX) + ")");
                const std::string ty = sizeText(h) + (markY ? "+" : "");
                th = pen.height(ty);
                tw = th * pen.ratio;
                const double vx = item.x1 + tw / 4;
                const double vy = item.y1 + (h - th) / 2;
                pen.at(vx, vy, ty);
                if (actual && markY) pen.at(vx, vy + th, "(" + sizeText(alongY) + ")");
            }
            if (options_[Show::PieceDescription]) {
                const std::string d = toLower(piece.description);
                const double th = pen.height(d);
                const double tw = th * pen.ratio;
                pen.at(item.x1 + tw / 4, item.y1 + h - th, d);
            }
        }
        if (options_[Show::OnlyFirstInBlock]) previousPiece = item.piece();
    }

    // Outline pass: the sheet with its sizes, margins, pieces, off-cuts and the through cuts.
    double listingY = 0;
    for (const LayoutItem& item : items) {
        if (item.kind == ItemKind::Sheet) {
            if (options_[Show::SheetDimensions]) {
                const engine::SheetVariety& variety = result_.sheetOf(item);
                FontSpec font = surface.font();
                font.bold = true;
                surface.setFont(font);
                const std::string wText = sizeText(variety.width);
                double th = pen.height(wText);
                const double tw = th * pen.ratio;
                pen.at(item.x1 + (variety.width - tw) / 2, scale.top + th, wText);
                const std::string lText = sizeText(variety.length);
                th = pen.height(lText);
                pen.at(printer ? scale.left / 2.5 : scale.left, item.y1 + (variety.length - th) / 2, lText);
                font.bold = false;
                surface.setFont(font);
            }
            surface.box(item.x1, item.y1, item.x2, item.y2, colors::kBlack);
            listingY = item.y2 + top / 2;
        } else if (item.kind == ItemKind::Margin || item.isPiece()) {
            surface.box(item.x1, item.y1, item.x2, item.y2, colors::kBlack);
        } else if (item.kind == ItemKind::Offcut) {
            if (options_[Show::OffcutBoundaries]) surface.box(item.x1, item.y1, item.x2, item.y2, colors::kBlack);
        } else if (item.kind == ItemKind::ThroughCut) {
            // Two short strokes continue the cut outside the sheet.
            const double e = top / 2;
            const double ex = e * pen.ratio;
            const bool dimensions = options_[Show::CutLineDimensions];
            if (item.y1 == item.y2) {
                const double c = item.y1;
                surface.line(-ex, c, 0, c, colors::kBlack);
                surface.line(item.x2, c, item.x2 + ex, c, colors::kBlack);
                if (dimensions) pen.at(item.x2 + ex / 4, c, generalText(item.y1 - kerf / 2));
            } else {
                const double c = item.x1;
                surface.line(c, -e, c, 0, colors::kBlack);
                surface.line(c, item.y2, c, item.y2 + e, colors::kBlack);
                if (dimensions) pen.at(c, item.y2 + e / 4, generalText(item.x1 - kerf / 2));
            }
        }
    }

    // The geometry, drawn over the rest when the outline option is on.
    drawn.entities = entities(layout, &drawn.problems);
    if (options_[Show::DxfOutline]) dxf::draw(drawn.entities, surface, colors::kBlack);

    // The text listing, printed under the drawing on paper.
    drawn.listing = listing(layout);
    if (printer) {
        surface.setFont({"Courier New", 9});
        std::vector<std::string> lines;
        if (!target.projectFile.empty()) lines.push_back("File: " + fileNameOfPath(target.projectFile));
        lines.push_back("Date: " + dateText());
        for (std::string& line : splitLines(drawn.listing)) lines.push_back(std::move(line));
        double y = listingY;
        for (const std::string& line : lines) {
            const double th = surface.textHeight(line);
            // A listing longer than the page goes on at the top of the next one; blank lines
            // never start a page of their own.
            if (trimBlanks(line).empty()) {
                y += th;
                continue;
            }
            if (y + th > scale.top + scale.height && y > scale.top) {
                surface.newPage();
                y = scale.top;
            }
            surface.text(0, y, line, colors::kBlack);
            y += th;
        }
    }
    return drawn;
}

}  // namespace veltrix::layouts
