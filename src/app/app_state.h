#pragma once
// Application-wide state of the base module besides the document itself.

#include <filesystem>
#include <string>

#include "job/job_tables.h"

namespace veltrix {

struct AppState {
    // Set by a successful sheet import: MAT, GRAIN and THICK of the basic details are then fixed.
    bool importLock = false;
    // Set by a sheet import since the job was created or opened; enables the off-cut export.
    bool exportMark = false;
    // The run iteration to continue from; 0 when there is nothing to continue.
    long long continuationIteration = 0;
};

// "Veltrix Suite [Base Module]" in sheet mode, "RiRiza Manager" in coil mode.
std::string modeCaption(StockMode mode);
// ".opt" in sheet mode, ".dcm" in coil mode.
std::string projectExtension(StockMode mode);
// The base module's caption: the mode caption, plus " - " and the project path in lower case.
std::string baseCaption(StockMode mode, const std::filesystem::path& projectPath);

}  // namespace veltrix
