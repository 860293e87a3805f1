#include "libraries/sheet_import.h"

#include "job/job_tables.h"
#include "table/editing.h"
#include "table/file_ops.h"
#include "table/grid_table.h"
#include "table/number_text.h"
#include "table/table_file.h"
#include "table/workspace.h"

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

std::string importedSheetText(const std::vector<StockRecord>& stock) {
    std::string text;
    for (const StockRecord& s : stock)
        text += quotedRecord({s[kStockLength], s[kStockWidth], s[kStockQty], "", "", "", "", s[kStockLocation]});
    return text;
}

std::vector<StockRecord> librarySheetsFor(const Workspace& workspace, const GridTable& basic) {
    const auto library = materialLibraryPath(workspace);
    if (!fileExists(library)) return {};
    return stockForMaterial(parseStock(readWholeFile(library)), basic.cell(1, kMat), basic.cell(1, kGrain),
                            leadingFloat(basic.cell(1, kThick)));
}

}  // namespace veltrix
