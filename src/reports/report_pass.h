#pragma once
// The pass the layout viewer runs when it loads a result: the off-cut table and the report, with the
// two files that the off-cut window, the export to the material library and users read: offcut.tlf
// and the sheets used, sheets.Adj.

#include <string>

#include "engine/loaded_result.h"
#include "reports/offcuts.h"
#include "reports/report.h"

namespace veltrix {
struct Document;
}

namespace veltrix::reports {

inline constexpr const char* kReportFile = "report.tlf";
inline constexpr const char* kSheetsUsedFile = "sheets.Adj";
inline constexpr const char* kOffcutFile = "offcut.tlf";

struct ResultReports {
    std::string offcutTable;  // offcut.tlf
    Report report;            // report.tlf and sheets.Adj, section positions and layout starts
};

// The document's plan loaded against its job. Throws engine::ResultError when it does not fit.
engine::LoadedResult loadJobResult(const Document& document);

// Computes the off-cut table and the report of a loaded result with the settings of the working
// folder (misc.set, density.dat, scrap.dat). Writes nothing. Throws InputError with
// kNotOptimizedMessage for an empty result.
ResultReports computeResultReports(const Workspace& workspace, const engine::LoadedResult& result);

// computeResultReports, then writes offcut.tlf and sheets.Adj into the working folder (each
// replaced whole and atomically). Nothing is written for an empty result. Throws FileError
// when a file cannot be written.
ResultReports writeResultReports(const Workspace& workspace, const engine::LoadedResult& result);

}  // namespace veltrix::reports
