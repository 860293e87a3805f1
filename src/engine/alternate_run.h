#pragma once
// The alternate-arrangement run: the pieces of one layout nested again on a single sheet with one
// chosen fill strategy, for the layout viewer's "Arrange". It is the search with these differences:
// the lists are taken as given (s.tlf, c.tlf; enlarged by the kerf, not sorted), only the chosen
// strategy is tried, every kept layout is cut once, the random sequence is seeded once with 2000,
// and the first plan of exactly one layout that meets the demand ends the run. No progress, no
// stop.

#include <optional>
#include <vector>

#include "engine/types.h"
#include "job/job_tables.h"

namespace veltrix {
class Workspace;
}

namespace veltrix::engine {

// The one-layout plan found with `strategy` (1..8), or an empty list when none was found within the
// budget (number of cut-piece varieties x efficiency factor). Nothing (no plan, not even an empty
// one) when the input fails validation: blade + kerf = 0, no sheet or no cut-piece variety. In coil
// mode every sheet quantity becomes 9999999.
std::optional<std::vector<LayoutItem>> alternateArrangement(const BasicDetails& basic, int mode, StockMode stock,
                                                            std::vector<SheetVariety> sheets,
                                                            std::vector<CutVariety> cuts, int strategy,
                                                            int efficiency);

// The same in the working folder: the sub-problem from s.tlf and c.tlf, the basic details from
// basic.tlf, the objective from options.tlf, the efficiency from misc.set; the plan is written to
// dia.tlf (an empty file when none was found; left alone when validation fails). Returns whether
// dia.tlf was written. Throws FileError when it cannot be written.
bool runAlternateArrangement(const Workspace& workspace, StockMode stock, int strategy);

}  // namespace veltrix::engine
