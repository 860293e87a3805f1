#pragma once
// A text put into a cell of a job grid as if typed: the Delete key, then each character through
// the typing rules, so the import lock, the change confirmation, the character filter and the
// column width all apply. The unit conversion tool's "Paste" uses it.

#include <string_view>

#include "app/job_editing.h"

namespace veltrix {

class BaseModule;

// Returns false, typing nothing, when the Delete key was refused (the import lock, or the change
// not confirmed); the refusal is asked or told once, not again for every character.
bool typeTextIntoJobCell(BaseModule& module, JobGrid grid, int row, int column, std::string_view text);

}  // namespace veltrix
