#pragma once
// The label windows' commands: the columns of the label sheet definition LBl.def, and the printing
// of the labels of a range of layouts as the page lbl.htm, opened with its associated program.

#include <filesystem>
#include <string>
#include <vector>

namespace veltrix {

class Prompt;
class Shell;
class Workspace;

namespace engine {
struct LoadedResult;
}

// ROWS, COLS, VP, BIGGER FONTSIZE and the nine SHOW columns, in the order of LBl.def.
const std::vector<std::string>& labelSheetKeys();

// The OK button of the range window: the first layout may not lie after the last.
inline bool labelRangeValid(int from, int to) { return from <= to; }

// Told when the label page was written but no program (a browser) could be started for it.
std::string labelsNotShownMessage(const std::filesystem::path& page);
// Opens a written label page with its program; when none can be started, tells the user so and
// where the page is. Returns whether it was opened.
bool showLabelPage(const std::filesystem::path& page, Prompt& prompt, Shell& shell);

// "Labels" of the Layouts window once the range is chosen: reads LBl.def, writes the labels of
// layouts from..to as lbl.htm in the working folder and opens it with the shell. When LBl.def is
// missing or incomplete, the range lies outside the result or the page cannot be written, the
// user is told why and nothing is written or opened. When no program can be started to show the
// page, the user is told so and where the page was written. Returns whether the page was opened.
bool printLabels(const Workspace& workspace, const engine::LoadedResult& result, int from, int to, Prompt& prompt,
                 Shell& shell);

}  // namespace veltrix
