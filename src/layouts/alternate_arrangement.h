#pragma once
// Alternate arrangement of one layout: its cut-pieces nested again on its own sheet with the
// engine's fill strategies in turn (1 to 8 and round again), the layout replaced in the plan by the
// first arrangement found.
//
//     StrategyCycle strategies;                          // kept while the Layouts window lives
//     const ArrangeTry t = tryArrangement(result, layout, strategies, efficiency);
//     if (!t.found) ... tell kNoArrangementMessage; the plan stays as it was ...

#include <vector>

#include "engine/loaded_result.h"

namespace veltrix::layouts {

inline constexpr const char* kNoArrangementMessage = "Alternate Arrangment for this layout is not possible";

// The strategy numbers of successive attempts: 1, 2, ... 8, then 1 again.
class StrategyCycle {
public:
    // Advances and returns the strategy of the next attempt.
    engine::FillStrategy next() {
        current_ = current_ >= engine::kStrategyCount ? 1 : current_ + 1;
        return engine::strategyOfNumber(current_);
    }
    // The number of the strategy of the last attempt; 0 before the first.
    int current() const { return current_; }

private:
    int current_ = 0;
};

// The one-sheet problem of layout n: every variety as the result numbers it, each sheet quantity 0
// but the layout's sheet 1, each cut-piece quantity the number of its items in the layout.
struct OneSheetProblem {
    std::vector<engine::SheetVariety> sheets;
    std::vector<engine::CutVariety> cuts;
};
OneSheetProblem oneSheetProblem(const engine::LoadedResult& result, int layout);

// The result's plan with layout n replaced by `arranged` (one layout as the engine writes it):
// the items before it, every arranged item with the layout number, quantity and sheet number of
// the replaced layout's sheet item, then the items after it.
Plan replaceLayout(const engine::LoadedResult& result, int layout, const Plan& arranged);

struct ArrangeTry {
    bool found = false;
    int strategy = 0;  // the number of the strategy that found it (the last tried otherwise)
    int attempts = 0;  // strategies tried, 1 to 8
    Plan plan;         // the whole plan with the layout arranged anew
};

// Up to 8 attempts with the next strategies of the cycle, each an alternate-arrangement run of the
// engine on the one-sheet problem with the job's basic details, objective and `efficiency`;
// stops at the first that places the pieces on one sheet. Sheet mode only (throws InputError in
// coil mode or for a layout number outside the result).
ArrangeTry tryArrangement(const engine::LoadedResult& result, int layout, StrategyCycle& strategies,
                          int efficiency);

}  // namespace veltrix::layouts
