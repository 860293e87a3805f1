#pragma once
// The pass the layout viewer runs when it loads a result: the off-cut table offcut.tlf, then the
// report report.tlf and the sheets used sheets.Adj, all in the working folder.

#include <string>

#include "engine/loaded_result.h"
#include "reports/offcuts.h"
#include "reports/report.h"

namespace veltrix {
struct JobFile;
}

namespace veltrix::reports {

inline constexpr const char* kReportFile = "report.tlf";
inline constexpr const char* kSheetsUsedFile = "sheets.Adj";
inline constexpr const char* kOffcutFile = "offcut.tlf";

struct ResultReports {
    std::string offcutTable;  // offcut.tlf
    Report report;            // report.tlf and sheets.Adj, section positions and layout starts
};

// The layout result stored in a project's fifth section, loaded against the project's tables.
// Throws engine::ResultError when it does not fit them.
engine::LoadedResult loadJobResult(const JobFile& job);

// Computes the off-cut table and the report of a loaded result with the settings of the working
// folder (misc.set, density.dat, scrap.dat). Writes nothing. Throws InputError with
// kNotOptimizedMessage for an empty result.
ResultReports computeResultReports(const Workspace& workspace, const engine::LoadedResult& result);

// computeResultReports, then writes offcut.tlf, report.tlf and sheets.Adj into the working folder
// (each replaced whole and atomically). Nothing is written for an empty result. Throws FileError
// when a file cannot be written.
ResultReports writeResultReports(const Workspace& workspace, const engine::LoadedResult& result);

}  // namespace veltrix::reports
