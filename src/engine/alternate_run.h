#pragma once
// The alternate-arrangement run: the pieces of one layout nested again on a single sheet with one
// chosen fill strategy, for the layout viewer's "Arrange". It is the search with these differences:
// the lists are taken as given (enlarged by the kerf, not sorted), only the chosen
// strategy is tried, every kept layout is cut once, the random sequence is seeded once with 2000,
// and the first plan of exactly one layout that meets the demand ends the run. No progress, no
// stop.

#include <optional>
#include <vector>

#include "engine/types.h"

namespace veltrix::engine {

// The one-layout plan found with `strategy`, or an empty plan when none was found within the
// budget (number of cut-piece varieties x efficiency factor). Nothing (no plan, not even an empty
// one) when the input fails validation: blade + kerf = 0, no sheet or no cut-piece variety. In coil
// mode every sheet quantity becomes 9999999.
std::optional<Plan> alternateArrangement(const BasicDetails& basic, OptimizationMode mode, StockMode stock,
                                         std::vector<SheetVariety> sheets, std::vector<CutVariety> cuts,
                                         FillStrategy strategy, int efficiency);

}  // namespace veltrix::engine
