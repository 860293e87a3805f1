#include "layouts/layout_drawing.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <stdexcept>

#include "dxf/draw.h"
#include "dxf/dxf_reader.h"
#include "dxf/dxf_writer.h"
#include "layouts/piece_numbers.h"
#include "reports/report.h"
#include "base/error.h"
#include "base/file_ops.h"
#include "base/number_text.h"
#include "base/print_text.h"
#include "base/table_file.h"
#include "base/workspace.h"

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
    if (layout <= result_.layoutCount()) writePartNumbers(out, layout);
    return out.str();
}

void LayoutDrawing::writePartNumbers(PrintText& out, int layout) const {
    // Each cut-piece of the layout by the numbers the drawing shows on its parts, in the order the
    // pieces first appear; runs of numbers written as "3-5".
    std::vector<int> pieces;                  // varieties in order of appearance
    std::map<int, std::vector<int>> numbers;  // variety -> its parts' numbers
    const std::size_t begin = result_.layoutBegin(layout);
    for (std::size_t i = begin; i < result_.layoutEnd(layout); ++i) {
        const LayoutItem& item = result_.items[i];
        if (!item.isPiece()) continue;
        auto& list = numbers[item.piece()];
        if (list.empty()) pieces.push_back(item.piece());
        list.push_back(pieceNumber(result_, i));
    }
    if (pieces.empty()) return;
    const std::string& written = out.str();
    if (written.size() < 4 || written.compare(written.size() - 4, 4, "\r\n\r\n") != 0) out.line();
    out.line("Part No.  Length   Width    Description");
    for (const int piece : pieces) {
        const std::vector<int>& list = numbers[piece];
        std::string text;
        for (std::size_t k = 0; k < list.size();) {
            std::size_t end = k;
            while (end + 1 < list.size() && list[end + 1] == list[end] + 1) ++end;
            if (!text.empty()) text += ", ";
            text += std::to_string(list[k]);
            if (end > k) text += (end == k + 1 ? ", " : "-") + std::to_string(list[end]);
            k = end + 1;
        }
        const engine::CutVariety& v = result_.job.cuts.at(static_cast<std::size_t>(piece - 1));
        // A long list of numbers has a line of its own, the sizes under it.
        out.put(text);
        if (text.size() >= 10) out.endLine();
        out.at(11, generalText(v.length)).at(20, generalText(v.width)).at(29, v.description).endLine();
    }
}

