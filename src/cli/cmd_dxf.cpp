// veltrix dxf JOB [--layout N|--all] -o FILE.dxf: the job's layouts as AutoCAD R12 DXF drawings,
// one file per layout named FILE_k-N.dxf (layout k of N), framed by the templates dxf.hd and
// dxf.ft of the working folder. Files of an earlier export to the same name are deleted first.

#include <ostream>

#include "cli/args.h"
#include "cli/job_io.h"
#include "layouts/dxf_export.h"
#include "layouts/job_layouts.h"
#include "layouts/layout_drawing.h"
#include "table/error.h"
#include "table/workspace.h"

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

    auto jobFile = loadJob(job, context.err);
    if (!jobFile) return kExitUsage;
    const Workspace workspace(context.workdir);
    try {
        const layouts::JobLayouts loaded = layouts::loadJobLayouts(*jobFile, workspace);
        layouts::LayoutRange range;
        try {
            range = layouts::chooseLayouts(loaded.result.layoutCount(),
                                           app.count("--layout") ? std::optional(layout) : std::nullopt, all, true);
        } catch (const InputError& e) {
            context.err << "veltrix dxf: " << e.what() << "\n";
            return kExitUsage;
        }
        const layouts::LayoutDrawing drawing(workspace, loaded.result, loaded.reports.report,
                                             layouts::readDisplayOptions(workspace));
        const layouts::ExportResult done = layouts::exportLayouts(drawing, range.first, range.last, output);
        for (const std::string& problem : done.problems) context.err << "veltrix dxf: " << problem << "\n";
        for (const auto& file : done.files) context.out << file.string() << "\n";
        context.out << done.message() << "\n";
    } catch (const FileError& e) {
        context.err << "veltrix dxf: " << e.what() << "\n";
        return kExitUsage;
    } catch (const InputError& e) {
        context.err << job << ": " << e.what() << "\n";
        return kExitJobFailed;
    }
    return kExitOk;
}

const CommandRegistration reg({"dxf", "dxf JOB [--layout N|--all] -o FILE.dxf",
                               "layouts as AutoCAD R12 DXF files FILE_k-N.dxf (templates dxf.hd, dxf.ft)",
                               &exportDxf});

}  // namespace
}  // namespace veltrix::cli
