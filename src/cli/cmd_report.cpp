// veltrix report JOB [-o FILE]: the report of the job's stored result, as the layout viewer writes
// it; offcut.tlf and sheets.Adj are written into the working folder as the viewer does.

#include <fstream>
#include <ostream>

#include "app/job_commands.h"
#include "cli/args.h"
#include "base/file_ops.h"
#include "base/workspace.h"

namespace veltrix::cli {
namespace {

int report(CommandContext& context) {
    CLI::App app{"Writes the report of the job's layout result (report.tlf) and, into the working folder, the "
                 "off-cut table offcut.tlf and the sheets used sheets.Adj",
                 "veltrix report"};
    std::string job, output;
    app.add_option("JOB", job, "optimized project file (.opt or .dcm)")->required();
    app.add_option("-o,--output", output, "file to write the report to (default: standard output)");
    if (auto done = parseArguments(app, context)) return *done;

    const Document doc = openJob(job);
    refuseJobAsOutput(doc, output);
    const reports::ResultReports out = jobReports(doc, Workspace(context.workdir), true);
    if (output.empty()) context.out << out.report.text;
    else writeFileAtomic(output, out.report.text);
    return kExitOk;
}

const CommandRegistration reg({"report", "report JOB [-o FILE]",
                               "report of the job's layouts; offcut.tlf and sheets.Adj into the working folder",
                               &report});

}  // namespace
}  // namespace veltrix::cli