namespace {

// The sheet item of a layout and its extents in job units.
struct SheetFrame {
    const LayoutItem* sheet = nullptr;
    double x = 0, y = 0;      // its top-left corner
    double width = 1;         // X extent
    double length = 1;        // Y extent
    double extent = 1;        // the larger of the two: what the drawing's scale is made of
};

SheetFrame frameOf(const engine::LoadedResult& result, int layout) {
    SheetFrame f;
    for (const LayoutItem& item : result.layout(layout))
        if (item.kind == ItemKind::Sheet) {
            f.sheet = &item;
            break;
        }
    // A flat or absurd sheet still gets a usable scale.
    const auto usable = [](double v) { return v > 0 && std::isfinite(v) ? v : 1.0; };
    if (f.sheet) {
        f.x = f.sheet->x1;
        f.y = f.sheet->y1;
        f.width = usable(static_cast<double>(f.sheet->x2) - f.sheet->x1);
        f.length = usable(static_cast<double>(f.sheet->y2) - f.sheet->y1);
    }
    const double ex = f.sheet ? static_cast<double>(f.sheet->x2) - f.sheet->x1 : 0;
    const double ey = f.sheet ? static_cast<double>(f.sheet->y2) - f.sheet->y1 : 0;
    f.extent = usable(ex > ey ? ex : ey);
    return f;
}

// The room around the sheet on the screen, for its sizes and the through-cut strokes: an eighth
// of its larger extent.
constexpr double kScreenMargin = 0.125;

// On paper a sheet more than three times as long as it is wide (a coil) is drawn with its width
// across the page and its length over as many pages as it takes.
bool printedInParts(const SheetFrame& f) { return f.length > 3 * f.width; }

// The printer's coordinate system for a sheet of that extent: 1.5 times it across the page, the
// page's proportions, the top a twentieth of the page and the left an eighth of its height out.
ScaleSpec printerScale(double extent, double deviceWidth, double deviceHeight) {
    ScaleSpec scale;
    scale.width = 1.5 * extent;
    const bool sized = deviceWidth > 0 && deviceHeight > 0;
    scale.height = scale.width * (sized ? deviceHeight / deviceWidth : 1.0);
    scale.top = -0.05 * scale.height;
    scale.left = -0.125 * scale.height;
    return scale;
}

// The stretches of a long sheet's length printed one a page (from, to), in job units from the
// sheet's top: each at most `room` long (what a page shows below its top), ending at the last
// cut across the sheet in its second half so that pieces are not parted, else at a round length.
// One stretch, the whole sheet, for everything else.
std::vector<std::pair<double, double>> pageStretches(const engine::LoadedResult& result, int layout,
                                                     const SheetFrame& f, const DrawTarget& target,
                                                     const ScaleSpec& scale) {
    const double end = f.y + f.length;
    if (target.target != Target::Printer || target.magnified || !printedInParts(f)) return {{f.y, end}};
    const double room = 0.8 * scale.height;
    // A round length: 100 for a room of a few thousand.
    const double round = std::pow(10.0, std::floor(std::log10(room)) - 1);
    std::vector<double> cuts;
    for (const LayoutItem& item : result.layout(layout))
        if (item.kind == ItemKind::ThroughCut && item.y1 == item.y2) cuts.push_back(item.y1);
    std::vector<std::pair<double, double>> stretches;
    // A result keeps its sheets within bounds, so the count is small; past a thousand pages the
    // rest goes on the last.
    for (double from = f.y; from < end - 1e-6 && stretches.size() < 1000;) {
        double to = std::min(end, from + std::floor(room / round) * round);
        if (to < end) {
            double best = 0;
            for (double c : cuts)
                if (c > from + room / 2 && c <= from + room && c > best) best = c;
            if (best > 0) to = best;
        }
        if (stretches.size() == 999) to = end;
        stretches.emplace_back(from, to);
        from = to;
    }
    return stretches;
}

// A length for a scale bar: 1, 2 or 5 times a power of ten, at most `most`.
double barLength(double most) {
    if (!(most > 0) || !std::isfinite(most)) return 1;
    const double power = std::pow(10.0, std::floor(std::log10(most)));
    for (double m : {5.0, 2.0, 1.0})
        if (m * power <= most) return m * power;
    return power;
}

// Texts inside one item (a cut-piece, an off-cut, a margin): each is written only when it lies
// wholly inside the item and clear of the texts already written there, so no text runs over a
// neighbour or over another text.
class ItemTexts {
public:
    ItemTexts(Surface& surface, double x1, double y1, double x2, double y2)
        : surface_(surface), x1_(x1), y1_(y1), x2_(x2), y2_(y2) {}

    double width(std::string_view text) const { return surface_.textWidth(text); }
    double height(std::string_view text) const { return surface_.textHeight(text); }

    bool fits(double x, double y, std::string_view text) const {
        const Box b{x, y, x + width(text), y + height(text)};
        if (text.empty() || b.x1 < x1_ - kSlack || b.y1 < y1_ - kSlack || b.x2 > x2_ + kSlack || b.y2 > y2_ + kSlack)
            return false;
        for (const Box& t : taken_)
            if (b.x1 < t.x2 && t.x1 < b.x2 && b.y1 < t.y2 && t.y1 < b.y2) return false;
        return true;
    }
    // Writes the text with its top-left corner at (x, y) when it fits; says whether it did.
    bool put(double x, double y, std::string_view text) {
        if (!fits(x, y, text)) return false;
        taken_.push_back({x, y, x + width(text), y + height(text)});
        surface_.text(x, y, text, colors::kBlack);
        return true;
    }
    // The longest start of the text that fits `room` wide, ending in ".." when shortened; empty
    // when not even one character does.
    std::string shortened(const std::string& text, double room) const {
        if (width(text) <= room + kSlack) return text;
        for (std::size_t n = text.size(); n-- > 1;) {
            std::string shorter = trimBlanks(std::string_view(text).substr(0, n)) + "..";
            if (width(shorter) <= room + kSlack) return shorter;
        }
        return {};
    }

private:
    struct Box {
        double x1, y1, x2, y2;
    };
    // A text may touch the item's edge.
    static constexpr double kSlack = 1e-6;
    Surface& surface_;
    double x1_, y1_, x2_, y2_;
    std::vector<Box> taken_;
};

}  // namespace

