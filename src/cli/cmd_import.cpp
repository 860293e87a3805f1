// veltrix import JOB --sheets F.csv --cuts F.csv: replaces the job's stock and cut-piece tables.
// veltrix export JOB --sheets F.csv --cuts F.csv: writes them out.

#include <ostream>

#include "cli/args.h"
#include "cli/job_io.h"
#include "job/table_exchange.h"
#include "table/error.h"
#include "table/file_ops.h"
#include "table/workspace.h"

namespace veltrix::cli {
namespace {

int importTables(CommandContext& context) {
    CLI::App app{"Creates or replaces the job's stock and cut-piece tables from CSV files whose header row names "
                 "the column keys",
                 "veltrix import"};
    std::string job, sheetsCsv, cutsCsv;
    app.add_option("JOB", job, "project file (.opt or .dcm); created from Defaults when missing")->required();
    app.add_option("--sheets", sheetsCsv, "CSV of the stock: LENGTH, WIDTH, QTY, M(L), M(T), M(R), M(B), LOCATION");
    app.add_option("--cuts", cutsCsv, "CSV of the cut-pieces: LENGTH, EDGE-1, REM-1, EDGE-2, REM-2, WIDTH, ... DXFFILE");
    if (auto done = parseArguments(app, context)) return *done;
    if (sheetsCsv.empty() && cutsCsv.empty()) {
        context.err << "veltrix import: give --sheets, --cuts or both\n";
        return kExitUsage;
    }

    JobFile jobFile;
    if (fileExists(job)) {
        auto loaded = loadJob(job, context.err);
        if (!loaded) return kExitUsage;
        jobFile = std::move(*loaded);
    } else {
        // A new job starts from the working folder's Defaults when there are any.
        const auto defaults = Workspace(context.workdir).file(kDefaultsFile);
        if (fileExists(defaults)) {
            auto loaded = loadJob(defaults, context.err);
            if (!loaded) return kExitUsage;
            jobFile = std::move(*loaded);
        } else {
            jobFile.project.setText(kOptionsSection, optionsText(jobFile.objective));
        }
        jobFile.path = job;
    }

    auto importOne = [&](const std::string& csvPath, GridTable& grid) -> bool {
        if (csvPath.empty()) return true;
        try {
            const ImportResult result = importCsv(readExistingFile(csvPath), grid);
            for (const auto& note : result.notes)
                context.err << csvPath << ": row " << note.row << ", " << note.key << ": '" << note.given
                            << "' stored as '" << note.stored << "'\n";
            return true;
        } catch (const std::exception& e) {
            context.err << "veltrix import: " << csvPath << ": " << e.what() << "\n";
            return false;
        }
    };
    if (!importOne(sheetsCsv, jobFile.tables.sheets) || !importOne(cutsCsv, jobFile.tables.cuts)) return kExitUsage;

    tablesIntoProject(jobFile.tables, jobFile.objective, jobFile.project);
    if (!jobFile.project[kResultSection].empty()) {
        jobFile.project[kResultSection].clear();
        context.err << "The stored layout result no longer fits the tables and was discarded: optimize again.\n";
    }
    if (!storeProject(job, jobFile.project, context.err)) return kExitUsage;
    context.out << "Imported into " << job << "\n";
    return kExitOk;
}

int exportTables(CommandContext& context) {
    CLI::App app{"Writes the job's stock and cut-piece tables as CSV files with a header row of column keys",
                 "veltrix export"};
    std::string job, sheetsCsv, cutsCsv;
    app.add_option("JOB", job, "project file (.opt or .dcm)")->required();
    app.add_option("--sheets", sheetsCsv, "CSV file to write the stock to");
    app.add_option("--cuts", cutsCsv, "CSV file to write the cut-pieces to");
    if (auto done = parseArguments(app, context)) return *done;
    if (sheetsCsv.empty() && cutsCsv.empty()) {
        context.err << "veltrix export: give --sheets, --cuts or both\n";
        return kExitUsage;
    }
    auto loaded = loadJob(job, context.err);
    if (!loaded) return kExitUsage;
    try {
        if (!sheetsCsv.empty()) writeFileAtomic(sheetsCsv, exportCsv(loaded->tables.sheets));
        if (!cutsCsv.empty()) writeFileAtomic(cutsCsv, exportCsv(loaded->tables.cuts));
    } catch (const std::exception& e) {
        context.err << "veltrix export: " << e.what() << "\n";
        return kExitUsage;
    }
    return kExitOk;
}

const CommandRegistration importRegistration(
    {"import", "import JOB [--sheets F.csv] [--cuts F.csv]",
     "creates or replaces the job's stock and cut-piece tables from CSV (header row of column keys)", &importTables});
const CommandRegistration exportRegistration({"export", "export JOB [--sheets F.csv] [--cuts F.csv]",
                                              "writes the job's stock and cut-piece tables as CSV", &exportTables});

}  // namespace
}  // namespace veltrix::cli
