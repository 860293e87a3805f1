#include "ui/services.h"

#include "platform/prompt.h"
#include "platform/shell.h"

namespace veltrix::ui {

void Services::help(HelpTopic topic) const { shell.showHelp(workspace.file(kHelpFile), static_cast<int>(topic)); }

}  // namespace veltrix::ui
