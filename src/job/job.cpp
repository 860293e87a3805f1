#include "job/job.h"

#include <algorithm>
#include <cmath>

#include "table/columns.h"
#include "base/file_ops.h"
#include "base/number_text.h"

namespace veltrix {
namespace {

float number(const GridTable& grid, int row, int column) { return leadingFloat(grid.cell(row, column)); }

// The rows that hold data: all but a blank last row (the row a grid keeps for typing).
int dataRows(const GridTable& grid) {
    int rows = grid.rowCount() - 1;
    if (rows > 0 && grid.rowEmpty(rows)) --rows;
    return rows;
}

}  // namespace

namespace {

// What is wrong with one value of a column, or empty text.
std::string valueProblem(float value, bool whole) {
    if (!std::isfinite(value)) return "is not a number";
    if (value < 0) return "is negative";
    if (value > kLargestValue) return "is larger than " + generalText(kLargestValue);
    if (whole && value != std::floor(value)) return "is not a whole number";
    return {};
}

struct Checker {
    std::optional<std::string> found;
    void check(const std::string& where, const char* column, float value, bool whole = false) {
        if (found) return;
        const std::string problem = valueProblem(value, whole);
        if (!problem.empty()) found = where + ": " + column + " " + generalText(value) + " " + problem + ".";
    }
};

std::string rowName(const char* table, std::size_t index) { return std::string(table) + " row " + std::to_string(index + 1); }

}  // namespace

std::optional<std::string> impossibleValue(const Job& job) {
    Checker c;
    const BasicDetails& b = job.basic;
    c.check("Basic details", "THICK", b.thickness);
    c.check("Basic details", "BLADE", b.blade);
    c.check("Basic details", "TOL", b.tolerance);
    c.check("Basic details", "KERF", b.kerf);
    c.check("Basic details", "MIN OC", b.minOffcut);
    const char* stock = job.mode == StockMode::Coil ? "Coil" : "Sheet";
    for (std::size_t i = 0; i < job.stock.size(); ++i) {
        const StockRow& s = job.stock[i];
        const std::string where = rowName(stock, i);
        c.check(where, "LENGTH", s.length);
        c.check(where, "WIDTH", s.width);
        if (job.mode == StockMode::Sheet) c.check(where, "QTY", s.quantity, true);
        c.check(where, "M(L)", s.marginLeft);
        c.check(where, "M(T)", s.marginTop);
        c.check(where, "M(R)", s.marginRight);
        c.check(where, "M(B)", s.marginBottom);
    }
    double pieces = 0;
    for (std::size_t i = 0; i < job.cuts.size(); ++i) {
        const CutRow& r = job.cuts[i];
        const std::string where = rowName("Cut-piece", i);
        c.check(where, "LENGTH", r.length);
        c.check(where, "EDGE-1", r.lengthBand1);
        c.check(where, "EDGE-2", r.lengthBand2);
        c.check(where, "WIDTH", r.width);
        c.check(where, "EDGE-1", r.widthBand1);
        c.check(where, "EDGE-2", r.widthBand2);
        c.check(where, "QTY", r.quantity, true);
        if (std::isfinite(r.quantity)) pieces += r.quantity;
    }
    if (!c.found && pieces > kMostPieces)
        c.found = "The cut-pieces add up to " + generalText(pieces) + " pieces; a job may ask for at most " +
                  generalText(kMostPieces) + ".";
    return c.found;
}

std::optional<std::string> impossibleValue(const JobTables& tables, StockMode mode) {
    // A coil's QTY is never read.
    const auto tooLarge = [](const GridTable& grid, const char* table, bool basic,
                             bool skipQuantity) -> std::optional<std::string> {
        const int rows = basic ? std::min(grid.rowCount(), 2) : grid.rowCount();
        for (int r = 1; r < rows; ++r) {
            for (int c = 1; c < grid.columnCount(); ++c) {
                const ValueKind kind = lookupColumn(grid.key(c)).kind;
                if (kind != ValueKind::Real && kind != ValueKind::Whole) continue;
                if (skipQuantity && grid.key(c) == "QTY") continue;
                const std::string& text = grid.cell(r, c);
                if (leadingFloatInRange(text)) continue;
                const std::string where = basic ? std::string("Basic details") : rowName(table, static_cast<std::size_t>(r - 1));
                return where + ": " + grid.key(c) + " " + trimBlanks(text) + " is larger than " +
                       generalText(kLargestValue) + ".";
            }
        }
        return std::nullopt;
    };
    const bool coil = mode == StockMode::Coil;
    if (auto p = tooLarge(tables.basic, "", true, false)) return p;
    if (auto p = tooLarge(tables.sheets, coil ? "Coil" : "Sheet", false, coil)) return p;
    if (auto p = tooLarge(tables.cuts, "Cut-piece", false, false)) return p;
    return impossibleValue(readJob(tables, mode, Objective{}));
}

bool BasicDetails::hasGrain() const { return !trimBlanks(grain).empty(); }

BasicDetails readBasicDetails(const GridTable& basic) {
    BasicDetails d;
    d.material = basic.cell(1, kMat);
    d.grain = basic.cell(1, kGrain);
    d.thickness = number(basic, 1, kThick);
    d.blade = number(basic, 1, kBlade);
    d.tolerance = number(basic, 1, kTol);
    d.kerf = number(basic, 1, kKerf);
    d.minOffcut = number(basic, 1, kMinOc);
    d.note = basic.cell(1, kNote);
    return d;
}

Job readJob(const JobTables& tables, StockMode mode, const Objective& objective) {
    Job job;
    job.mode = mode;
    job.objective = objective;
    job.basic = readBasicDetails(tables.basic);

    const GridTable& sheets = tables.sheets;
    for (int r = 1; r <= dataRows(sheets); ++r) {
        StockRow s;
        s.length = number(sheets, r, kSheetLength);
        s.width = number(sheets, r, kSheetWidth);
        s.quantity = number(sheets, r, kSheetQty);
        s.marginLeft = number(sheets, r, kMarginLeft);
        s.marginTop = number(sheets, r, kMarginTop);
        s.marginRight = number(sheets, r, kMarginRight);
        s.marginBottom = number(sheets, r, kMarginBottom);
        s.location = sheets.cell(r, kSheetLocation);
        job.stock.push_back(std::move(s));
    }

    const GridTable& cuts = tables.cuts;
    for (int r = 1; r <= dataRows(cuts); ++r) {
        CutRow c;
        c.length = number(cuts, r, kCutLength);
        c.lengthBand1 = number(cuts, r, kLenEdge1);
        c.lengthRemark1 = cuts.cell(r, kLenRem1);
        c.lengthBand2 = number(cuts, r, kLenEdge2);
        c.lengthRemark2 = cuts.cell(r, kLenRem2);
        c.width = number(cuts, r, kCutWidth);
        c.widthBand1 = number(cuts, r, kWidEdge1);
        c.widthRemark1 = cuts.cell(r, kWidRem1);
        c.widthBand2 = number(cuts, r, kWidEdge2);
        c.widthRemark2 = cuts.cell(r, kWidRem2);
        c.quantity = number(cuts, r, kCutQty);
        c.align = cuts.cell(r, kCutAlign);
        c.description = cuts.cell(r, kCutDescription);
        c.product = cuts.cell(r, kCutProduct);
        c.client = cuts.cell(r, kCutClient);
        c.labelFile = cuts.cell(r, kCutLabelFile);
        c.dxfFile = cuts.cell(r, kCutDxfFile);
        job.cuts.push_back(std::move(c));
    }
    return job;
}

}  // namespace veltrix
