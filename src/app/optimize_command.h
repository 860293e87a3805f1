#pragma once
// Optimize > Start Optimization as the base module runs it: the checks, the job saved as the run
// project "tmp.tlf", the result windows closed, the run (inside the progress dialog) with the
// continuation kept while the job stays open, and afterwards the layouts and the Save As dialog.
//
//     if (prepareRun(module, driver, editDensity) == RunPreparation::Ready) {
//         ... show the progress dialog, which calls runJob(module, driver) ...
//         afterRun(module);
//     }

#include <functional>

#include "engine/run_driver.h"

namespace veltrix {

class BaseModule;

enum class RunPreparation {
    Ready,             // the dialog may open
    ToleranceRefused,  // "Tolerance should not exceed 10" was shown: the basic details' TOL wants editing
    NotSaved,          // the job could not be written (the user was told)
};

// Before the dialog: the tolerance and density checks (with the report option "Weight", Yes to the
// density question calls `editDensityTable` and looks again), the job's tables and options written
// and bundled into tmp.tlf, the result windows closed.
RunPreparation prepareRun(BaseModule& module, engine::RunDriver& driver,
                          const std::function<void()>& editDensityTable = {});

// The run from the job's files in the working folder; the best plan goes to dia.tlf. A stopped run
// leaves its iteration in the module's state, so that the next run continues from it. When dia.tlf
// cannot be written the outcome says so in its message and counts as failed.
engine::RunOutcome runJob(BaseModule& module, engine::RunDriver& driver);

// After the dialog closed: the Layouts window when a result exists (else "This file was not
// optimized."), then Save As.
void afterRun(BaseModule& module);

}  // namespace veltrix
