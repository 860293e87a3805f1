#pragma once
// The panel-saw use-cases both programs share: the cutting instructions of a layout of the job's
// plan, and their transfer into NPS400 Control.

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/workspace.h"
#include "job/document.h"
#include "keys/key_sender.h"
#include "reports/saw_instructions.h"

namespace veltrix {

// The cutting instructions of layout `layout` of the job's plan. Throws InputError: the job holds
// no plan ("This file was not optimized."), the plan does not fit the job, or the layout is not in
// the plan (naming the layouts there are).
reports::SawInstructions jobSawInstructions(const Document& doc, int layout);

// Writes the instruction table as controller.tlf into the working folder, as the instructions
// window does, for programs that read it. Throws FileError.
void writeControllerTable(const Workspace& workspace, const reports::SawInstructions& saw);

// Makes the key sender of a transfer; may throw keys::KeySendError (no X11 session, ...).
using KeySenderFactory = std::function<std::unique_ptr<keys::KeySender>()>;

// Types the instructions into NPS400 Control through a sender made by `openSender`. Returns nothing
// when done, else the message for the user: why the transfer is off, that the controller is not
// ready, or why no keys can be sent at all.
std::optional<std::string> transferSawInstructions(const reports::SawInstructions& saw,
                                                   const KeySenderFactory& openSender,
                                                   const reports::TransferOptions& options);

}  // namespace veltrix
