#include "libraries/offcut_export.h"

#include "libraries/library_records.h"
#include "table/grid_table.h"
#include "base/number_text.h"
#include "base/workspace.h"

namespace veltrix {

const std::vector<std::string>& offcutKeys() {
    static const std::vector<std::string> keys{"LAYOUT", "LENGTH", "WIDTH", "QTY", "LOCATION"};
    return keys;
}

bool exportAllowed(bool importedFromLibrary, StockMode mode) { return importedFromLibrary && mode == StockMode::Sheet; }

std::vector<StockRecord> exportRecords(std::string_view material, std::string_view grain, std::string_view thickness,
                                       const GridTable& offcuts, std::string_view sheetsUsedText) {
    const std::string mat(material), gr(grain), th(thickness);
    std::vector<StockRecord> records;
    for (int r = 1; r < offcuts.rowCount(); ++r) {
        // The grid's blank last row (and any emptied row) is no off-cut.
        if (offcuts.rowEmpty(r)) continue;
        records.push_back({mat, gr, th, offcuts.cell(r, 2), offcuts.cell(r, 3), offcuts.cell(r, 4), offcuts.cell(r, 5)});
    }
    for (const auto& used : readRecords(sheetsUsedText, 4)) {
        if (recordBlank(used)) continue;
        records.push_back({mat, gr, th, used[0], used[1], generalText(-leadingFloat(used[2])), used[3]});
    }
    return records;
}

std::size_t exportRecordsToLibrary(const Workspace& workspace, const GridTable& basic, const GridTable& offcuts,
                                   std::string_view sheetsUsedText) {
    const auto records =
        exportRecords(basic.cell(1, kMat), basic.cell(1, kGrain), basic.cell(1, kThick), offcuts, sheetsUsedText);
    appendToMaterialLibrary(workspace, records);
    return records.size();
}


}  // namespace veltrix
