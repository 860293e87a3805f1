#include "layouts/display_options.h"

#include <algorithm>
#include <string>

#include "base/file_ops.h"
#include "base/number_text.h"
#include "base/table_file.h"
#include "base/workspace.h"

namespace veltrix::layouts {

DisplayOptions readDisplayOptions(const Workspace& workspace) {
    DisplayOptions options;
    const std::vector<std::string> lines = splitLines(readWholeFile(workspace.file(kDisplayOptionsFile)));
    auto value = [&lines](std::size_t i) {
        return i < lines.size() ? roundHalfEven(leadingDouble(lines[i])) : 0.0;
    };
    for (std::size_t i = 0; i < kShowCount; ++i) options.flags[i] = value(i) != 0;
    options.printLineWidth = static_cast<int>(std::clamp(value(kShowCount), 0.0, 5.0));
    return options;
}

std::string displayOptionsText(const DisplayOptions& options) {
    std::string text;
    for (bool on : options.flags) text += on ? "1\r\n" : "0\r\n";
    text += tableNumber(static_cast<long long>(options.printLineWidth)) + "\r\n";
    return text;
}

void writeDisplayOptions(const Workspace& workspace, const DisplayOptions& options) {
    writeFileAtomic(workspace.file(kDisplayOptionsFile), displayOptionsText(options));
}

}  // namespace veltrix::layouts
