#include "libraries/sheet_import.h"

#include <optional>

#include "job/job_tables.h"
#include "table/editing.h"
#include "base/file_ops.h"
#include "table/grid_table.h"
#include "base/number_text.h"
#include "base/table_file.h"
#include "base/workspace.h"

namespace veltrix {

std::vector<StockRecord> stockForMaterial(const std::vector<StockRecord>& library, std::string_view material,
                                          std::string_view grain, float thickness) {
    std::vector<StockRecord> taken;
    bool inBlock = false;
    for (const StockRecord& record : library) {
        if (record[kStockMat] != material) {
            if (inBlock) break;
            continue;
        }
        inBlock = true;
        if (record[kStockGrain] == grain && leadingFloat(record[kStockThick]) == thickness &&
            record[kStockLocation] != kScrapLocation)
            taken.push_back(record);
    }
    return taken;
}

namespace {

std::optional<SheetMargins> firstMargins(const GridTable& sheets) {
    for (int r = 1; r < sheets.rowCount(); ++r) {
        SheetMargins m{trimBlanks(sheets.cell(r, kMarginLeft)), trimBlanks(sheets.cell(r, kMarginTop)),
                       trimBlanks(sheets.cell(r, kMarginRight)), trimBlanks(sheets.cell(r, kMarginBottom))};
        if (!m.left.empty() || !m.top.empty() || !m.right.empty() || !m.bottom.empty()) return m;
    }
    return std::nullopt;
}

}  // namespace

SheetMargins marginsToKeep(const GridTable& sheets, const GridTable& fallback) {
    if (auto m = firstMargins(sheets)) return *m;
    return firstMargins(fallback).value_or(SheetMargins{});
}

std::vector<std::string> sheetRowNames(const GridTable& sheets) {
    std::vector<std::string> names;
    for (int r = 1; r < sheets.rowCount(); ++r) {
        if (sheets.rowEmpty(r)) continue;
        std::string name = trimBlanks(sheets.cell(r, kSheetLength)) + " x " + trimBlanks(sheets.cell(r, kSheetWidth));
        const std::string location = trimBlanks(sheets.cell(r, kSheetLocation));
        if (!location.empty()) name += " " + location;
        names.push_back(std::move(name));
    }
    return names;
}

std::string importedSheetText(const std::vector<StockRecord>& stock, const SheetMargins& margins) {
    std::string text;
    for (const StockRecord& s : stock)
        text += quotedRecord({s[kStockLength], s[kStockWidth], s[kStockQty], margins.left, margins.top, margins.right,
                              margins.bottom, s[kStockLocation]});
    return text;
}

std::vector<StockRecord> librarySheetsFor(const Workspace& workspace, const GridTable& basic) {
    const auto library = materialLibraryPath(workspace);
    if (!fileExists(library)) return {};
    return stockForMaterial(parseStock(readWholeFile(library)), basic.cell(1, kMat), basic.cell(1, kGrain),
                            leadingFloat(basic.cell(1, kThick)));
}

}  // namespace veltrix
