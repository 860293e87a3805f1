#pragma once
// The search: a randomised multi-start over complete cutting plans. Each iteration builds one plan
// greedily, layout after layout: every sheet variety with stock left is filled with each of the
// eight strategies and the best candidate is kept, repeated on as many identical sheets as the
// demand allows. The best complete plan over the iterations is kept by the objective.
//
// Iteration i restarts the random sequence from i, so a run stopped after iteration k and continued
// from k (with the best plan so far) builds the same plans as an uninterrupted run.

#include <cstdint>
#include <optional>
#include <vector>

#include "engine/layout_generation.h"
#include "engine/statistics.h"
#include "engine/types.h"
#include "engine/random.h"

namespace veltrix::engine {

struct SearchOptions {
    // Only this strategy is tried (the alternate-arrangement run); otherwise all eight.
    std::optional<FillStrategy> onlyStrategy;
    // Every kept layout is cut once, and only a plan of exactly one layout is compared with the
    // best (the alternate-arrangement run).
    bool singleLayout = false;
    // Iteration i restarts the random sequence from i; otherwise the sequence runs on.
    bool reseedEachIteration = true;
    // Builds with the hot path as it was before tries that cannot fit were passed over: the
    // library's Mersenne Twister drawn one output at a time, every try worked out in full. The
    // same plans, more slowly; kept to measure the two side by side.
    bool referencePath = false;
};

// What the iterations built so far took: random outputs (drawn or passed over) and tries of Place
// block (passed over or worked out). Counted on the default path only.
struct SearchCounts {
    unsigned long long draws = 0;
    long long tries = 0;
};

struct IterationOutcome {
    bool demandMet = false;  // the plan met the whole demand (and was not cut off by the bound)
    bool improved = false;   // it became the best plan
    int layouts = 0;         // layouts of this iteration's plan
};

// The plan one iteration builds, as far as it got. An iteration's plan depends only on its number:
// the best plan so far only decides where the bound cuts it short. So plans can be built apart
// (on other threads, with the bound known when they started) and offered in iteration order.
struct IterationPlan {
    long long iteration = 0;
    std::vector<LayoutItem> items;
    bool complete = false;  // the whole demand was met
    bool cutOff = false;    // the bound it was built with cut it short
    double sheetArea = 0;   // the sheet area of its layouts, summed as the bound sees it
    int layouts = 0;
};

class Search {
public:
    // `job` is prepared, enlarged by the kerf and sorted by area; it must outlive the search.
    // `budget` is N, which decides the phases of the iterations.
    Search(const PreparedJob& job, long long budget, SearchOptions options = {});

    // The best plan to beat, e.g. one read back from dia.tlf when a stopped run continues.
    void setBest(std::vector<LayoutItem> best);
    // Restarts the random sequence (used once when iterations are not reseeded).
    void seed(std::uint32_t seed) {
        random_.seed(seed);
        referenceRandom_.seed(seed);
    }

    // Runs iteration i (1 .. budget): build with the best plan's bound, then offer.
    IterationOutcome iterate(long long iteration);

    // The bound of the best plan: its sheet area, or a negative number while there is none.
    double bound() const { return best_.empty() ? -1.0 : bestStats_.sheetArea; }
    // Builds iteration i's plan, cut short once its sheet area exceeds `bound` (none when negative).
    void build(long long iteration, double bound, IterationPlan& plan);
    // Offers a plan built with this search's bound or a looser one (the best plan's sheet area only
    // ever shrinks, so a plan cut short by a looser bound is cut short by this one too). Applies
    // the bound of the best plan and compares; the plan's items may be taken over.
    IterationOutcome offer(IterationPlan& plan);

    const std::vector<LayoutItem>& best() const { return best_; }
    const SolutionStatistics& bestStatistics() const { return bestStats_; }
    long long budget() const { return budget_; }
    SearchCounts counts() const { return {draws_ + random_.taken(), trial_.tries()}; }

private:
    template <class Generator>
    bool buildLayout(IterationPhase phase, Generator& random);
    bool beatsBest(const SolutionStatistics& stats, double lastArea) const;

    const PreparedJob& job_;
    long long budget_;
    SearchOptions options_;
    Random random_;
    LibraryRandom referenceRandom_;
    unsigned long long draws_ = 0;  // outputs taken before the last reseed
    float blade_;

    std::vector<float> sheetStock_;  // prepared quantities
    std::vector<float> cutDemand_;
    std::vector<float> workSheets_;
    std::vector<float> workCuts_;
    LayoutBuilder trial_;
    LayoutBuilder bestCandidate_;
    std::vector<LayoutItem> current_;
    IterationPlan plan_;
    std::vector<LayoutItem> best_;
    SolutionStatistics bestStats_;
    double bestLastArea_ = 0;
};

}  // namespace veltrix::engine
