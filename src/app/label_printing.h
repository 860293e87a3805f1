#pragma once
// The label windows' commands: the columns of the label sheet definition LBl.def, and the printing
// of the labels of a range of layouts as the page lbl.htm, opened with its associated program.

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

// "Labels" of the Layouts window once the range is chosen: reads LBl.def, writes the labels of
// layouts from..to as lbl.htm in the working folder and opens it with the shell. When LBl.def is
// missing or incomplete, the range lies outside the result or the page cannot be written, the
// user is told why and nothing is written or opened. Returns whether the page was opened.
bool printLabels(const Workspace& workspace, const engine::LoadedResult& result, int from, int to, Prompt& prompt,
                 Shell& shell);

}  // namespace veltrix
