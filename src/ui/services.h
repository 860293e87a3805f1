#pragma once
// The outside world as the windows see it: message boxes, file and printer dialogs, the shell
// (help, opening files), the clipboard and the event pump. The desktop program passes Qt
// implementations; tests pass scripted ones, so every window can be driven without a person.

#include <filesystem>
#include <functional>
#include <memory>

#include "table/workspace.h"

class QPrinter;

namespace veltrix {

class Prompt;
class FileDialogs;
class Shell;
class Clipboard;
class EventPump;
class Surface;

namespace ui {

// A print job the windows draw on: pages go to the printer (or, in tests, anywhere) as they are
// finished. finish() ends the document.
class PrintJob {
public:
    virtual ~PrintJob() = default;
    virtual Surface& surface() = 0;
    virtual void finish() = 0;
};

struct Services {
    Workspace workspace;
    Prompt& prompt;
    FileDialogs& dialogs;
    Shell& shell;
    Clipboard& clipboard;
    EventPump& events;
    // Starts a print job on the printer chosen in the last printer dialog; nothing when no printer
    // can be started.
    std::function<std::unique_ptr<PrintJob>()> startPrintJob;

    std::filesystem::path file(std::string_view name) const { return workspace.file(name); }
    // F1: the help file of the working folder at a topic (0 for its contents).
    void help(int topic = 0) const;
};

inline constexpr const char* kAttention = "Attention!";
inline constexpr const char* kHelpFile = "opt.hlp";

// Tells the user that a window of the program is not part of this version yet.
void tellNotAvailable(Prompt& prompt, const std::string& what);

}  // namespace ui
}  // namespace veltrix
