#pragma once
// Open, save and print dialogs.

#include <optional>
#include <string>
#include <vector>

namespace veltrix {

struct FileDialogRequest {
    std::string title;
    // Filter pairs in the form "description|pattern|description|pattern", e.g. "*.opt|*.opt".
    std::string filter;
    // The file name the dialog opens with.
    std::string initialPath;
};

enum class PrintRange { All, Selection };

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // Returns the chosen existing file, or nothing when cancelled.
    virtual std::optional<std::string> openFile(const FileDialogRequest& request) = 0;
    // Returns the chosen file name (overwrite confirmed), or nothing when cancelled.
    virtual std::optional<std::string> saveFile(const FileDialogRequest& request) = 0;
    // The printer dialog: the range chosen, or nothing when cancelled.
    virtual std::optional<PrintRange> print(bool selectionPreselected) = 0;
};

}  // namespace veltrix
