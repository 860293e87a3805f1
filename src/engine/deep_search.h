#pragma once
// Deep search: the standard run and runs of the same engine on variants of the stock, several at
// once (one per processor), keeping the best plan by the job's objective. When the stock holds
// several sizes the greedy layout order can take small sheets early; a run on part of the stock
// cannot, and wins when that part is better.
//
//     std::stop_source stop;
//     const DeepOutcome deep = optimizeDeep(doc.job(), settings, observer, stop.get_token());
//     if (deep.outcome.status != RunOutcome::Status::Invalid) doc.plan = deep.outcome.plan;
//     console << deep.line;   // "Deep search: best with sheet rows 2"
//
// The variants are taken over the stock rows a run keeps, identical rows (which merge) counted as
// one: each alone, all but one, and with four or fewer every combination. A variant's plan is
// numbered against the whole job, so it is an ordinary plan of the job that every reader takes as
// it is.

#include <stop_token>
#include <string>
#include <vector>

#include "engine/optimize.h"
#include "job/job.h"

namespace veltrix::engine {

// A stopped deep search keeps its best plan; it is not continued, so nothing is offered.
inline constexpr const char* kDeepStoppedMessage = "Optimization Stopped.";

// What the progress shows while a deep search goes on.
struct DeepProgress {
    std::size_t run = 0;       // the run started or finished: 0 the standard run, k the k-th variant
    std::size_t runs = 0;      // runs in all, the standard run included
    std::size_t finished = 0;  // runs finished so far
    std::string stock;         // the stock of that run: "all sheet rows", "sheet rows 2", "coil rows 1, 3"
    bool found = false;        // a plan has been found
    std::string bestStock;     // the stock of the best plan so far
    std::string yieldText;     // its yield in percent ("0.00"), "NA" in coil mode
    std::string layoutsText;   // its number of layouts
    int permille = 0;          // how far the whole search has come, in thousandths: the runs'
                               // iterations done, each run counting alike
};

// Told of a deep search's progress. The calls come from the threads that run the variants, one at
// a time (never two at once); a window must hand them over to its own thread.
class DeepObserver {
public:
    virtual ~DeepObserver() = default;
    virtual void runStarted(const DeepProgress& progress) { (void)progress; }
    virtual void runFinished(const DeepProgress& progress) { (void)progress; }
    // The search has come a thousandth further (`permille` changed) within its runs.
    virtual void progressed(const DeepProgress& progress) { (void)progress; }
};

struct DeepOutcome {
    // As a run's outcome: the status (Invalid when the job fails validation, Stopped when a stop
    // was requested, else Done), the final message, the best plan numbered against the whole job
    // (empty when no run met the demand: "Optimization failed.", with the standard run's reason),
    // and its figures. A deep search is not continued: lastIteration is 0.
    RunOutcome outcome;
    std::vector<int> rows;  // the stock rows (1-based table rows) of the best plan; empty: every row
    std::string line;       // "Deep search: best with sheet rows 2"; empty when there is no plan
};

// The variants of the job's stock, each a list of 1-based stock rows, in the order they run (after
// the standard run); none when the rows a run keeps are all of one kind.
std::vector<std::vector<int>> stockVariants(const Job& job);

// The stock of a run as the progress names it: "all sheet rows" for every row (empty `rows`),
// else "sheet rows 2" or "coil rows 1, 3".
std::string stockText(const Job& job, const std::vector<int>& rows);

// Runs the deep search: the standard run and every variant, settings.lanes at once (0: one per
// processor), each a run of optimize() with the settings' efficiency from iteration 1 (the
// continuation is not used). A variant that fails validation or meets the demand nowhere is
// skipped. The best plan: with the objective Minimum Layouts the fewest layouts, then the highest
// yield; otherwise the highest yield, then the fewest layouts (yield and layouts as the report
// counts them, coil layouts cut to the length they use); a tie keeps the earlier run, so the
// standard run wins every tie. A stop requested through `stop` ends every run after its current
// iteration and starts no other; the best plan found by then is kept. Throws nothing but
// std::bad_alloc.
DeepOutcome optimizeDeep(const Job& job, const RunSettings& settings, DeepObserver& observer,
                         std::stop_token stop = {});

}  // namespace veltrix::engine
