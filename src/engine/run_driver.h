#pragma once
// Running an optimization: the checks of Start Optimization, and the run itself as the progress
// dialog shows it (messages, the figures after every iteration, Stop, the final message and the
// failure hint). The dialog of the desktop program and the progress bar of the command-line tool
// only display what the driver reports through its observer.
//
//     RunDriver driver(prompt, events, observer);
//     if (driver.checkBeforeRun(tables.basic, reportOption, density)) {
//         const RunOutcome outcome = driver.run(tables, settings, state, storage);
//     }

#include <atomic>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/types.h"
#include "job/job_tables.h"
#include "job/options.h"
#include "platform/event_pump.h"
#include "platform/prompt.h"

namespace veltrix {
class Workspace;
}

namespace veltrix::engine {

inline constexpr const char* kPreparingMessage = "Preparing...";
inline constexpr const char* kOptimizingMessage = "Optimizing...";
inline constexpr const char* kTerminatingMessage = "Terminating...";
inline constexpr const char* kDoneMessage = "Optimization done.";
inline constexpr const char* kStoppedMessage =
    "Optimization Stopped. After viewing the results, you can continue optimization from this point onwards till "
    "this file remains open.";
inline constexpr const char* kFailedMessage = "Optimization failed.";
inline constexpr const char* kToleranceMessage = "Tolerance should not exceed 10";
inline constexpr const char* kDensityQuestion =
    "Material you have specified is not listed in Density Table. Do you want to edit Density Table?";
inline constexpr const char* kFiguresHeading = "Total Layouts      Overall Yield";
inline constexpr const char* kHelpHint = "(Press F1 for more information)";
inline constexpr int kFailureHelpTopic = 54;

// Which figure the dialog draws in light red: the one the objective optimises.
enum class Highlight { None, Yield, Layouts };

struct RunStart {
    long long budget = 0;  // N: the progress runs from 0 to N
    Highlight highlight = Highlight::None;
    bool coil = false;
};

// What the dialog shows after an iteration.
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
    std::string message;          // the final message line
    bool failed = false;          // no iteration of this run met the demand, or the job was invalid
    int helpTopic = 0;            // kFailureHelpTopic after a failure: the hint shows
    bool resultWritten = false;   // false after a validation failure: dia.tlf is left alone
    std::vector<LayoutItem> result;  // the best plan, for dia.tlf (empty when none was found)
    RunFigures figures;           // the last figures shown
};

class RunObserver {
public:
    virtual ~RunObserver() = default;
    // The message line changed ("Preparing...", "Optimizing...", "Terminating...", a validation
    // message, the final message).
    virtual void messageChanged(const std::string& text) { (void)text; }
    // The iterations begin: show the figures and the progress bar.
    virtual void runStarted(const RunStart& start) { (void)start; }
    virtual void iterationDone(const RunFigures& figures) { (void)figures; }
    // The run is over and its result stored (the dialog beeps, hides the progress and shows "OK").
    // Not called when storing the result failed.
    virtual void runFinished(const RunOutcome& outcome) { (void)outcome; }
};

struct RunSettings {
    StockMode stock = StockMode::Sheet;
    Objective objective;
    int efficiency = 10;  // nesting efficiency in percent (misc.set)
    // Iterations built at the same time (0: one per processor). The plan found, the figures
    // shown and the continuation do not depend on it.
    unsigned lanes = 0;
};

// Where a run finds the best plan of the run it continues, and where it stores its result (dia.tlf
// in the working folder, the result section of a project file).
struct RunStorage {
    std::function<std::vector<LayoutItem>()> readBest;
    std::function<void(const std::vector<LayoutItem>&)> write;
};

// What outlives a run while the job stays open: the iteration that ran last. A later run continues
// from it when 0 < continuation < N; New, Open and any accepted change of the job set it to 0.
struct RunState {
    long long continuation = 0;
};

class RunDriver {
public:
    RunDriver(Prompt& prompt, EventPump& events, RunObserver& observer);

    // The checks of Start Optimization. A tolerance (basic details, column 5) above 10 shows
    // "Tolerance should not exceed 10" and refuses the run. With the report option "Weight", while
    // the density of the job's material is 0, asks whether to edit the density table (No
    // preselected); Yes calls `editDensityTable` and looks again (without an editor, Yes goes on).
    bool checkBeforeRun(const GridTable& basic, std::string_view reportOption,
                        const std::function<float(std::string_view)>& densityOf,
                        const std::function<void()>& editDensityTable = {});

    // The run: Prepare input, validation (its message ends the run with nothing written), Add kerf
    // and Sort by area, then iterations state.continuation (when continuing) or 1 to N, reporting
    // after each one and stopping after the iteration in which Stop was requested; the best plan
    // (possibly empty) is then stored. When continuing, the best plan stored by the earlier run is
    // read first. Exceptions of the storage (FileError) pass through.
    RunOutcome run(const JobTables& tables, const RunSettings& settings, RunState& state, const RunStorage& storage);

    // Stop: shows "Terminating..." and ends the run when the current iteration is over. Call it on
    // the thread of the run (from the event pump or the observer).
    void requestStop();
    bool stopRequested() const { return stop_.load(); }

private:
    Prompt& prompt_;
    EventPump& events_;
    RunObserver& observer_;
    std::atomic<bool> stop_{false};
};

// Start Optimization's checks with the working folder's report option and density table.
bool checkBeforeRun(RunDriver& driver, const GridTable& basic, const Workspace& workspace,
                    const std::function<void()>& editDensityTable = {});

// Saves the job's table files as the run project "tmp.tlf" of the working folder (the table files
// must have been written, options.tlf included). Throws FileError.
void saveRunProject(const Workspace& workspace);

// A whole run in the working folder: the job from basic.tlf, sheet.tlf, cut.tlf and options.tlf,
// the nesting efficiency from misc.set, the stored best from dia.tlf when continuing; the result is
// written to dia.tlf (unless the job was invalid). Throws FileError when dia.tlf cannot be written.
RunOutcome runInWorkspace(RunDriver& driver, const Workspace& workspace, StockMode stock, RunState& state);

}  // namespace veltrix::engine
