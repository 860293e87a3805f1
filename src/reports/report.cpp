#include "reports/report.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "engine/loaded_result.h"
#include "engine/statistics.h"
#include "job/settings.h"
#include "base/error.h"
#include "base/number_text.h"
#include "base/print_text.h"
#include "base/table_file.h"

namespace veltrix::reports {

void writeBasicDetailsLines(PrintText& out, const BasicDetails& b) {
    out.put("Mat=" + b.material).at(24, "Grain=" + b.grain).at(38, "Thk=" + generalText(b.thickness)).endLine();
    out.put("Blade=" + generalText(b.blade))
        .at(24, "Tol=" + generalText(b.tolerance))
        .at(38, "Kerf=" + generalText(b.kerf))
        .at(53, "Min OC=" + generalText(b.minOffcut))
        .endLine();
    out.line("Note: " + b.note);
}

namespace {

using engine::CutVariety;
using engine::LoadedResult;
using engine::SheetVariety;

const std::string kStars(76, '*');
const std::string kDashes76(76, '-');
const std::string kDashes56(56, '-');
const std::string kDashes67(67, '-');

std::string general(float value) { return generalText(value); }
std::string twoDecimals(double value) { return fixedText(value, 2, true); }

// Inner extents of a margin or off-cut item: its rectangle less the kerf on its far sides.
float innerLength(const LayoutItem& item, float kerf) { return item.y2 - item.y1 - kerf; }
float innerWidth(const LayoutItem& item, float kerf) { return item.x2 - item.x1 - kerf; }

// Cutting length and saw strokes of one layout.
struct LayoutCutting {
    float lengthPerSheet = 0;
    float lengthTotal = 0;
    int strokesPerSheet = 0;
    long long strokesTotal = 0;
};

// Every piece, margin and off-cut with both extents greater than 0 is cut along its far side
// (y2) unless that side lies on the sheet's far length, and along its right side (x2) unless it
// lies on the sheet's width. Each piece and off-cut takes one stroke; the first cut needs none.
LayoutCutting layoutCutting(std::span<const LayoutItem> items, const SheetVariety& sheet, float kerf) {
    LayoutCutting c;
    const float quantity = items.front().quantity;
    for (const LayoutItem& item : items) {
        if (!(item.isPiece() || item.kind == ItemKind::Margin || item.kind == ItemKind::Offcut)) continue;
        if (!(item.x2 - item.x1 > 0 && item.y2 - item.y1 > 0)) continue;
        if (item.x2 - kerf < sheet.width) {
            c.lengthPerSheet += item.y2 - item.y1 - kerf;
            c.lengthTotal = c.lengthPerSheet * quantity;
        }
        if (item.y2 - kerf < sheet.length) {
            c.lengthPerSheet += item.x2 - item.x1 - kerf;
            c.lengthTotal = c.lengthPerSheet * quantity;
        }
        if (item.isPiece() || item.kind == ItemKind::Offcut) ++c.strokesPerSheet;
    }
    --c.strokesPerSheet;
    // A loaded result's quantity is at most kLargestValue; the bound keeps the conversion defined
    // for any other.
    const double strokes = roundHalfEven(static_cast<float>(c.strokesPerSheet) * quantity);
    c.strokesTotal = std::isfinite(strokes) ? static_cast<long long>(std::clamp(strokes, -9.0e18, 9.0e18)) : 0;
    return c;
}

// The area counted twice when cut-pieces of a layout overlap (a hand edit kept against the warning):
// the sum of the pieces' rectangles, each less `inset` on its far sides, less the area their union
// covers. 0 for the layouts the engine makes, whose pieces never overlap.
double overlappingPieceArea(std::span<const LayoutItem> items, float inset) {
    std::vector<LayoutItem> pieces;
    for (const LayoutItem& item : items)
        if (item.isPiece() && item.x2 - inset > item.x1 && item.y2 - inset > item.y1) {
            pieces.push_back(item);
            pieces.back().x2 -= inset;
            pieces.back().y2 -= inset;
        }
    bool overlap = false;
    for (std::size_t i = 0; i < pieces.size() && !overlap; ++i)
        for (std::size_t j = i + 1; j < pieces.size() && !overlap; ++j)
            overlap = std::max(pieces[i].x1, pieces[j].x1) < std::min(pieces[i].x2, pieces[j].x2) &&
                      std::max(pieces[i].y1, pieces[j].y1) < std::min(pieces[i].y2, pieces[j].y2);
    if (!overlap) return 0;
    // The union by the grid of all edges: a cell counts once when any piece covers it.
    std::vector<double> xs, ys;
    double sum = 0;
    for (const LayoutItem& p : pieces) {
        xs.insert(xs.end(), {p.x1, p.x2});
        ys.insert(ys.end(), {p.y1, p.y2});
        sum += static_cast<double>(p.x2 - p.x1) * static_cast<double>(p.y2 - p.y1);
    }
    std::sort(xs.begin(), xs.end());
    std::sort(ys.begin(), ys.end());
    double covered = 0;
    for (std::size_t i = 0; i + 1 < xs.size(); ++i)
        for (std::size_t j = 0; j + 1 < ys.size(); ++j) {
            const double cx = (xs[i] + xs[i + 1]) / 2, cy = (ys[j] + ys[j + 1]) / 2;
            for (const LayoutItem& p : pieces)
                if (cx > p.x1 && cx < p.x2 && cy > p.y1 && cy < p.y2) {
                    covered += (xs[i + 1] - xs[i]) * (ys[j + 1] - ys[j]);
                    break;
                }
        }
    return std::max(0.0, sum - covered);
}

// "+2", "-1", or nothing when produced equals ordered.
std::string surplusText(float produced, float ordered) {
    std::string text = general(produced - ordered);
    if (text == "0") return {};
    if (text.front() != '-') text.insert(text.begin(), '+');
    return text;
}

struct BandEntry {
    float width = 0;
    std::string colour;
    float length = 0;
};

// Band lengths by band width and colour (exact text), in order of creation. The passes run over
// the second and first band along the width, then the second and first along the length.
std::vector<BandEntry> edgeBanding(const std::vector<CutVariety>& cuts, const std::vector<float>& produced,
                                   float increment) {
    std::vector<BandEntry> entries;
    auto add = [&](float band, const std::string& colour, float dimension, float quantity) {
        if (!(band > 0)) return;
        const float amount = (increment + dimension) * quantity;
        const auto it = std::find_if(entries.begin(), entries.end(),
                                     [&](const BandEntry& e) { return e.width == band && e.colour == colour; });
        if (it == entries.end()) entries.push_back({band, colour, amount});
        else it->length += amount;
    };
    for (int pass = 0; pass < 4; ++pass)
        for (std::size_t i = 0; i < cuts.size(); ++i) {
            const CutVariety& c = cuts[i];
            switch (pass) {
                case 0: add(c.widthBand2, c.widthRemark2, c.width, produced[i]); break;
                case 1: add(c.widthBand1, c.widthRemark1, c.width, produced[i]); break;
                case 2: add(c.lengthBand2, c.lengthRemark2, c.length, produced[i]); break;
                default: add(c.lengthBand1, c.lengthRemark1, c.length, produced[i]); break;
            }
        }
    return entries;
}

class ReportWriter {
public:
    ReportWriter(const LoadedResult& result, const ReportSettings& settings)
        : result_(result),
          settings_(settings),
          kerf_(result.job.basic.kerf),
          heading_(reportHeading(settings.option)) {}