ScaleSpec layoutScale(const engine::LoadedResult& result, int layout, const DrawTarget& target, double deviceWidth,
                      double deviceHeight) {
    const SheetFrame f = frameOf(result, layout);
    const bool printer = target.target == Target::Printer;
    if (printer) {
        ScaleSpec scale = printerScale(printedInParts(f) && !target.magnified ? f.width : f.extent, deviceWidth,
                                       deviceHeight);
        if (target.magnified) {
            // The sheet's width with its margins fills the page's width; Y keeps its scale.
            scale.width = f.width - 2 * scale.left;
            scale.left = scale.left * scale.width / scale.height;
        }
        return scale;
    }
    // The screen: the sheet with its margin as large as the picture allows, X and Y at the same
    // scale, in the middle of the picture.
    const double m = kScreenMargin * f.extent;
    const double across = f.width + 2 * m, down = f.length + 2 * m;
    const bool sized = deviceWidth > 0 && deviceHeight > 0 && std::isfinite(deviceWidth / deviceHeight);
    const double aspect = sized ? deviceHeight / deviceWidth : 1.0;
    ScaleSpec scale;
    scale.width = std::max(across, down / aspect);
    scale.height = scale.width * aspect;
    scale.left = f.x - m - (scale.width - across) / 2;
    scale.top = f.y - m - (scale.height - down) / 2;
    if (target.magnified) {
        // The sheet's width with its margins fills the picture's width; Y keeps its scale.
        scale.left = f.x - m;
        scale.width = across;
    }
    return scale;
}

