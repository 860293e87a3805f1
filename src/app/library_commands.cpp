#include "app/library_commands.h"

#include "app/base_module.h"
#include "platform/prompt.h"

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

}  // namespace veltrix
