#pragma once
// The launcher's actions that are not windows.

#include <string>

namespace veltrix {

class Prompt;
class Workspace;

inline constexpr const char* kNoProductsMessage = "No valid products in PLM";

// "Veltrix Suite is already running": shown by a second start, which then ends.
std::string alreadyRunningMessage();

// The launcher's Exit: deletes every "*.tlf" and "*.adj" file of the working folder (the job's
// scratch tables). Returns the number of files deleted.
int deleteScratchFiles(const Workspace& workspace);

// "Load Products" may open only when products.lst lists products; otherwise tells the user.
bool productsAvailable(const Workspace& workspace, Prompt& prompt);

}  // namespace veltrix
