#include "ui/services.h"

#include "platform/prompt.h"
#include "platform/shell.h"

namespace veltrix::ui {

void Services::help(int topic) const { shell.showHelp(workspace.file(kHelpFile), topic); }

void tellNotAvailable(Prompt& prompt, const std::string& what) {
    prompt.tell(what + " is not available in this version of " + kApplicationTitle + " yet.", kAttention,
                Icon::Information);
}

}  // namespace veltrix::ui
