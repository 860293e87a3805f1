// veltrix cnc JOB --layout N [--events] [--send [--no-waits]]: the panel-saw cutting instructions
// of one layout of the job's stored result (also written as controller.tlf into the working
// folder), and their transfer into NPS400 Control.

#include <ostream>

#include "app/job_commands.h"
#include "app/saw_commands.h"
#include "base/workspace.h"
#include "cli/args.h"
#include "keys/key_sender.h"

namespace veltrix::cli {
namespace {

int cnc(CommandContext& context) {
    CLI::App app{"Lists the cutting instructions of a layout for the NPS400 panel-saw control (and writes their "
                 "table as controller.tlf into the working folder) and, on request, types them into its window "
                 "\"NPS400 - NPS400 Control - Main Menu\"",
                 "veltrix cnc"};
    std::string job;
    int layout = 0;
    bool events = false, send = false, noWaits = false;
    app.add_option("JOB", job, "optimized project file (.opt or .dcm)")->required();
    app.add_option("--layout", layout, "layout number (1, 2, ...)")->required();
    app.add_flag("--events", events, "list the key events of every key string under it");
    auto* sendFlag = app.add_flag("--send", send, "type the instructions into NPS400 Control (X11)");
    app.add_flag("--no-waits", noWaits, "leave out the waits for NPS400 Control (a stand-in window)")->needs(sendFlag);
    if (auto done = parseArguments(app, context)) return *done;

    const reports::SawInstructions saw = jobSawInstructions(openJob(job), layout);
    writeControllerTable(Workspace(context.workdir), saw);
    context.out << reports::sawInstructionListing(saw, events);
    if (!send) return kExitOk;
    context.out.flush();
    if (const auto problem = transferSawInstructions(saw, keys::openDesktopKeySender, {!noWaits, {}})) {
        context.err << *problem << "\n";
        return kExitJobFailed;
    }
    return kExitOk;
}

const CommandRegistration reg({"cnc", "cnc JOB --layout N [--events] [--send [--no-waits]]",
                               "cutting instructions of a layout for NPS400 Control; --send types them into it",
                               &cnc});

}  // namespace
}  // namespace veltrix::cli
