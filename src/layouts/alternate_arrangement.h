#pragma once
// Alternate arrangement of one layout: its cut-pieces nested again on its own sheet with the
// engine's fill strategies in turn (1 to 8 and round again), the layout replaced in the result by
// the first arrangement found, and the arrangement from before the first try kept in diaalt.tlf so
// the user can go back to it.
//
//     StrategyCycle strategies;                          // kept while the Layouts window lives
//     keepOriginal(workspace, result);                   // diaalt.tlf, once before the first try
//     const ArrangeTry t = arrangeLayout(workspace, result, layout, strategies);
//     if (!t.found) ... tell kNoArrangementMessage; dia.tlf was not touched ...
//     restoreOriginal(workspace);                        // "Original Arrangement"

#include <vector>

#include "engine/loaded_result.h"

namespace veltrix {
class Workspace;
}

namespace veltrix::layouts {

inline constexpr const char* kNoArrangementMessage = "Alternate Arrangment for this layout is not possible";

// The strategy numbers of successive attempts: 1, 2, ... 8, then 1 again.
class StrategyCycle {
public:
    // Advances and returns the strategy of the next attempt.
    int next() {
        current_ = current_ >= 8 ? 1 : current_ + 1;
        return current_;
    }
    // The strategy of the last attempt; 0 before the first.
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

// The result's items with layout n replaced by `arranged` (one layout as the engine writes it):
// the items before it, every arranged item with the layout number, quantity and sheet number of
// the replaced layout's sheet item, then the items after it.
std::vector<engine::LayoutItem> replaceLayout(const engine::LoadedResult& result, int layout,
                                              const std::vector<engine::LayoutItem>& arranged);

struct ArrangeTry {
    bool found = false;
    int strategy = 0;                       // the strategy that found it (the last tried otherwise)
    int attempts = 0;                       // strategies tried, 1 to 8
    std::vector<engine::LayoutItem> items;  // the whole result with the layout arranged anew
};

// Up to 8 attempts with the next strategies of the cycle, each an alternate-arrangement run of the
// engine on the one-sheet problem with the job's basic details, objective and `efficiency`;
// stops at the first that places the pieces on one sheet. Sheet mode only (throws InputError in
// coil mode or for a layout number outside the result).
ArrangeTry tryArrangement(const engine::LoadedResult& result, int layout, StrategyCycle& strategies,
                          int efficiency);

// Writes every layout item of the result to diaalt.tlf. Throws FileError.
void keepOriginal(const Workspace& workspace, const engine::LoadedResult& result);

// One try in the working folder: writes the one-sheet problem to s.tlf and c.tlf, tries with the
// nesting efficiency of misc.set, and when an arrangement is found writes the rebuilt result to
// dia.tlf. When none is found dia.tlf is left as it was. Throws FileError, InputError.
ArrangeTry arrangeLayout(const Workspace& workspace, const engine::LoadedResult& result, int layout,
                         StrategyCycle& strategies);

// "Original Arrangement": diaalt.tlf copied over dia.tlf. Returns false, changing nothing, when
// diaalt.tlf holds no layout items (missing or emptied): the result in dia.tlf is never replaced
// by nothing. Throws FileError when dia.tlf cannot be written.
bool restoreOriginal(const Workspace& workspace);

}  // namespace veltrix::layouts
