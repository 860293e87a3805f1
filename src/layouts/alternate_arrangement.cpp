#include "layouts/alternate_arrangement.h"

#include "engine/alternate_run.h"
#include "base/error.h"

namespace veltrix::layouts {

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
        if (item.kind == ItemKind::Sheet)
            problem.sheets.at(static_cast<std::size_t>(item.sheet - 1)).quantity = 1;
        else if (item.isPiece())
            problem.cuts.at(static_cast<std::size_t>(item.piece() - 1)).quantity += 1;
    }
    return problem;
}

Plan replaceLayout(const LoadedResult& result, int layout, const Plan& arranged) {
    checkArrangeable(result, layout);
    const std::size_t begin = result.layoutBegin(layout);
    const std::size_t end = result.layoutEnd(layout);
    const LayoutItem& sheetItem = result.items[begin];
    std::vector<LayoutItem> items(result.items.begin(), result.items.begin() + static_cast<std::ptrdiff_t>(begin));
    for (LayoutItem item : arranged.items) {
        item.layout = sheetItem.layout;
        item.quantity = sheetItem.quantity;
        item.sheet = sheetItem.sheet;
        items.push_back(item);
    }
    items.insert(items.end(), result.items.begin() + static_cast<std::ptrdiff_t>(end), result.items.end());
    return Plan{std::move(items)};
}

ArrangeTry tryArrangement(const LoadedResult& result, int layout, StrategyCycle& strategies, int efficiency) {
    const OneSheetProblem problem = oneSheetProblem(result, layout);
    ArrangeTry outcome;
    for (int attempt = 1; attempt <= engine::kStrategyCount; ++attempt) {
        const engine::FillStrategy strategy = strategies.next();
        outcome.strategy = engine::strategyNumber(strategy);
        outcome.attempts = attempt;
        // Nothing at all (the input fails validation) places nothing either.
        const auto plan = engine::alternateArrangement(result.job.basic, result.job.mode, StockMode::Sheet,
                                                       problem.sheets, problem.cuts, strategy, efficiency);
        if (plan && !plan->empty()) {
            outcome.found = true;
            outcome.plan = replaceLayout(result, layout, *plan);
            break;
        }
    }
    return outcome;
}

}  // namespace veltrix::layouts
