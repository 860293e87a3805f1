#include "engine/prepare.h"

#include <cmath>
#include <utility>

#include "job/settings.h"
#include "table/file_ops.h"
#include "table/number_text.h"

namespace veltrix::engine {
namespace {

float number(const GridTable& grid, int row, int column) { return leadingFloat(grid.cell(row, column)); }

bool filled(const std::string& text) { return !trimBlanks(text).empty(); }

// Everything but the quantity.
bool sameSheet(const SheetVariety& a, const SheetVariety& b) {
    return a.grain == b.grain && a.length == b.length && a.location == b.location &&
           a.marginBottom == b.marginBottom && a.marginLeft == b.marginLeft && a.marginRight == b.marginRight &&
           a.marginTop == b.marginTop && a.width == b.width;
}

bool sameCut(const CutVariety& a, const CutVariety& b) {
    return a.alignText == b.alignText && a.lengthRemark1 == b.lengthRemark1 && a.lengthRemark2 == b.lengthRemark2 &&
           a.widthRemark1 == b.widthRemark1 && a.widthRemark2 == b.widthRemark2 && a.lengthBand1 == b.lengthBand1 &&
           a.lengthBand2 == b.lengthBand2 && a.widthBand1 == b.widthBand1 && a.widthBand2 == b.widthBand2 &&
           a.length == b.length && a.width == b.width && a.align == b.align && a.description == b.description &&
           a.product == b.product && a.client == b.client && a.labelFile == b.labelFile && a.dxfFile == b.dxfFile;
}

template <typename T, typename Same>
void mergeList(std::vector<T>& list, Same same) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i].quantity == 0) continue;  // merged away: it absorbs nothing
        for (std::size_t j = 0; j < list.size(); ++j) {
            if (j == i || list[j].quantity == 0 || !same(list[i], list[j])) continue;
            list[i].quantity += list[j].quantity;
            list[j].quantity = 0;
        }
    }
}

template <typename T>
double area(const T& v) {
    return static_cast<double>(v.length) * static_cast<double>(v.width);
}

// The gap passes, on 1-based positions as the numbering is defined.
template <typename T>
void gapPassSort(std::vector<T>& list) {
    const long long n = static_cast<long long>(list.size());
    auto at = [&](long long position) -> T& { return list[static_cast<std::size_t>(position - 1)]; };
    for (long long g = (n + 1) / 2; g >= 1; --g) {
        const long long p = static_cast<long long>(roundHalfEven(static_cast<double>(n + 1) / static_cast<double>(g))) - 1;
        for (long long b = 1; b <= p; ++b) {
            const long long last = std::min((b - 1) * g + g, n - g);
            for (long long i = 1 + (b - 1) * g; i <= last; ++i)
                if (area(at(i + g)) > area(at(i))) std::swap(at(i), at(i + g));
        }
    }
}

}  // namespace

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

PreparedJob prepareInput(const GridTable& basic, const GridTable& sheets, const GridTable& cuts, StockMode stock,
                         int mode) {
    PreparedJob job;
    job.basic = readBasicDetails(basic);
    job.mode = mode;
    job.stock = stock;
    const bool grain = filled(job.basic.grain);

    for (int r = 1; r <= sheets.rowCount() - 2; ++r) {
        SheetVariety s;
        s.length = number(sheets, r, kSheetLength);
        s.width = number(sheets, r, kSheetWidth);
        s.quantity = stock == StockMode::Coil ? kCoilQuantity : number(sheets, r, kSheetQty);
        s.grain = grain ? 1 : 0;
        s.marginLeft = number(sheets, r, kMarginLeft);
        s.marginTop = number(sheets, r, kMarginTop);
        s.marginRight = number(sheets, r, kMarginRight);
        s.marginBottom = number(sheets, r, kMarginBottom);
        s.location = sheets.cell(r, kSheetLocation);
        const float usableLength = s.length - (s.marginTop + s.marginBottom);
        const float usableWidth = s.width - (s.marginLeft + s.marginRight);
        if (usableLength > 0 && usableWidth > 0 && s.quantity > 0 && job.basic.blade >= s.width)
            job.sheets.push_back(std::move(s));
    }

    for (int r = 1; r <= cuts.rowCount() - 2; ++r) {
        CutVariety c;
        c.lengthBand1 = number(cuts, r, kLenEdge1);
        c.lengthRemark1 = cuts.cell(r, kLenRem1);
        c.lengthBand2 = number(cuts, r, kLenEdge2);
        c.lengthRemark2 = cuts.cell(r, kLenRem2);
        c.widthBand1 = number(cuts, r, kWidEdge1);
        c.widthRemark1 = cuts.cell(r, kWidRem1);
        c.widthBand2 = number(cuts, r, kWidEdge2);
        c.widthRemark2 = cuts.cell(r, kWidRem2);
        c.length = number(cuts, r, kCutLength) - c.widthBand1 - c.widthBand2;
        c.width = number(cuts, r, kCutWidth) - c.lengthBand1 - c.lengthBand2;
        c.quantity = number(cuts, r, kCutQty);
        c.alignText = cuts.cell(r, kCutAlign);
        c.align = grain && filled(c.alignText) ? 1 : 0;
        c.description = cuts.cell(r, kCutDescription);
        c.product = cuts.cell(r, kCutProduct);
        c.client = cuts.cell(r, kCutClient);
        c.labelFile = cuts.cell(r, kCutLabelFile);
        c.dxfFile = cuts.cell(r, kCutDxfFile);
        if (c.length > 0 && c.width > 0 && c.quantity > 0) job.cuts.push_back(std::move(c));
    }

    mergeSheets(job.sheets);
    mergeCuts(job.cuts);
    return job;
}

