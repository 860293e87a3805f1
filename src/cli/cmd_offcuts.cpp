// veltrix offcuts JOB [-o FILE]: the off-cut table of the job's stored result, with the scrap
// criteria of the working folder's scrap.dat.

#include <ostream>

#include "app/job_commands.h"
#include "cli/args.h"
#include "base/file_ops.h"
#include "base/workspace.h"

namespace veltrix::cli {
namespace {

int offcuts(CommandContext& context) {
    CLI::App app{"Writes the off-cut table of the job's layout result (offcut.tlf): layout, length, width, "
                 "quantity and \"SCRAP\" by the criteria of scrap.dat",
                 "veltrix offcuts"};
    std::string job, output;
    app.add_option("JOB", job, "optimized project file (.opt or .dcm)")->required();
    app.add_option("-o,--output", output, "file to write the table to (default: standard output)");
    if (auto done = parseArguments(app, context)) return *done;

    const Document doc = openJob(job);
    refuseJobAsOutput(doc, output);
    const std::string table = jobReports(doc, Workspace(context.workdir), false).offcutTable;
    if (output.empty()) context.out << table;
    else writeFileAtomic(output, table);
    return kExitOk;
}

const CommandRegistration reg({"offcuts", "offcuts JOB [-o FILE]",
                               "off-cut table of the job's layouts, scrap marked by scrap.dat", &offcuts});

}  // namespace
}  // namespace veltrix::cli
