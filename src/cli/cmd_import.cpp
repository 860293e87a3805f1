// veltrix import JOB --sheets F.csv --cuts F.csv: replaces the job's stock and cut-piece tables.
// veltrix export JOB --sheets F.csv --cuts F.csv: writes them out.

#include <ostream>

#include "app/job_commands.h"
#include "cli/args.h"
#include "base/workspace.h"

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

    Document doc = openOrStartJob(job, Workspace(context.workdir));
    const TableImport done = importTables(doc, sheetsCsv, cutsCsv);
    auto tell = [&](const std::string& csv, const std::vector<ImportNote>& notes) {
        for (const auto& note : notes)
            context.err << csv << ": row " << note.row << ", " << note.key << ": '" << note.given << "' stored as '"
                        << note.stored << "'\n";
    };
    tell(sheetsCsv, done.sheetNotes);
    tell(cutsCsv, done.cutNotes);
    if (done.planDiscarded)
        context.err << "The stored layout result no longer fits the tables and was discarded: optimize again.\n";
    saveJob(doc);
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
    exportTables(openJob(job), sheetsCsv, cutsCsv);
    return kExitOk;
}

const CommandRegistration importRegistration(
    {"import", "import JOB [--sheets F.csv] [--cuts F.csv]",
     "creates or replaces the job's stock and cut-piece tables from CSV (header row of column keys)", &importTables});
const CommandRegistration exportRegistration({"export", "export JOB [--sheets F.csv] [--cuts F.csv]",
                                              "writes the job's stock and cut-piece tables as CSV", &exportTables});

}  // namespace
}  // namespace veltrix::cli
