#pragma once
// Application-wide state shared by the base module's commands and windows.

#include <string>

#include "job/job_tables.h"
#include "job/options.h"

namespace veltrix {

struct AppState {
    StockMode mode = StockMode::Sheet;
    // Set by edits of any grid, sorts, pastes, imports and any click in the Optimize menu;
    // cleared by New, Open, Save and Save As and when the base module opens.
    bool changed = false;
    // Set by a successful sheet import: MAT, GRAIN and THICK of the basic details are then fixed.
    bool importLock = false;
    // Set by a sheet import since the job was created or opened; enables the off-cut export.
    bool exportMark = false;
    // The run iteration to continue from; 0 when there is nothing to continue.
    int continuationIteration = 0;
    // Full name of the open project file; empty for a new job.
    std::string projectPath;
    Objective objective;
};

// "Veltrix Suite [Base Module]" in sheet mode, "RiRiza Manager" in coil mode.
std::string modeCaption(StockMode mode);
// ".opt" in sheet mode, ".dcm" in coil mode.
std::string projectExtension(StockMode mode);
// The base module's caption: the mode caption, plus " - " and the project path in lower case.
std::string baseCaption(const AppState& state);

}  // namespace veltrix
