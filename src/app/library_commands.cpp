#include "app/library_commands.h"

#include "app/base_module.h"
#include "libraries/load_products.h"
#include "platform/prompt.h"
#include "table/grid_table.h"

namespace veltrix {

SheetImportResult importSheetsFromLibrary(BaseModule& module) {
    SheetImportResult result;
    if (module.state().mode != StockMode::Sheet) return result;
    try {
        result = importSheets(module.workspace(), module.tables().basic, module.tables().sheets, module.prompt());
    } catch (const std::exception& e) {
        module.prompt().tell(e.what(), "Attention!", Icon::Exclamation);
        return SheetImportResult{};
    }
    if (result.resultDiscarded) {
        module.hooks().closeResultWindows();
        module.state().continuationIteration = 0;
    }
    if (result.outcome == SheetImportResult::Outcome::Imported) {
        module.state().importLock = true;
        module.state().changed = true;
        module.state().exportMark = true;
    }
    return result;
}

bool generateFromOrder(const Workspace& workspace, const GridTable& order, std::string_view prefix,
                       std::string_view extension, Prompt& prompt) {
    try {
        // The order is handed over through its table file, as every grid hands over its work.
        order.save();
        return !loadProducts(workspace, readOrderFile(order.boundFile()), prefix, extension, prompt).files.empty();
    } catch (const std::exception& e) {
        prompt.tell(e.what(), "Attention!", Icon::Exclamation);
        return false;
    }
}

}  // namespace veltrix