    Report write();

private:
    std::string weightOrArea(double length, double width, double quantity) const {
        return weightOrAreaText(settings_.option, settings_.density, result_.job.basic.thickness, length, width,
                                quantity);
    }

    void basicDetails();
    void sheetsUsed();
    void piecesProduced();
    void utilization();
    void cuttingStatistics();
    void edgeBandingSummary();
    void layoutSection(int n);

    const LoadedResult& result_;
    const ReportSettings& settings_;
    const float kerf_;
    const std::string heading_;
    PrintText out_;
    std::string sheetsAdj_;
    std::vector<float> produced_;
    std::vector<LayoutCutting> cutting_;
    int layoutTotal_ = 0;  // the number of layouts shown: 0 when the sheet area is 0
};

Report ReportWriter::write() {
    engine::SolutionStatistics stats = engine::solutionStatistics(result_.items);
    layoutTotal_ = stats.layouts;
    // Pieces that overlap by a hand edit count once.
    double twice = 0;
    for (int n = 1; n <= result_.layoutCount(); ++n)
        twice += overlappingPieceArea(result_.layout(n), 0) * static_cast<double>(result_.layout(n).front().quantity);
    if (twice > 0 && stats.sheetArea > 0) stats.yield = engine::roundYield((stats.pieceArea - twice) / stats.sheetArea);

    produced_.assign(result_.job.cuts.size(), 0.0f);
    for (const LayoutItem& item : result_.items)
        if (item.isPiece()) produced_[static_cast<std::size_t>(item.piece() - 1)] += item.quantity;
    for (int n = 1; n <= result_.layoutCount(); ++n) {
        const auto items = result_.layout(n);
        cutting_.push_back(layoutCutting(items, result_.sheetOf(items.front()), kerf_));
    }

    out_.line("Overall Yield(%)=" + twoDecimals(stats.yield * 100));
    out_.line("Total Layouts=" + generalText(layoutTotal_));
    out_.line().line(kStars);
    basicDetails();
    sheetsUsed();
    piecesProduced();
    utilization();
    cuttingStatistics();
    if (settings_.option == kOptionAreaBanding) edgeBandingSummary();

    Report report;
    for (int n = 1; n <= result_.layoutCount(); ++n) {
        report.layoutStart.push_back(result_.layoutBegin(n));
        report.sectionPosition.push_back(out_.position());
        layoutSection(n);
    }
    report.text = out_.str();
    report.sheetsUsed = std::move(sheetsAdj_);
    return report;
}

void ReportWriter::basicDetails() {
    out_.line("Basic Details").line();
    writeBasicDetailsLines(out_, result_.job.basic);
    out_.line().line(kStars);
}

void ReportWriter::sheetsUsed() {
    std::vector<SheetVariety> used = result_.job.sheets;
    for (SheetVariety& s : used) s.quantity = 0;
    for (int n = 1; n <= result_.layoutCount(); ++n) {
        const LayoutItem& sheetItem = result_.layout(n).front();
        used.at(static_cast<std::size_t>(sheetItem.sheet - 1)).quantity += sheetItem.quantity;
    }
    // In coil mode every layout has a sheet of its own: equal coil lengths from the same place
    // are shown as one row.
    if (result_.job.stock == StockMode::Coil)
        for (std::size_t i = 0; i < used.size(); ++i)
            for (std::size_t j = i + 1; j < used.size(); ++j)
                if (used[j].location == used[i].location && used[j].length == used[i].length &&
                    used[j].width == used[i].width) {
                    used[i].quantity += used[j].quantity;
                    used[j].quantity = 0;
                }

    out_.line("Sheet(s) Utilization Summary").line();
    out_.put("Length").at(10, "Width").at(19, "QtyUsed").at(28, "Location").at(42, heading_).endLine();
    out_.line(kDashes56);
    for (const SheetVariety& s : used) {
        if (!(s.quantity > 0)) continue;
        out_.put(general(s.length))
            .at(10, general(s.width))
            .at(19, general(s.quantity))
            .at(28, s.location)
            .at(42, weightOrArea(s.length, s.width, s.quantity))
            .endLine();
        sheetsAdj_ += quotedRecord({general(s.length), general(s.width), general(s.quantity), s.location});
    }
}

void ReportWriter::piecesProduced() {
    out_.line().line(kStars).line("Cut-Piece(s) Summary").line();
    out_.put("Length")
        .at(10, "Width")
        .at(19, "QtyPro")
        .at(28, "(+/-)")
        .at(37, "Description")
        .at(51, "Product")
        .at(65, "Client")
        .endLine();
    out_.line(kDashes76);
    const auto& cuts = result_.job.cuts;
    for (std::size_t i = 0; i < cuts.size(); ++i) {
        if (!(produced_[i] > 0)) continue;
        const CutVariety& c = cuts[i];
        out_.put(general(c.length))
            .at(10, general(c.width))
            .at(19, general(produced_[i]))
            .at(27, surplusText(produced_[i], c.quantity))
            .at(37, c.description)
            .at(51, c.product)
            .at(65, c.client)
            .endLine();
    }
}

void ReportWriter::utilization() {
    double sheet = 0, piece = 0, margin = 0, offcut = 0;
    for (const LayoutItem& item : result_.items) {
        const double q = item.quantity;
        if (item.kind == ItemKind::Sheet) {
            const SheetVariety& s = result_.sheetOf(item);
            sheet += static_cast<double>(s.length) * s.width * q;
        } else if (item.isPiece()) {
            const CutVariety& c = result_.cutOf(item);
            piece += static_cast<double>(c.length) * c.width * q;
        } else if (item.kind == ItemKind::Margin || item.kind == ItemKind::Offcut) {
            const float l = innerLength(item, kerf_), w = innerWidth(item, kerf_);
            if (!(l > 0 && w > 0)) continue;
            (item.kind == ItemKind::Margin ? margin : offcut) += static_cast<double>(w) * l * q;
        }
    }
    const double kerfArea = sheet - ((margin + offcut) + piece);

    out_.line().line(kStars).line("Overall Utitlization Summary").line();
    out_.put("Entity").at(25, "Percentage").at(40, heading_).endLine();
    const std::pair<const char*, double> rows[] = {
        {"Sheet", sheet}, {"Cut-Peice", piece}, {"Margin", margin}, {"Kerf", kerfArea}, {"Offcut", offcut}};
    for (const auto& [name, area] : rows) {
        const double percent = sheet != 0 ? area / sheet * 100 : 0;
        out_.put(name).at(25, fixedText(percent, 2, false)).at(40, weightOrArea(area, 1, 1)).endLine();
    }
}

void ReportWriter::cuttingStatistics() {
    out_.line().line(kStars).line("Cutting Statistics Summary").line();
    out_.put("*Layout No.").at(16, "Cutting Length").at(34, "Cutting Strokes").endLine();
    out_.line(kDashes76);
    float totalLength = 0;
    long long totalStrokes = 0;
    for (std::size_t k = 0; k < cutting_.size(); ++k) {
        const LayoutCutting& c = cutting_[k];
        out_.put(std::to_string(k + 1))
            .at(16, twoDecimals(c.lengthTotal))
            .at(34, generalText(c.strokesTotal))
            .endLine();
        totalLength += c.lengthTotal;
        totalStrokes += c.strokesTotal;
    }
    out_.line(kDashes76);
    out_.put("T O T A L").at(16, twoDecimals(totalLength)).at(34, generalText(totalStrokes)).endLine();
    out_.line().line(kStars);
}

void ReportWriter::edgeBandingSummary() {
    out_.line("PVC Edge Banding Summary").line();
    out_.put("Width").at(10, "Color").at(20, "Length").endLine();
    out_.line(kDashes76);
    for (const BandEntry& e : edgeBanding(result_.job.cuts, produced_, settings_.increment))
        out_.put(printNumber(e.width)).at(10, e.colour).at(20, printNumber(e.length)).endLine();
    out_.line().line(kStars);
}

void ReportWriter::layoutSection(int n) {
    const auto items = result_.layout(n);
    const LayoutItem& sheetItem = items.front();
    const SheetVariety& sheet = result_.sheetOf(sheetItem);
    const LayoutCutting& cutting = cutting_[static_cast<std::size_t>(n - 1)];

    double cutArea = 0;
    std::vector<int> count(result_.job.cuts.size(), 0);
    for (const LayoutItem& item : items) {
        if (!item.isPiece()) continue;
        const CutVariety& c = result_.cutOf(item);
        cutArea += static_cast<double>(c.length) * c.width;
        ++count[static_cast<std::size_t>(item.piece() - 1)];
    }
    cutArea -= overlappingPieceArea(items, kerf_);
    double sheetArea = static_cast<double>(sheet.width) * sheet.length;
    if (sheetArea == 0) {
        sheetArea = 1;
        cutArea = 0;
    }
    const double yield = std::min(cutArea / sheetArea, 1.0);

    out_.line("Layout No. " + std::to_string(n) + "/" + std::to_string(layoutTotal_)).line();
    out_.line("Sheet(s) Used");
    out_.line("Size    : " + general(sheet.length) + " X " + general(sheet.width));
    out_.line("Margins : " + general(sheet.marginLeft) + "(ML) " + general(sheet.marginTop) + "(MT) " +
              general(sheet.marginRight) + "(MR) " + general(sheet.marginBottom) + "(MB)");
    out_.line("Quantity: " + general(sheetItem.quantity));
    out_.line("Yield(%): " + twoDecimals(yield * 100)).line();
    out_.line("Cutting Statistics");
    out_.line("Cutting Length Per Sheet: " + twoDecimals(cutting.lengthPerSheet) +
              "    Total: " + twoDecimals(cutting.lengthTotal));
    out_.line("No of Strokes Per Sheet: " + generalText(cutting.strokesPerSheet) +
              "    Total: " + generalText(cutting.strokesTotal));
    out_.line();

    out_.line("Cut-Pieces Generated");
    out_.put("Length").at(10, "Width").at(19, "QtyPro").at(28, "Description").at(42, "Product").at(56, "Client");
    out_.endLine().line(kDashes67);
    const auto& cuts = result_.job.cuts;
    for (std::size_t i = 0; i < cuts.size(); ++i) {
        if (count[i] <= 0) continue;
        const CutVariety& c = cuts[i];
        out_.put(general(c.length))
            .at(10, general(c.width))
            .at(19, generalText(count[i]))
            .at(28, c.description)
            .at(42, c.product)
            .at(56, c.client)
            .endLine();
    }

    out_.line().line("OffCut Generated");
    out_.line("Length  Width    Length  Width    Length  Width    Length  Width");
    out_.line("---------------  ---------------  ---------------  ---------------");
    int onLine = 0;
    for (const LayoutItem& item : items) {
        if (item.kind != ItemKind::Margin && item.kind != ItemKind::Offcut) continue;
        const float l = innerLength(item, kerf_), w = innerWidth(item, kerf_);
        if (!(l > 0 && w > 0)) continue;
        if (onLine == 4) {
            out_.endLine();
            onLine = 0;
        }
        const int column = 17 * onLine + 1;
        out_.at(column, general(displayRound(l))).at(column + 8, general(displayRound(w)));
        ++onLine;
    }
    out_.endLine().endLine().line(kStars);
}

}  // namespace

bool isReportHeading(std::string_view line) {
    return line.starts_with("Layout No. ") || line.ends_with(" Summary") || line.ends_with("Basic Details");
}

ReportSettings readReportSettings(const Workspace& workspace, const std::string& material) {
    ReportSettings s;
    s.option = reportOption(workspace);
    s.increment = edgeBandingIncrement(workspace);
    s.density = densityOf(workspace, material);
    return s;
}

Report buildReport(const LoadedResult& result, const ReportSettings& settings) {
    if (result.empty()) throw InputError(kNotOptimizedMessage);
    return ReportWriter(result, settings).write();
}

}  // namespace veltrix::reports
