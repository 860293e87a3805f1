// veltrix labels JOB [--from A --to B] [-o FILE.htm]: the sticker labels of the cut-pieces of
// layouts A to B (all by default) as an HTML page to print from a browser, laid out by LBl.def
// of the working folder. Without -o the page is lbl.htm in the working folder.

#include <ostream>

#include "cli/args.h"
#include "cli/job_io.h"
#include "job/settings.h"
#include "layouts/job_layouts.h"
#include "layouts/labels.h"
#include "table/error.h"
#include "table/file_ops.h"
#include "table/workspace.h"

namespace veltrix::cli {
namespace {

int labels(CommandContext& context) {
    CLI::App app{"Writes the labels of the cut-pieces of a range of layouts as an HTML page", "veltrix labels"};
    std::string job, output;
    int from = 0, to = 0;
    app.add_option("JOB", job, "optimized project file (.opt or .dcm)")->required();
    app.add_option("--from", from, "first layout (default 1)");
    app.add_option("--to", to, "last layout (default the last)");
    app.add_option("-o,--output", output, "the page to write (default lbl.htm in the working folder)");
    if (auto done = parseArguments(app, context)) return *done;

    auto jobFile = loadJob(job, context.err);
    if (!jobFile) return kExitUsage;
    const Workspace workspace(context.workdir);
    try {
        layouts::LabelSheet sheet;
        try {
            sheet = layouts::readLabelSheet(workspace);
        } catch (const InputError& e) {
            context.err << "veltrix labels: " << e.what() << "\n";
            return kExitUsage;
        }
        const layouts::JobLayouts loaded = layouts::loadJobLayouts(*jobFile, workspace);
        const int count = loaded.result.layoutCount();
        if (!app.count("--from")) from = 1;
        if (!app.count("--to")) to = count;
        if (from < 1 || to > count || from > to) {
            context.err << "veltrix labels: choose layouts from 1 to " << count << " with --from not after --to\n";
            return kExitUsage;
        }
        const std::string page =
            layouts::labelPage(loaded.result, sheet, from, to, reportOption(workspace), workspace);
        const auto file = output.empty() ? workspace.file(layouts::kLabelPageFile) : std::filesystem::path(output);
        writeFileAtomic(file, page);
        context.out << "Labels of layouts " << from << " to " << to << " written to " << file.string() << "\n";
    } catch (const FileError& e) {
        context.err << "veltrix labels: " << e.what() << "\n";
        return kExitUsage;
    } catch (const InputError& e) {
        context.err << job << ": " << e.what() << "\n";
        return kExitJobFailed;
    }
    return kExitOk;
}

const CommandRegistration reg({"labels", "labels JOB [--from A --to B] [-o FILE.htm]",
                               "cut-piece labels of layouts A to B as an HTML page (LBl.def of the working folder)",
                               &labels});

}  // namespace
}  // namespace veltrix::cli
