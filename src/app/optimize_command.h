#pragma once
// Optimize > Start Optimization, shared by both front ends: the checks before a run (tolerance,
// density), the run's settings from the working folder, and the run's outcome stored in the
// document. The engine itself runs wherever the front end likes (the desktop program on a worker
// thread, the command-line tool on its own).
//
//     if (prepareRun(module, editDensity) == RunPreparation::Ready) {
//         const RunRequest request = runRequest(module);
//         ... engine::optimize(request.job, request.settings, observer, stop) on a worker thread ...
//         finishRun(module, outcome);
//         afterRun(module);
//     }

#include <functional>

#include "engine/optimize.h"
#include "job/document.h"

namespace veltrix {

class BaseModule;
class Prompt;
class Workspace;

inline constexpr const char* kToleranceMessage = "Tolerance should not exceed 10";
inline constexpr const char* kDensityQuestion =
    "Material you have specified is not listed in Density Table. Do you want to edit Density Table?";

// The checks of Start Optimization. A tolerance above 10 shows "Tolerance should not exceed 10" and
// refuses the run. With the report option "Weight" of misc.set, while the density of the job's
// material is 0, asks whether to edit the density table (No preselected); Yes calls
// `editDensityTable` and looks again (without an editor, Yes goes on).
bool checkBeforeRun(const Job& job, const Workspace& workspace, Prompt& prompt,
                    const std::function<void()>& editDensityTable = {});

// The settings of a run: the nesting efficiency of misc.set; a continuation from iteration
// `continueFrom` with the document's plan as the best so far (0: a new run).
engine::RunSettings runSettings(const Workspace& workspace, const Document& document, long long continueFrom);

// A run's outcome into the document: its plan replaces the document's (a run that found no plan,
// or a job that failed validation, leaves the document as it was).
void storeRunOutcome(Document& document, const engine::RunOutcome& outcome);

enum class RunPreparation {
    Ready,             // the run may start
    ToleranceRefused,  // "Tolerance should not exceed 10" was shown: the basic details' TOL wants editing
};

// Before the progress opens: the checks, then the result windows closed.
RunPreparation prepareRun(BaseModule& module, const std::function<void()>& editDensityTable = {});

// What the run works on, taken from the module before it starts: the job as typed values and the
// settings (continuing a stopped run while the job stays open).
struct RunRequest {
    Job job;
    engine::RunSettings settings;
};
RunRequest runRequest(const BaseModule& module);

// After the run: a plan found stored in the document (the edit history starts over) and the
// iteration to continue from kept in the module's state (0 when the run was not stopped).
void finishRun(BaseModule& module, const engine::RunOutcome& outcome);

// After the progress closed: when the run found a plan, the Layouts window and then Save As;
// otherwise nothing (the progress told why the run failed).
void afterRun(BaseModule& module, const engine::RunOutcome& outcome);

}  // namespace veltrix
