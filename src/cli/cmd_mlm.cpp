// veltrix mlm merge | import JOB | export JOB: the material library of the library folder.
//   merge       sorts the library on MAT and folds equal stock together ("Update" with Yes);
//   import JOB  fills the job's sheet table with the library's sizes of its material;
//   export JOB  returns the off-cuts of the job's result and the sheets it used to the library.

#include <ostream>

#include "cli/args.h"
#include "cli/job_io.h"
#include "libraries/offcut_export.h"
#include "libraries/sheet_import.h"
#include "reports/report_pass.h"
#include "table/error.h"
#include "table/grid_table.h"
#include "table/workspace.h"

namespace veltrix::cli {
namespace {

int mergeLibrary(const Workspace& workspace, CommandContext& context) {
    mergeMaterialLibrary(workspace);
    context.out << "Merged " << materialLibraryPath(workspace).string() << "\n";
    return kExitOk;
}

int importSizes(const Workspace& workspace, const std::string& job, CommandContext& context) {
    auto jobFile = loadJob(job, context.err);
    if (!jobFile) return kExitUsage;
    if (jobFile->mode == StockMode::Coil) {
        context.err << job << ": coils are not imported from the material library (sheet mode only)\n";
        return kExitJobFailed;
    }
    const auto stock = librarySheetsFor(workspace, jobFile->tables.basic);
    if (stock.empty()) {
        context.err << job << ": Material specified was not found in MLM ("
                    << materialLibraryPath(workspace).string() << ").\n";
        return kExitJobFailed;
    }
    jobFile->tables.sheets.loadText(importedSheetText(stock));
    tablesIntoProject(jobFile->tables, jobFile->objective, jobFile->project);
    if (!jobFile->project[kResultSection].empty()) {
        jobFile->project[kResultSection].clear();
        context.err << "The stored layout result no longer fits the tables and was discarded: optimize again.\n";
    }
    if (!storeProject(job, jobFile->project, context.err)) return kExitUsage;
    context.out << stock.size() << kImportedMessage << "\n";
    return kExitOk;
}

int exportOffcuts(const Workspace& workspace, const std::string& job, CommandContext& context) {
    auto jobFile = loadJob(job, context.err);
    if (!jobFile) return kExitUsage;
    if (!exportAllowed(true, jobFile->mode)) {
        context.err << job << ": the off-cuts of coils are not returned to the material library\n";
        return kExitJobFailed;
    }
    const auto result = reports::loadJobResult(*jobFile);
    const reports::ResultReports reports = reports::computeResultReports(workspace, result);
    GridTable offcuts(offcutKeys());
    offcuts.loadText(reports.offcutTable);
    const std::size_t count =
        exportRecordsToLibrary(workspace, jobFile->tables.basic, offcuts, reports.report.sheetsUsed);
    context.out << count << " record(s) returned to " << materialLibraryPath(workspace).string()
                << "\nMaterial Library Updated!\n";
    return kExitOk;
}

int mlm(CommandContext& context) {
    CLI::App app{"The material library mlm.dat in the library folder of netpath.set", "veltrix mlm"};
    app.require_subcommand(1);
    auto* merge = app.add_subcommand("merge", "sort the library on MAT and fold equal stock together");
    std::string importJob, exportJob;
    auto* import = app.add_subcommand("import", "replace the job's sheet table with the library's sizes of its "
                                                "material, grain and thickness");
    import->add_option("JOB", importJob, "project file (.opt)")->required();
    auto* exportCmd = app.add_subcommand("export", "return the off-cuts of the job's result and the sheets it "
                                                   "used to the library, then merge it");
    exportCmd->add_option("JOB", exportJob, "optimized project file (.opt)")->required();
    if (auto done = parseArguments(app, context)) return *done;

    const Workspace workspace(context.workdir);
    try {
        if (merge->parsed()) return mergeLibrary(workspace, context);
        if (import->parsed()) return importSizes(workspace, importJob, context);
        return exportOffcuts(workspace, exportJob, context);
    } catch (const FileError& e) {
        context.err << "veltrix mlm: " << e.what() << "\n";
        return kExitUsage;
    } catch (const InputError& e) {
        context.err << (importJob.empty() ? exportJob : importJob) << ": " << e.what() << "\n";
        return kExitJobFailed;
    }
}

const CommandRegistration reg({"mlm", "mlm merge|import JOB|export JOB",
                               "material library: merge it, import sizes into a job, return off-cuts", &mlm});

}  // namespace
}  // namespace veltrix::cli
