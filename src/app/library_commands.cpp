#include "app/library_commands.h"

#include "app/base_module.h"
#include "app/job_commands.h"
#include "libraries/load_products.h"
#include "libraries/offcut_export.h"
#include "platform/prompt.h"
#include "base/file_ops.h"
#include "table/grid_table.h"

namespace veltrix {

namespace {

// The order window's rows: PRODUCTS, QTY, CLIENT as typed.
std::vector<OrderLine> orderLines(const GridTable& order) {
    std::vector<OrderLine> lines;
    for (int r = 1; r < order.rowCount(); ++r)
        if (!order.rowEmpty(r))
            lines.push_back(OrderLine{trimBlanks(order.cell(r, 1)), trimBlanks(order.cell(r, 2)), trimBlanks(order.cell(r, 3))});
    return lines;
}

}  // namespace

SheetImportResult importSheetsFromLibrary(BaseModule& module) {
    SheetImportResult result;
    if (module.mode() != StockMode::Sheet) return result;
    Prompt& prompt = module.prompt();
    std::optional<LibrarySizes> sizes;
    try {
        sizes = librarySizesFor(module.document(), module.workspace());
    } catch (const std::exception& e) {
        prompt.tell(e.what(), kAttention, Icon::Exclamation);
        return result;
    }
    if (!sizes) {
        const Answer a =
            prompt.ask(Message{kNotInLibraryQuestion, kAttention, Icon::Exclamation, Buttons::YesNo, Answer::Yes});
        result.openLibrary = a == Answer::Yes;
        return result;
    }
    result.count = sizes->count;
    // The import replaces the sheet table, so it is an edit of the job like a typed blank.
    if (module.confirmJobEdit(' ') == ChangeAnswer::Refuse) {
        result.outcome = SheetImportResult::Outcome::Refused;
        return result;
    }
    applyLibrarySizes(module.document(), *sizes);
    result.outcome = SheetImportResult::Outcome::Imported;
    module.state().importLock = true;
    module.state().exportMark = true;
    prompt.tell(importMessage(*sizes), kAttention, Icon::Information);
    return result;
}

bool exportOffcutsToLibrary(const Workspace& workspace, const GridTable& basic, const GridTable& offcuts,
                            Prompt& prompt) {
    const Answer a =
        prompt.ask(Message{"Update Material Library?", kAttention, Icon::Question, Buttons::YesNo, Answer::Yes});
    if (a != Answer::Yes) return false;
    try {
        exportRecordsToLibrary(workspace, basic, offcuts, readWholeFile(workspace.file(kSheetsUsedFile)));
    } catch (const std::exception& e) {
        prompt.tell(e.what(), kAttention, Icon::Exclamation);
        return false;
    }
    prompt.tell("Material Library Updated!", kAttention, Icon::Information);
    return true;
}

bool generateFromOrder(const Workspace& workspace, const GridTable& order, std::string_view prefix,
                       std::string_view extension, Prompt& prompt) {
    try {
        // The order window's table file is kept: the window opens with it next time.
        order.save();
        const LoadProductsResult result = loadProducts(workspace, orderLines(order), prefix, extension);
        prompt.tell(result.message, kAttention, result.files.empty() ? Icon::Exclamation : Icon::Information);
        return !result.files.empty();
    } catch (const std::exception& e) {
        prompt.tell(e.what(), kAttention, Icon::Exclamation);
        return false;
    }
}

}  // namespace veltrix
