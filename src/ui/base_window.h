#pragma once
// The base module: a frame of child windows (the basic details, sheet and cut-piece windows and the
// result windows: Layouts, Report, Off-Cut Table) with the menus File, Edit, Optimize, View, Tools
// and Help and the toolbar. It wires Qt to the BaseModule commands and carries out the frame hooks
// those commands call. Menu and toolbar actions are found by name: "actionNew", "actionOptimize",
// "toolSave", ... (see buildMenus).

#include <memory>

#include <QMainWindow>
#include <QPointer>

#include "app/base_module.h"
#include "app/job_editing.h"
#include "ui/services.h"

class QMdiArea;
class QMdiSubWindow;

namespace veltrix {
class LayoutViewer;
}

namespace veltrix::ui {

class BasicWindow;
class LayoutsWindow;
class OffcutWindow;
class ReportWindow;
class SheetWindow;
class CutWindow;
class JobGridWindow;
enum class RunKind;

class BaseWindow : public QMainWindow, public FrameHooks {
    Q_OBJECT
public:
    BaseWindow(const Services& services, StockMode mode, QWidget* launcher = nullptr);
    ~BaseWindow() override;

    BaseModule& module() { return module_; }
    const Services& services() const { return services_; }
    // Opening from the launcher: the Defaults file, the caption, the job windows.
    void start();

    QAction* action(const char* name) const;
    BasicWindow* basicWindow() const { return basic_; }
    SheetWindow* sheetWindow() const { return sheets_; }
    CutWindow* cutWindow() const { return cuts_; }
    QMdiArea* mdiArea() const { return mdi_; }
    LayoutsWindow* layoutsWindow() const;
    ReportWindow* reportWindow() const;
    OffcutWindow* offcutWindow() const;
    // The progress dialog of the run now on, if any.
    QWidget* progressDialog() const;

    // Edit menu: brings a job window to the front, opening it (and loading its file) when closed.
    void showJobWindow(JobGrid grid);
    // Optimize > Start Optimization.
    void startOptimization();
    // Optimize > Deep Search: as Start Optimization (the same checks, the same dialog, the same
    // steps after it), the run a deep search that starts afresh.
    void startDeepSearch();
    // View menu.
    void viewReport();
    void viewLayouts();
    void viewOffcuts();
    // Tools > Density Table.
    void showDensityTable();

    // Frame hooks.
    void closeResultWindows() override;
    void showLayouts() override;
    void tablesReloaded() override;
    void captionChanged(const std::string& caption) override;
    void restoreFocus() override;
    void baseModuleClosed() override;

signals:
    // The base module closed; the launcher shows again.
    void closed();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildMenus();
    // Start Optimization or Deep Search: the checks, the progress dialog with the run, the plan
    // stored, then the layouts and Save As.
    void runInProgress(RunKind kind);
    void syncObjectiveChecks();
    void arrangeJobWindows();
    QMdiSubWindow* subWindowOf(QWidget* widget) const;
    JobGridWindow* jobWindow(JobGrid grid) const;
    void exitCommand();
    // The loaded result behind the result windows; loads it when needed. Null (the user told why)
    // when it cannot be loaded.
    LayoutViewer* viewer();
    // Shows a result window as an MDI child filling the frame.
    void showChild(QWidget* window);
    // Closes a child window of the frame, if it is open.
    void closeChild(QWidget* window);
    // Closes the report and off-cut windows (the plan they show changed).
    void closeResultTables();

    Services services_;
    BaseModule module_;
    QWidget* launcher_;
    QMdiArea* mdi_;
    BasicWindow* basic_ = nullptr;
    SheetWindow* sheets_ = nullptr;
    CutWindow* cuts_ = nullptr;
    std::unique_ptr<LayoutViewer> viewer_;
    QPointer<LayoutsWindow> layouts_;
    QPointer<ReportWindow> report_;
    QPointer<OffcutWindow> offcut_;
    QPointer<QWidget> progress_;
    bool exiting_ = false;
    bool arranged_ = false;
};

}  // namespace veltrix::ui
