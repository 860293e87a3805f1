// veltrix dxf JOB [--layout N|--all] -o FILE.dxf: the job's layouts as AutoCAD R12 DXF drawings,
// one file per layout named FILE_k-N.dxf (layout k of N), framed by the templates dxf.hd and
// dxf.ft of the working folder. Files of an earlier export to the same name are deleted first.

#include <ostream>

#include "app/job_commands.h"
#include "cli/args.h"
#include "base/workspace.h"

namespace veltrix::cli {
namespace {

int exportDxf(CommandContext& context) {
    CLI::App app{"Exports the job's layouts as DXF files FILE_k-N.dxf", "veltrix dxf"};
    std::string job, output;
    int layout = 0;
    bool all = false;
    app.add_option("JOB", job, "optimized project file (.opt or .dcm)")->required();
    app.add_option("--layout", layout, "the layout to export");
    app.add_flag("--all", all, "every layout (the default)");
    app.add_option("-o,--output", output, "the file name the exported files are named after (FILE.dxf)")
        ->required();
    if (auto done = parseArguments(app, context)) return *done;

    const Document doc = openJob(job);
    const Workspace workspace(context.workdir);
    const int count = jobLayouts(doc, workspace).result.layoutCount();
    const layouts::LayoutRange range =
        chooseLayouts(count, app.count("--layout") ? std::optional(layout) : std::nullopt, all, true);
    const layouts::ExportResult done = exportJobDxf(doc, workspace, range, output);
    for (const std::string& problem : done.problems) context.err << "veltrix dxf: " << problem << "\n";
    for (const auto& file : done.files) context.out << file.string() << "\n";
    context.out << done.message() << "\n";
    return kExitOk;
}

const CommandRegistration reg({"dxf", "dxf JOB [--layout N|--all] -o FILE.dxf",
                               "layouts as AutoCAD R12 DXF files FILE_k-N.dxf (templates dxf.hd, dxf.ft)",
                               &exportDxf});

}  // namespace
}  // namespace veltrix::cli
