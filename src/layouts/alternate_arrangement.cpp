#include "layouts/alternate_arrangement.h"

#include "engine/alternate_run.h"
#include "engine/result_files.h"
#include "job/job_tables.h"
#include "job/settings.h"
#include "table/error.h"
#include "table/file_ops.h"
#include "table/workspace.h"

namespace veltrix::layouts {

using engine::LayoutItem;
using engine::LoadedResult;

namespace {

void checkArrangeable(const LoadedResult& result, int layout) {
    if (result.job.stock == StockMode::Coil)
        throw InputError("Alternate arrangements are made in sheet mode only.");
    if (layout < 1 || layout > result.layoutCount())
        throw InputError("There is no layout " + std::to_string(layout) + " to arrange.");
}

}  // namespace

OneSheetProblem oneSheetProblem(const LoadedResult& result, int layout) {
    checkArrangeable(result, layout);
    OneSheetProblem problem{result.job.sheets, result.job.cuts};
    for (auto& sheet : problem.sheets) sheet.quantity = 0;
    for (auto& cut : problem.cuts) cut.quantity = 0;
    for (const LayoutItem& item : result.layout(layout)) {
        if (item.kind == engine::kSheetItem)
            problem.sheets.at(static_cast<std::size_t>(item.sheet - 1)).quantity = 1;
        else if (item.isPiece())
            problem.cuts.at(static_cast<std::size_t>(item.kind - 1)).quantity += 1;
    }
    return problem;
}

std::vector<LayoutItem> replaceLayout(const LoadedResult& result, int layout, const std::vector<LayoutItem>& arranged) {
    checkArrangeable(result, layout);
    const std::size_t begin = result.layoutBegin(layout);
    const std::size_t end = result.layoutEnd(layout);
    const LayoutItem& sheetItem = result.items[begin];
    std::vector<LayoutItem> items(result.items.begin(), result.items.begin() + static_cast<std::ptrdiff_t>(begin));
    for (LayoutItem item : arranged) {
        item.layout = sheetItem.layout;
        item.quantity = sheetItem.quantity;
        item.sheet = sheetItem.sheet;
        items.push_back(item);
    }
    items.insert(items.end(), result.items.begin() + static_cast<std::ptrdiff_t>(end), result.items.end());
    return items;
}

ArrangeTry tryArrangement(const LoadedResult& result, int layout, StrategyCycle& strategies, int efficiency) {
    const OneSheetProblem problem = oneSheetProblem(result, layout);
    ArrangeTry outcome;
    for (int attempt = 1; attempt <= 8; ++attempt) {
        outcome.strategy = strategies.next();
        outcome.attempts = attempt;
        // Nothing at all (the input fails validation) places nothing either.
        const auto plan = engine::alternateArrangement(result.job.basic, result.job.mode, StockMode::Sheet,
                                                       problem.sheets, problem.cuts, outcome.strategy, efficiency);
        if (plan && !plan->empty()) {
            outcome.found = true;
            outcome.items = replaceLayout(result, layout, *plan);
            break;
        }
    }
    return outcome;
}

void keepOriginal(const Workspace& workspace, const LoadedResult& result) {
    engine::writeLayoutItems(workspace.file(engine::kAlternateResultFile), result.items);
}

ArrangeTry arrangeLayout(const Workspace& workspace, const LoadedResult& result, int layout,
                         StrategyCycle& strategies) {
    const OneSheetProblem problem = oneSheetProblem(result, layout);
    engine::writeSheetVarieties(workspace.file(engine::kSubSheetFile), problem.sheets);
    engine::writeCutVarieties(workspace.file(engine::kSubCutFile), problem.cuts);
    ArrangeTry outcome = tryArrangement(result, layout, strategies, readMiscSettings(workspace).efficiency);
    if (outcome.found) engine::writeLayoutItems(workspace.file(kResultFile), outcome.items);
    return outcome;
}

bool restoreOriginal(const Workspace& workspace) {
    const std::vector<LayoutItem> original = engine::readLayoutItems(workspace.file(engine::kAlternateResultFile));
    if (original.empty()) return false;
    writeFileAtomic(workspace.file(kResultFile), readWholeFile(workspace.file(engine::kAlternateResultFile)));
    return true;
}

}  // namespace veltrix::layouts
