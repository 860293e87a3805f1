// veltrix cnc JOB --layout N [--events] [--send [--no-waits]]: the panel-saw cutting instructions
// of one layout of the job's stored result, and their transfer into NPS400 Control.

#include <ostream>

#include "cli/args.h"
#include "engine/loaded_result.h"
#include "job/document.h"
#include "keys/key_sender.h"
#include "reports/report.h"
#include "reports/report_pass.h"
#include "reports/saw_instructions.h"
#include "base/error.h"

namespace veltrix::cli {
namespace {

int cnc(CommandContext& context) {
    CLI::App app{"Lists the cutting instructions of a layout for the NPS400 panel-saw control and, on request, "
                 "types them into its window \"NPS400 - NPS400 Control - Main Menu\"",
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

    reports::SawInstructions saw;
    try {
        const engine::LoadedResult result = reports::loadJobResult(readDocument(job));
        if (result.empty()) {
            context.err << job << ": " << reports::kNotOptimizedMessage << "\n";
            return kExitJobFailed;
        }
        if (layout < 1 || layout > result.layoutCount()) {
            context.err << job << ": layout " << layout << " is not in the result (layouts 1 to "
                        << result.layoutCount() << ")\n";
            return kExitJobFailed;
        }
        saw = reports::buildSawInstructions(result, layout);
    } catch (const FileError& e) {
        context.err << "veltrix cnc: " << e.what() << "\n";
        return kExitUsage;
    } catch (const InputError& e) {
        context.err << job << ": " << e.what() << "\n";
        return kExitJobFailed;
    }
    context.out << reports::sawInstructionListing(saw, events);
    if (!send) return kExitOk;
    context.out.flush();

    if (!saw.transferEnabled) {
        for (const std::string& message : saw.messages) context.err << message << "\n";
        return kExitJobFailed;
    }
    try {
        const auto sender = keys::openDesktopKeySender();
        if (const auto problem = reports::transferToController(saw, *sender, {!noWaits, {}})) {
            context.err << *problem << "\n";
            return kExitJobFailed;
        }
    } catch (const keys::KeySendError& e) {
        context.err << e.what() << "\n";
        return kExitJobFailed;
    }
    return kExitOk;
}

const CommandRegistration reg({"cnc", "cnc JOB --layout N [--events] [--send [--no-waits]]",
                               "cutting instructions of a layout for NPS400 Control; --send types them into it",
                               &cnc});

}  // namespace
}  // namespace veltrix::cli
