#pragma once
// A run of the optimization as a plain function of the job: preparation, validation, then the
// iterations of the search, reporting after each one to an observer (the progress dialog of the
// desktop program, the progress line of the command-line tool) and ending after the iteration in
// which a stop was requested. It asks no questions and reads no files, so any thread may run it,
// and several runs may go on at once.
//
//     std::stop_source stop;
//     const RunOutcome outcome = optimize(doc.job(), settings, observer, stop.get_token());
//     if (outcome.status != RunOutcome::Status::Invalid) doc.plan = outcome.plan;

#include <stop_token>
#include <string>

#include "engine/types.h"
#include "job/job.h"
#include "job/plan.h"

namespace veltrix::engine {

inline constexpr const char* kPreparingMessage = "Preparing...";
inline constexpr const char* kOptimizingMessage = "Optimizing...";
inline constexpr const char* kTerminatingMessage = "Terminating...";
inline constexpr const char* kDoneMessage = "Optimization done.";
inline constexpr const char* kStoppedMessage =
    "Optimization Stopped. After viewing the results, you can continue optimization from this point onwards till "
    "this file remains open.";
inline constexpr const char* kFailedMessage = "Optimization failed.";
inline constexpr const char* kFiguresHeading = "Total Layouts      Overall Yield";
inline constexpr const char* kHelpHint = "(Press F1 for more information)";
inline constexpr int kFailureHelpTopic = 54;

// Which figure the progress shows in light red: the one the objective optimises.
enum class Highlight { None, Yield, Layouts };

struct RunStart {
    long long budget = 0;  // N: the progress runs from 0 to N
    Highlight highlight = Highlight::None;
    bool coil = false;
};

// What the progress shows after an iteration.
struct RunFigures {
    long long iteration = 0;  // the progress position
    long long budget = 0;
    std::string yieldText = "0";    // the best plan's yield in percent ("0.00"), "NA" in coil mode
    std::string layoutsText = "0";  // the best plan's number of layouts
    std::string remainingText;      // N - i, "/", the improvements of this run
    long long improvements = 0;
    bool demandMet = false;  // this iteration met the demand
};

struct RunOutcome {
    enum class Status { Invalid, Done, Stopped };
    Status status = Status::Invalid;
    std::string message;   // the final message line
    std::string reason;    // after "Optimization failed.": why, in words, when it can be told
    bool failed = false;   // no plan meets the demand, or the job was invalid
    int helpTopic = 0;     // kFailureHelpTopic after a failure: the hint shows
    Plan plan;             // the best plan (empty when none was found, or the job was invalid)
    long long lastIteration = 0;  // the iteration that ran last: a stopped run continues from it
    RunFigures figures;    // the last figures shown
};

// Told of the run's progress, on the thread that runs it.
class RunObserver {
public:
    virtual ~RunObserver() = default;
    // The message line changed ("Preparing...", "Optimizing...", a validation message, the final
    // message).
    virtual void messageChanged(const std::string& text) { (void)text; }
    // The iterations begin: show the figures and the progress bar.
    virtual void runStarted(const RunStart& start) { (void)start; }
    virtual void iterationDone(const RunFigures& figures) { (void)figures; }
};

// The figure the progress shows in light red: the one the objective optimises.
Highlight highlightOf(OptimizationMode mode);

struct RunSettings {
    int efficiency = 10;  // nesting efficiency in percent (misc.set)
    // Iterations built at the same time (0: one per processor). The plan found, the figures
    // shown and the continuation do not depend on it.
    unsigned lanes = 0;
    // A stopped run goes on from iteration `continueFrom` (when 0 < continueFrom < N) with the best
    // plan it had found, `continued`; otherwise the run starts at iteration 1.
    long long continueFrom = 0;
    Plan continued;
};

// The run: Prepare input, validation (its message ends the run with status Invalid), Add kerf and
// Sort by area, then the iterations, the observer told after each; a stop requested through
// `stop` ends the run after the current iteration. Throws nothing but std::bad_alloc.
RunOutcome optimize(const Job& job, const RunSettings& settings, RunObserver& observer, std::stop_token stop = {});

}  // namespace veltrix::engine
