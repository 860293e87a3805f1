#include "libraries/sheet_import.h"

#include "job/job_tables.h"
#include "platform/prompt.h"
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

SheetImportResult importSheets(const Workspace& workspace, const GridTable& basic, GridTable& sheets,
                               Prompt& prompt) {
    SheetImportResult result;
    const std::vector<StockRecord> stock = librarySheetsFor(workspace, basic);
    result.count = static_cast<int>(stock.size());

    if (stock.empty()) {
        const Answer a = prompt.ask(
            Message{kNotInLibraryQuestion, "Attention!", Icon::Exclamation, Buttons::YesNo, Answer::Yes});
        result.openLibrary = a == Answer::Yes;
        return result;
    }

    // The import replaces the sheet table, so it is an edit of the job like a typed blank.
    const ChangeAnswer change = confirmChange(' ', workspace.file(kResultFile), prompt);
    if (change == ChangeAnswer::Refuse) {
        result.outcome = SheetImportResult::Outcome::Refused;
        return result;
    }
    result.resultDiscarded = change == ChangeAnswer::GoOnDiscarded;
    const std::string text = importedSheetText(stock);
    writeFileAtomic(workspace.file(kSheetFile), text);
    sheets.clear();
    sheets.loadText(text);
    result.outcome = SheetImportResult::Outcome::Imported;
    prompt.tell(std::to_string(result.count) + kImportedMessage, "Attention!", Icon::Information);
    return result;
}

}  // namespace veltrix