PreparedJob prepareInput(const JobTables& tables, StockMode stock, const Objective& objective) {
    return prepareInput(tables.basic, tables.sheets, tables.cuts, stock, objective.mode());
}

void mergeSheets(std::vector<SheetVariety>& sheets) { mergeList(sheets, sameSheet); }
void mergeCuts(std::vector<CutVariety>& cuts) { mergeList(cuts, sameCut); }

void addKerf(PreparedJob& job) {
    const float kerf = job.basic.kerf;
    if (kerf == 0) return;
    for (auto& s : job.sheets) {
        s.length += kerf;
        s.width += kerf;
    }
    for (auto& c : job.cuts) {
        c.length += kerf;
        c.width += kerf;
    }
}

void removeKerf(PreparedJob& job) {
    const float kerf = job.basic.kerf;
    if (kerf == 0) return;
    for (auto& s : job.sheets) {
        s.length -= kerf;
        s.width -= kerf;
    }
    for (auto& c : job.cuts) {
        c.length -= kerf;
        c.width -= kerf;
    }
}

void sortSheetsByArea(std::vector<SheetVariety>& sheets) { gapPassSort(sheets); }
void sortCutsByArea(std::vector<CutVariety>& cuts) { gapPassSort(cuts); }

void sortByArea(PreparedJob& job) {
    sortSheetsByArea(job.sheets);
    sortCutsByArea(job.cuts);
}

PreparedJob prepareNumbering(const GridTable& basic, const GridTable& sheets, const GridTable& cuts,
                             StockMode stock, int mode) {
    PreparedJob job = prepareInput(basic, sheets, cuts, stock, mode);
    addKerf(job);
    sortByArea(job);
    removeKerf(job);
    return job;
}

std::optional<std::string> validationMessage(const PreparedJob& job) {
    if (job.basic.blade + job.basic.kerf == 0) return std::string(kWrongBladeMessage);
    if (job.sheets.empty()) return std::string(job.stock == StockMode::Coil ? kNoCoilsMessage : kNoSheetsMessage);
    if (job.cuts.empty()) return std::string(kNoCutsMessage);
    return std::nullopt;
}

std::optional<std::string> tooSmallPieceMessage(const PreparedJob& job) {
    const float kerf = job.basic.kerf;
    const float tolerance = job.basic.tolerance;
    for (const auto& c : job.cuts) {
        const float length = c.length + kerf;
        const float width = c.width + kerf;
        if (length > tolerance && width > tolerance) continue;
        std::string name = c.description.empty() ? std::string() : " (" + c.description + ")";
        return "Cut-piece " + generalText(c.length) + " x " + generalText(c.width) + name +
               " is too small: with the kerf it must be larger than the tolerance " + generalText(tolerance) + ".";
    }
    return std::nullopt;
}

long long iterationBudget(std::size_t cutVarieties, int efficiency) {
    return static_cast<long long>(cutVarieties) * static_cast<long long>(efficiencyFactor(efficiency));
}

}  // namespace veltrix::engine
