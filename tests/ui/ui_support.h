#pragma once
// Driving the desktop program's windows in tests: one QApplication on the offscreen platform,
// scripted message boxes and dialogs, a recording printer, keys typed where the focus is, and a
// hand for modal dialogs.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <QString>

#include "job/job_tables.h"
#include "support/fakes.h"
#include "support/temp_folder.h"
#include "ui/qt_platform.h"
#include "ui/services.h"

class QWidget;

namespace veltrix::ui {
class BaseWindow;
class GridWindow;
class ProgressDialog;
}  // namespace veltrix::ui

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
    // A base module as the launcher opens it: shown, active, the cut-piece window in front.
    std::unique_ptr<BaseWindow> startBase(StockMode mode = StockMode::Sheet);
    // File > Open (Ctrl+O) of a project file.
    void open(BaseWindow& base, const std::filesystem::path& file);
    // The hand-made job of tests/data/layouts/two-layouts.opt written into the working folder
    // under `name` (its DXF outline left out): two layouts of a hob panel and three shelves on
    // sheets 1200 x 1000 with margins of 10 and kerf 4.
    std::filesystem::path writeTwoLayoutJob(const std::string& name = "job.opt");
};

// Runs `action`; while it runs, `handler` is offered every modal dialog that is open (repeatedly,
// until it returns true for it: handled).
void whileModal(const std::function<void()>& action, const std::function<bool(QWidget*)>& handler);

// What the user saw of a run in the progress dialog.
struct SeenRun {
    bool appeared = false;
    int reportsWhileRunning = 0;        // iterations shown while the worker still ran
    std::vector<std::string> runLines;  // the "Run k of N: ..." lines of a deep search
    // The texts under the figures when the figures first showed (a deep search's best-plan line).
    std::string bestLineAtStart;
    bool startSeen = false;
    std::string message, layouts, yield;
    bool hint = false, barVisible = true;
    QString button;
};
// Starts a run of the base module with `start` (its key or menu action); `whileRunning` is called
// once as soon as the run is seen going on. At the end F1 is pressed when asked, then OK.
SeenRun runAndWatch(BaseWindow& base, const std::function<void()>& start,
                    std::function<void(ProgressDialog&)> whileRunning = {}, bool pressF1 = false);

// Makes the window the active one, as a click on it would (the offscreen platform activates no
// window when a dialog closes).
void activate(QWidget& window);
// Keys as a keyboard gives them to the widget that has the focus: printable characters, "\t" Tab,
// "\n" Return, "\b" Backspace.
void typeKeys(const QString& keys);
// One key, with modifiers, to the widget that has the focus (shortcuts included).
void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
// Makes cell (row, column) of a grid window current and types the keys into its grid ("\t" Tab,
// "\b" Backspace).
void typeInto(GridWindow& window, int row, int column, const QString& keys);

}  // namespace veltrix::ui::test
