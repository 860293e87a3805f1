#include "app/saw_commands.h"

#include "base/file_ops.h"
#include "reports/report_pass.h"

namespace veltrix {

reports::SawInstructions jobSawInstructions(const Document& doc, int layout) {
    const engine::LoadedResult result = reports::loadJobResult(doc);
    if (result.empty()) throw InputError(reports::kNotOptimizedMessage);
    if (layout < 1 || layout > result.layoutCount())
        throw InputError("layout " + std::to_string(layout) + " is not in the result (layouts 1 to " +
                         std::to_string(result.layoutCount()) + ")");
    return reports::buildSawInstructions(result, layout);
}

void writeControllerTable(const Workspace& workspace, const reports::SawInstructions& saw) {
    writeFileAtomic(workspace.file(reports::kControllerFile), reports::controllerTableText(saw));
}

std::optional<std::string> transferSawInstructions(const reports::SawInstructions& saw,
                                                   const KeySenderFactory& openSender,
                                                   const reports::TransferOptions& options) {
    // A disabled transfer opens no sender: its message says why, wherever the program runs.
    if (!saw.transferEnabled) return reports::transferOffMessage(saw);
    try {
        const std::unique_ptr<keys::KeySender> sender = openSender();
        return reports::transferToController(saw, *sender, options);
    } catch (const keys::KeySendError& e) {
        return std::string(e.what());
    }
}

}  // namespace veltrix
