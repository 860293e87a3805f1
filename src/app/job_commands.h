#pragma once
// The use-cases of a job file that do not need a window: open and save, CSV import and export,
// optimize, report, off-cuts, DXF export, labels and the material library. The command-line tool
// is argument parsing around these; the desktop program shares what its windows do not add.
//
// Failures are thrown, typed: FileError (a file that cannot be read or written), UsageError (the
// request itself cannot be carried out as asked: a layout that is not there, an output of the wrong
// kind) and InputError (the job cannot be used: not optimized, invalid for a run).

#include <filesystem>
#include <optional>
#include <stop_token>
#include <string>
#include <vector>

#include "engine/deep_search.h"
#include "engine/optimize.h"
#include "job/document.h"
#include "job/table_exchange.h"
#include "layouts/dxf_export.h"
#include "layouts/job_layouts.h"
#include "base/error.h"

namespace veltrix {

class Prompt;
class Workspace;

// The job of a project file. Throws FileError, and InputError naming every damaged line when the
// file is cut short or a table line does not hold its table's fields (see projectProblems): a
// command would otherwise work on shifted fields.
Document openJob(const std::filesystem::path& path);
// The job of a project file, or a new one from the working folder's Defaults (basic details and
// objective) when the file does not exist yet.
Document openOrStartJob(const std::filesystem::path& path, const Workspace& workspace);
// Writes the job atomically to `path` (its own path when empty). The file keeps the job's mode by
// its extension (UsageError for a coil job under ".opt" or a sheet job under ".dcm"). When the job
// is written over the file it was read from and another program changed that file since, the file
// is left as it is and the job is written beside it (<name>.result-<n>.<ext>) instead; a
// UsageError then names both. Throws FileError.
void saveJob(Document& doc, const std::filesystem::path& path = {});
// Throws UsageError when `path` would store the job under the other mode's extension.
void checkJobTarget(const Document& doc, const std::filesystem::path& path);
// Throws UsageError when `output` names the job's own file (also through a link or another name):
// an output written there would destroy the job.
void refuseJobAsOutput(const Document& doc, const std::filesystem::path& output);

struct TableImport {
    std::vector<ImportNote> sheetNotes;  // values changed to fit the tables
    std::vector<ImportNote> cutNotes;
    bool planDiscarded = false;  // the job had a plan, which no longer fits its tables
};
// Replaces the stock and/or cut-piece table by the rows of CSV files (an empty path leaves that
// table alone); a plan the job had is discarded. Throws FileError, InputError (a bad header).
TableImport importTables(Document& doc, const std::filesystem::path& sheetsCsv, const std::filesystem::path& cutsCsv);
// Writes the stock and/or cut-piece table as CSV (an empty path writes nothing). Throws FileError.
void exportTables(const Document& doc, const std::filesystem::path& sheetsCsv, const std::filesystem::path& cutsCsv);

struct OptimizeRequest {
    std::optional<int> efficiency;        // nesting efficiency; misc.set's when not given
    std::optional<Objective> objective;   // the job's when not given
    long long continueFrom = 0;           // continue a stopped run from this iteration and the job's plan
    unsigned lanes = 0;
};
// A run of the job: the checks of Start Optimization (told through `prompt`), then the engine; the
// plan is stored in the document unless the job was invalid. A continuation without a stored plan
// is a UsageError. The outcome says how the run ended; a run refused by the checks ends Invalid
// with no message (the check told it).
engine::RunOutcome optimizeJob(Document& doc, const Workspace& workspace, const OptimizeRequest& request,
                               engine::RunObserver& observer, std::stop_token stop, Prompt& prompt);

// A deep search of the job (the standard run and runs on variants of its stock, on every core):
// the checks of Start Optimization first, then the best plan stored in the document unless no run
// found one. Efficiency and objective as for optimizeJob; a continuation is refused (UsageError).
engine::DeepOutcome deepSearchJob(Document& doc, const Workspace& workspace, const OptimizeRequest& request,
                                  engine::DeepObserver& observer, std::stop_token stop, Prompt& prompt);

// The job's plan loaded with its report and off-cut table, as the Layouts window shows them.
// Throws InputError ("This file was not optimized.", or why the plan does not fit the job).
layouts::JobLayouts jobLayouts(const Document& doc, const Workspace& workspace);
// The report and off-cut table of the job's plan; with `writeFiles`, offcut.tlf and sheets.Adj are
// written into the working folder as the Layouts window writes them. Throws InputError, FileError.
reports::ResultReports jobReports(const Document& doc, const Workspace& workspace, bool writeFiles);

// The layouts a command acts on: layout n when given, all of them with `all`, else all or the
// first by `defaultAll`. Throws UsageError naming the valid numbers.
layouts::LayoutRange chooseLayouts(int count, std::optional<int> layout, bool all, bool defaultAll);

// DXF files of layouts `range` named after `output` (FILE_k-N.dxf), framed by the working
// folder's templates. Throws InputError, FileError.
layouts::ExportResult exportJobDxf(const Document& doc, const Workspace& workspace, layouts::LayoutRange range,
                                   const std::filesystem::path& output);

// The labels of layouts from..to (all when not given) written as an HTML page to `output` (lbl.htm
// of the working folder when empty); returns the page's path. `barcodes` puts the Code 128 and QR
// codes of each part's identity on the labels or leaves them off; when not given, the switch of the
// working folder's label definition (labels.set) decides. Throws UsageError for a range outside the
// plan or a label sheet definition that cannot be used, InputError, FileError.
std::filesystem::path writeJobLabels(const Document& doc, const Workspace& workspace, std::optional<int> from,
                                     std::optional<int> to, const std::filesystem::path& output,
                                     std::optional<bool> barcodes = std::nullopt);

// What an import from the material library brings: the sizes of the job's material, grain and
// thickness as sheet rows that keep the trim margins (those of the job's first row that has any,
// else those of Defaults), and the names of the rows they replace.
struct LibrarySizes {
    int count = 0;
    std::string sheetText;
    std::vector<std::string> replaced;
};
// Nothing when the library has no size of the material (or no library file). Throws FileError.
std::optional<LibrarySizes> librarySizesFor(const Document& doc, const Workspace& workspace);
// The sheet rows replaced by the sizes; the plan is discarded.
void applyLibrarySizes(Document& doc, const LibrarySizes& sizes);
// "3 size(s) imported from MLM", then the rows replaced: "Replaced: 2800 x 2070 RACK A, ...".
std::string importMessage(const LibrarySizes& sizes);
// The import of the command line: sheet mode only. Throws InputError (coil mode, material not in
// the library), FileError.
LibrarySizes importLibrarySizes(Document& doc, const Workspace& workspace);
// The off-cuts of the job's plan and the sheets it used returned to the material library (sheet
// mode only). Returns the number of records. Throws InputError, FileError.
std::size_t returnOffcutsToLibrary(const Document& doc, const Workspace& workspace);

}  // namespace veltrix