DrawnLayout LayoutDrawing::draw(Surface& surface, int layout, const DrawTarget& target,
                                const std::optional<ScaleSpec>& view) const {
    if (layout < 1 || layout > result_.layoutCount())
        throw std::out_of_range("layout " + std::to_string(layout) + " is not in the result");
    const bool printer = target.target == Target::Printer;
    const SheetFrame frame = frameOf(result_, layout);
    const ScaleSpec first = !printer && view ? *view
                                             : layoutScale(result_, layout, target, surface.deviceWidth(),
                                                           surface.deviceHeight());
    // The unit of the marks around the sheet (hatch step, through-cut strokes, the place of the
    // sizes and of the listing): the room above the sheet, which zooming and moving the view leave
    // as it was.
    const double unit = printer ? std::fabs(first.top) : kScreenMargin * frame.extent;
    const auto stretches = pageStretches(result_, layout, frame, target, first);
    const int parts = static_cast<int>(stretches.size());
    if (printer) {
        surface.setPenWidth(options_.printLineWidth);
        surface.setFont({"Century Gothic", 8});
    } else {
        surface.clear();
        surface.setPenWidth(1);
        surface.setFont({"Small Fonts", 7});
    }
    DrawnLayout drawn;
    drawn.entities = entities(layout, &drawn.problems);

    ScaleSpec scale = first;
    double listingY = 0;
    for (int part = 0; part < parts; ++part) {
        const auto [from, to] = stretches[static_cast<std::size_t>(part)];
        if (part > 0) surface.newPage();
        scale = first;
        scale.top += from - frame.y;
        surface.setScale(scale);
        listingY = drawPicture(surface, layout, printer, scale.width / scale.height, unit, drawn.entities);
        if (parts > 1) {
            // Only this page's stretch of the sheet shows; beside it, which stretch it is and a
            // bar of known length, as every page is drawn to the same scale.
            // (A printer's page may show a little more than the scale asks for: the masks reach
            // well past it.)
            const double right = scale.left + scale.width;
            if (part > 0) surface.filledBox(scale.left, scale.top - scale.height, right, from, colors::kWhite);
            if (part + 1 < parts) surface.filledBox(scale.left, to, right, scale.top + 2 * scale.height, colors::kWhite);
            // The note above the stretch from the sheet's left edge, where the sheet's width stands
            // in the middle on the first page; the bar right of the sheet, clear of the sizes of
            // the cuts there.
            const std::string note = "Part " + std::to_string(part + 1) + " of " + std::to_string(parts) + ": " +
                                     sizeText(static_cast<float>(from - frame.y)) + " to " +
                                     sizeText(static_cast<float>(to - frame.y));
            const double th = surface.textHeight(note);
            surface.text(frame.x, from - unit + th, note, colors::kBlack);
            const double bar = barLength(0.2 * first.height);
            const double x = frame.x + frame.width + unit;
            const double y = from + 2 * th;
            const double tick = unit / 4 * scale.width / scale.height;
            surface.line(x, y, x, y + bar, colors::kBlack);
            surface.line(x, y, x + tick, y, colors::kBlack);
            surface.line(x, y + bar, x + tick, y + bar, colors::kBlack);
            const std::string barText = generalText(bar);
            surface.text(x + 1.5 * tick, y + (bar - surface.textHeight(barText)) / 2, barText, colors::kBlack);
        }
    }

    // The text listing, printed under the drawing on paper.
    drawn.listing = listing(layout);
    if (printer) {
        surface.setFont({"Courier New", 9});
        std::vector<std::string> lines;
        if (!target.projectFile.empty()) lines.push_back("File: " + fileNameOfPath(target.projectFile));
        lines.push_back("Date: " + dateText());
        if (parts > 1)
            lines.push_back("Drawn on " + std::to_string(parts) +
                            " pages, one part of the length each, all to the same scale.");
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

double LayoutDrawing::drawPicture(Surface& surface, int layout, bool printer, double ratio, double unit,
                                  const dxf::EntityList& entities) const {
    const std::span<const LayoutItem> items = result_.layout(layout);
    const std::size_t begin = result_.layoutBegin(layout);
    const float kerf = result_.job.basic.kerf;
    const ScaleSpec scale = surface.scale();

    // Fill pass: the sheet white and hatched (what stays hatched is left over), margins light
    // yellow, pieces in their variety's colour.
    for (const LayoutItem& item : items) {
        if (item.kind == ItemKind::Sheet) {
            surface.filledBox(item.x1, item.y1, item.x2, item.y2, colors::kWhite);
            hatch(surface, item.x1, item.y1, item.x2, item.y2, unit / 2, printer ? colors::kDarkBlue : colors::kLightGrey);
        } else if (item.kind == ItemKind::Margin) {
            surface.filledBox(item.x1, item.y1, item.x2, item.y2, colors::kLightYellow);
        } else if (item.isPiece()) {
            const bool white = printer && options_[Show::PrintPieceWithoutColor];
            surface.filledBox(item.x1, item.y1, item.x2, item.y2, white ? colors::kWhite : pieceColor(item.piece()));
        }
    }

    // Text pass: piece numbers, sizes and descriptions, each only where it fits its item. An em
    // (a text's height across) sets the texts' distance from the item's edges.
    int previousPiece = 0;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const LayoutItem& item = items[i];
        if (item.kind == ItemKind::Margin) {
            const float w = item.x2 - item.x1;
            const float h = item.y2 - item.y1;
            if (options_[Show::MarginDimensions] && w != 0 && h != 0) {
                const bool wide = w > h;
                const float across = wide ? w - kerf : w;
                const float down = wide ? h : h - kerf;
                ItemTexts texts(surface, item.x1, item.y1, item.x2, item.y2);
                const std::string tx = sizeText(across);
                const double th = texts.height(tx);
                texts.put(item.x1 + (across - texts.width(tx)) / 2, item.y1 + th / 6, tx);
                const std::string ty = sizeText(down);
                texts.put(item.x1 + texts.height(ty) * ratio / 4, item.y1 + (down - texts.height(ty)) / 2, ty);
            }
        } else if (item.kind == ItemKind::Offcut) {
            const float w = item.x2 - item.x1 - kerf;
            const float h = item.y2 - item.y1 - kerf;
            if (options_[Show::OffcutDimensions] && w > 0 && h > 0) {
                ItemTexts texts(surface, item.x1, item.y1, item.x1 + w, item.y1 + h);
                const std::string tx = sizeText(w);
                texts.put(item.x1 + (w - texts.width(tx)) / 2, item.y1 + texts.height(tx) / 6, tx);
                const std::string ty = sizeText(h);
                texts.put(item.x1 + texts.height(ty) * ratio / 4, item.y1 + (h - texts.height(ty)) / 2, ty);
            }
        } else if (item.isPiece()) {
            const float w = item.x2 - item.x1 - kerf;
            const float h = item.y2 - item.y1 - kerf;
            ItemTexts texts(surface, item.x1, item.y1, item.x1 + w, item.y1 + h);
            // The piece's number within its layout, bold in the middle: the labels and the
            // listing use the same number.
            double numberHeight = 0;
            {
                const FontSpec font = surface.font();
                FontSpec bold = font;
                bold.bold = true;
                surface.setFont(bold);
                const std::string number = std::to_string(pieceNumber(result_, begin + i));
                if (texts.put(item.x1 + (w - texts.width(number)) / 2, item.y1 + (h - texts.height(number)) / 2, number))
                    numberHeight = texts.height(number);
                surface.setFont(font);
            }
            if (item.piece() != previousPiece) {
                const engine::CutVariety& piece = result_.cutOf(item);
                // The variety's sizes along X and Y: width and length, or turned.
                const bool turned = item.placement == Placement::Turned;
                const float alongX = turned ? piece.length : piece.width;
                const float alongY = turned ? piece.width : piece.length;
                const bool markX = w < alongX;
                const bool markY = h < alongY;
                if (options_[Show::PieceDimensions]) {
                    const bool actual = options_[Show::PieceActualDimensions];
                    const std::string tx = sizeText(w) + (markX ? "+" : "");
                    const double th = texts.height(tx);
                    const double hy = item.y1 + th / 6;
                    if (texts.put(item.x1 + (w - texts.width(tx)) / 2, hy, tx) && actual && markX) {
                        const std::string a = "(" + sizeText(alongX) + ")";
                        texts.put(item.x1 + (w - texts.width(a)) / 2, hy + th, a);
                    }
                    // Halfway down the left edge, or in a narrow piece just under or over its number.
                    const std::string ty = sizeText(h) + (markY ? "+" : "");
                    const double th2 = texts.height(ty);
                    const double vx = item.x1 + th2 * ratio / 4;
                    for (const double vy : {item.y1 + (h - th2) / 2, item.y1 + (h + numberHeight) / 2,
                                            item.y1 + (h - numberHeight) / 2 - th2}) {
                        if (!texts.put(vx, vy, ty)) continue;
                        if (actual && markY) texts.put(vx, vy + th2, "(" + sizeText(alongY) + ")");
                        break;
                    }
                }
                if (options_[Show::PieceDescription]) {
                    const std::string d = toLower(piece.description);
                    const double th = texts.height(d);
                    const double x = item.x1 + th * ratio / 4;
                    const std::string shown = texts.shortened(d, item.x1 + w - x - th * ratio / 4);
                    if (!shown.empty()) texts.put(x, item.y1 + h - th, shown);
                }
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
                // Above the sheet and left of it, in the room the drawing leaves there.
                const std::string wText = sizeText(variety.width);
                double th = surface.textHeight(wText);
                const double top = item.y1 - unit;
                const double left = printer ? scale.left / 2.5 : item.x1 - unit;
                surface.text(item.x1 + (variety.width - surface.textWidth(wText)) / 2, top + th, wText, colors::kBlack);
                const std::string lText = sizeText(variety.length);
                th = surface.textHeight(lText);
                surface.text(left, item.y1 + (variety.length - th) / 2, lText, colors::kBlack);
                font.bold = false;
                surface.setFont(font);
            }
            surface.box(item.x1, item.y1, item.x2, item.y2, colors::kBlack);
            listingY = item.y2 + unit / 2;
        } else if (item.kind == ItemKind::Margin || item.isPiece()) {
            surface.box(item.x1, item.y1, item.x2, item.y2, colors::kBlack);
        } else if (item.kind == ItemKind::Offcut) {
            if (options_[Show::OffcutBoundaries]) surface.box(item.x1, item.y1, item.x2, item.y2, colors::kBlack);
        } else if (item.kind == ItemKind::ThroughCut) {
            // Two short strokes continue the cut outside the sheet.
            const double e = unit / 2;
            const double ex = e * ratio;
            const bool dimensions = options_[Show::CutLineDimensions];
            if (item.y1 == item.y2) {
                const double c = item.y1;
                surface.line(-ex, c, 0, c, colors::kBlack);
                surface.line(item.x2, c, item.x2 + ex, c, colors::kBlack);
                if (dimensions) surface.text(item.x2 + ex / 4, c, generalText(item.y1 - kerf / 2), colors::kBlack);
            } else {
                const double c = item.x1;
                surface.line(c, -e, c, 0, colors::kBlack);
                surface.line(c, item.y2, c, item.y2 + e, colors::kBlack);
                if (dimensions) surface.text(c, item.y2 + e / 4, generalText(item.x1 - kerf / 2), colors::kBlack);
            }
        }
    }

    // The geometry, drawn over the rest when the outline option is on.
    if (options_[Show::DxfOutline]) dxf::draw(entities, surface, colors::kBlack);
    return listingY;
}

}  // namespace veltrix::layouts
