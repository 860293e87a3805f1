#pragma once
// Driving the desktop program's windows in tests: one QApplication on the offscreen platform,
// scripted message boxes and dialogs, a recording printer, and a hand for modal dialogs.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QString>

#include "platform/clipboard.h"
#include "platform/file_dialogs.h"
#include "platform/prompt.h"
#include "platform/shell.h"
#include "platform/surface.h"
#include "support/temp_folder.h"
#include "ui/qt_platform.h"
#include "ui/services.h"

class QWidget;

namespace veltrix::ui {
class GridWindow;
}

namespace veltrix::ui::test {

// The application object of the test process (created on first use).
void ensureApplication();

struct Harness {
    Harness();
    ~Harness();

    veltrix::test::TempFolder dir;
    ScriptedPrompt prompt;
    ScriptedFileDialogs dialogs;
    RecordingShell shell;
    MemoryClipboard clipboard;
    QtEventPump events;
    // Every print job started, one recording surface each.
    std::vector<std::shared_ptr<RecordingSurface>> printed;
    Services services;

    std::vector<std::string> messageTexts() const;
    // Copies the example working folder into the test folder.
    void copyExample();
};

// Runs `action`; while it runs, `handler` is offered every modal dialog that is open (repeatedly,
// until it returns true for it: handled).
void whileModal(const std::function<void()>& action, const std::function<bool(QWidget*)>& handler);

// Types the keys into the grid window's cell (row, column): printable characters as key presses,
// "\b" as Backspace.
void typeInto(GridWindow& window, int row, int column, const QString& keys);

// Pumps events until `done` or a generous limit of rounds.
void processUntil(const std::function<bool()>& done);

}  // namespace veltrix::ui::test
