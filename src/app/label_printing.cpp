#include "app/label_printing.h"

#include <stdexcept>

#include "engine/loaded_result.h"
#include "job/settings.h"
#include "layouts/labels.h"
#include "platform/prompt.h"
#include "platform/shell.h"
#include "base/file_ops.h"
#include "base/workspace.h"

namespace veltrix {

const std::vector<std::string>& labelSheetKeys() {
    static const std::vector<std::string> keys{
        "ROWS",          "COLS",           "VP",        "BIGGER FONTSIZE",  "SHOW CLIENT",  "SHOW MATERIAL", "SHOW GRAIN",
        "SHOW THICKNESS", "SHOW SIZE",     "SHOW QTY",  "SHOW DESCRIPTION", "SHOW PRODUCT", "SHOW LOGO"};
    return keys;
}

std::string labelsNotShownMessage(const std::filesystem::path& page) {
    return "The labels were written to " + page.string() +
           ", but no program could be started to show them. Open that file in a web browser to print the labels.";
}

bool showLabelPage(const std::filesystem::path& page, Prompt& prompt, Shell& shell) {
    if (shell.openFile(page)) return true;
    prompt.tell(labelsNotShownMessage(page), kAttention, Icon::Exclamation);
    return false;
}

bool printLabels(const Workspace& workspace, const engine::LoadedResult& result, int from, int to, Prompt& prompt,
                 Shell& shell) {
    const auto page = workspace.file(layouts::kLabelPageFile);
    try {
        const layouts::LabelSheet sheet = layouts::readLabelSheet(workspace);
        if (from < 1 || to > result.layoutCount() || !labelRangeValid(from, to))
            throw std::out_of_range("Choose layouts from 1 to " + std::to_string(result.layoutCount()) +
                                    ", the first not after the last.");
        writeFileAtomic(page, layouts::labelPage(result, sheet, from, to, reportOption(workspace), workspace));
    } catch (const std::exception& e) {
        prompt.tell(e.what(), kAttention, Icon::Exclamation);
        return false;
    }
    return showLabelPage(page, prompt, shell);
}

}  // namespace veltrix
