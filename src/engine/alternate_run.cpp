#include "engine/alternate_run.h"

#include <utility>

#include "engine/prepare.h"
#include "engine/search.h"

namespace veltrix::engine {
namespace {

// The alternate arrangement restarts the random sequence once, always from the same seed, so the
// same call gives the same arrangement.
constexpr std::uint32_t kAlternateSeed = 2000;

}  // namespace

std::optional<Plan> alternateArrangement(const BasicDetails& basic, OptimizationMode mode, StockMode stock,
                                         std::vector<SheetVariety> sheets, std::vector<CutVariety> cuts,
                                         FillStrategy strategy, int efficiency) {
    PreparedJob job;
    job.basic = basic;
    job.mode = mode;
    job.stock = stock;
    job.sheets = std::move(sheets);
    job.cuts = std::move(cuts);
    if (stock == StockMode::Coil)
        for (auto& s : job.sheets) s.quantity = kCoilQuantity;
    if (validationMessage(job)) return std::nullopt;
    addKerf(job);

    const long long budget = iterationBudget(job.cuts.size(), efficiency);
    SearchOptions options;
    options.onlyStrategy = strategy;
    options.singleLayout = true;
    options.reseedEachIteration = false;
    Search search(job, budget, options);
    search.seed(kAlternateSeed);
    for (long long i = 1; i <= budget; ++i) {
        const IterationOutcome step = search.iterate(i);
        if (step.demandMet && step.layouts == 1) break;
    }
    return Plan{search.best()};
}

}  // namespace veltrix::engine
