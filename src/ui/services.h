#pragma once
// The outside world as the windows see it: message boxes, file and printer dialogs, the shell
// (help, opening files), the clipboard and the event pump. The desktop program passes Qt
// implementations; tests pass scripted ones, so every window can be driven without a person.

#include <filesystem>
#include <functional>
#include <memory>

#include "base/workspace.h"

class QPrinter;

namespace veltrix {

class Prompt;
class FileDialogs;
class Shell;
class Clipboard;
class EventPump;
class Surface;

namespace ui {

// The topics of the help file opt.hlp that windows open at: a topic starts at the line holding its
// number in brackets ("[54]").
enum class HelpTopic : int {
    Contents = 0,    // the top of the file
    Layouts = 30,    // looking through the layouts, editing and arranging them
    FailedRun = 54,  // when an optimization fails (the run's help topic, engine::kFailureHelpTopic)
    Files = 60,      // files and folders, the backup
};

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
    // The help file of the working folder at a topic.
    void help(HelpTopic topic = HelpTopic::Contents) const;
};

inline constexpr const char* kHelpFile = "opt.hlp";

}  // namespace ui
}  // namespace veltrix
