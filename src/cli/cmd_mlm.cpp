// veltrix mlm merge | import JOB | export JOB: the material library of the library folder.
//   merge       sorts the library on MAT and folds equal stock together ("Update" with Yes);
//   import JOB  fills the job's sheet table with the library's sizes of its material;
//   export JOB  returns the off-cuts of the job's result and the sheets it used to the library.

#include <ostream>

#include "app/job_commands.h"
#include "cli/args.h"
#include "libraries/material_library.h"
#include "libraries/sheet_import.h"
#include "base/workspace.h"

namespace veltrix::cli {
namespace {

int mergeLibrary(const Workspace& workspace, CommandContext& context) {
    mergeMaterialLibrary(workspace);
    context.out << "Merged " << materialLibraryPath(workspace).string() << "\n";
    return kExitOk;
}

int importSizes(const Workspace& workspace, const std::string& job, CommandContext& context) {
    Document doc = openJob(job);
    const bool hadPlan = !doc.plan.empty();
    const LibrarySizes sizes = importLibrarySizes(doc, workspace);
    if (hadPlan)
        context.err << "The stored layout result no longer fits the tables and was discarded: optimize again.\n";
    saveJob(doc);
    context.out << importMessage(sizes) << "\n";
    return kExitOk;
}

int exportOffcuts(const Workspace& workspace, const std::string& job, CommandContext& context) {
    const std::size_t count = returnOffcutsToLibrary(openJob(job), workspace);
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
    if (merge->parsed()) return mergeLibrary(workspace, context);
    if (import->parsed()) return importSizes(workspace, importJob, context);
    return exportOffcuts(workspace, exportJob, context);
}

const CommandRegistration reg({"mlm", "mlm merge|import JOB|export JOB",
                               "material library: merge it, import sizes into a job, return off-cuts", &mlm});

}  // namespace
}  // namespace veltrix::cli
