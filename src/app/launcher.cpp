#include "app/launcher.h"

#include "platform/prompt.h"
#include "base/file_ops.h"
#include "base/workspace.h"

namespace veltrix {

std::string alreadyRunningMessage() { return std::string(kApplicationTitle) + " is already running"; }

int deleteScratchFiles(const Workspace& workspace) {
    return deleteMatching(workspace.folder(), "*.tlf") + deleteMatching(workspace.folder(), "*.adj");
}

bool productsAvailable(const Workspace& workspace, Prompt& prompt) {
    if (!fileEmptyOrMissing(workspace.file("products.lst"))) return true;
    prompt.tell(kNoProductsMessage, kAttention, Icon::Information);
    return false;
}

}  // namespace veltrix
