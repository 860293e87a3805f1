#include "ui/base_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QToolBar>

#include "app/layout_viewer.h"
#include "app/optimize_command.h"
#include "ui/density_window.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "ui/icons.h"
#include "ui/job_windows.h"
#include "ui/layouts_window.h"
#include "ui/progress_dialog.h"
#include "ui/result_windows.h"
#include "ui/tool_windows.h"
#include "veltrix_version.h"

namespace veltrix::ui {

namespace {

// The About box: the program, its version (the one the package and veltrix --version carry) and
// what it is for.
QString aboutText() {
    return QStringLiteral("<p><b>Veltrix Suite</b> version %1</p>"
                          "<p>Cutting plans for panel saws: the sheets or coils of a job cut into its parts with "
                          "the least waste, and the layouts, labels, reports and off-cuts the shop works from.</p>")
        .arg(QString::fromLatin1(kVersion));
}

}  // namespace

BaseWindow::BaseWindow(const Services& services, StockMode mode, QWidget* launcher)
    : QMainWindow(nullptr),
      services_(services),
      module_(services.workspace, mode, services.prompt, services.dialogs, *this),
      launcher_(launcher),
      mdi_(new QMdiArea(this)) {
    setObjectName(QStringLiteral("baseModule"));
    setAttribute(Qt::WA_DeleteOnClose);
    mdi_->setObjectName(QStringLiteral("mdiArea"));
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    mdi_->viewport()->installEventFilter(this);

    basic_ = new BasicWindow(module_, services_);
    sheets_ = new SheetWindow(module_, services_);
    cuts_ = new CutWindow(module_, services_);
    // Each job window shows the icon of the command that brings it to the front.
    const std::pair<QWidget*, const char*> jobWindows[] = {
        {basic_, "document-properties"},
        {sheets_, mode == StockMode::Coil ? "veltrix-coils" : "veltrix-sheets"},
        {cuts_, "veltrix-cut-pieces"}};
    for (const auto& [w, icon] : jobWindows) {
        QMdiSubWindow* sub = mdi_->addSubWindow(w);
        // Closing a job window hides it (after it wrote its file); the Edit menu shows it again.
        sub->setAttribute(Qt::WA_DeleteOnClose, false);
        sub->setWindowIcon(commandIcon(QString::fromLatin1(icon)));
    }
    buildMenus();
    setWindowTitle(QString::fromStdString(modeCaption(mode)));
    resize(1100, 760);
}

BaseWindow::~BaseWindow() {
    // The child windows are views over the module, which goes before the frame's widgets: they
    // go first, without the close events that would write their tables (Exit wrote them).
    mdi_->viewport()->removeEventFilter(this);
    const auto children = mdi_->subWindowList();
    for (QMdiSubWindow* sub : children) delete sub;
}

QAction* BaseWindow::action(const char* name) const { return findChild<QAction*>(QString::fromLatin1(name)); }

void BaseWindow::buildMenus() {
    const bool coil = module_.mode() == StockMode::Coil;
    auto make = [this](QMenu* menu, const char* name, const QString& text, const QKeySequence& key, auto slot) {
        QAction* a = menu->addAction(text);
        a->setObjectName(QString::fromLatin1(name));
        if (!key.isEmpty()) a->setShortcut(key);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };

    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    make(file, "actionNew", QStringLiteral("&New"), QKeySequence(Qt::CTRL | Qt::Key_N), [this] { module_.fileNew(); });
    make(file, "actionOpen", QStringLiteral("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O),
         [this] { module_.fileOpen(); });
    make(file, "actionSave", QStringLiteral("&Save"), QKeySequence(Qt::CTRL | Qt::Key_S),
         [this] { module_.fileSave(); });
    make(file, "actionSaveAs", QStringLiteral("Save &As..."), {}, [this] { module_.fileSaveAs(); });
    file->addSeparator();
    make(file, "actionSaveAsDefaults", QStringLiteral("Save As Defaults"), {},
         [this] { module_.fileSaveAsDefaults(); });
    file->addSeparator();
    make(file, "actionExit", QStringLiteral("E&xit"), {}, [this] { exitCommand(); });

    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    make(edit, "actionBasicDetails", QStringLiteral("&Basic Details"), QKeySequence(Qt::Key_F4),
         [this] { showJobWindow(JobGrid::Basic); });
    edit->addSeparator();
    make(edit, "actionSheets", coil ? QStringLiteral("Coi&l Specifications") : QStringLiteral("&Sheet Specifications"),
         QKeySequence(Qt::Key_F2), [this] { showJobWindow(JobGrid::Sheets); });
    edit->addSeparator();
    make(edit, "actionCutPieces", QStringLiteral("&Cut-Piece Specifications"), QKeySequence(Qt::Key_F3),
         [this] { showJobWindow(JobGrid::Cuts); });

    QMenu* optimize = menuBar()->addMenu(QStringLiteral("&Optimize"));
    make(optimize, "actionOptimize", QStringLiteral("&Start Optimization"), QKeySequence(Qt::Key_F5),
         [this] { startOptimization(); });
    optimize->addSeparator();
    QAction* yield = make(optimize, "actionMaximumYield", QStringLiteral("Maximum Yield"), {}, [this] {
        module_.toggleObjective();
        syncObjectiveChecks();
    });
    QAction* layouts = make(optimize, "actionMinimumLayouts", QStringLiteral("Minimum Layouts"), {}, [this] {
        module_.toggleObjective();
        syncObjectiveChecks();
    });
    yield->setCheckable(true);
    layouts->setCheckable(true);
    syncObjectiveChecks();
    optimize->addSeparator();
    make(optimize, "actionDeepSearch", QStringLiteral("&Deep Search"), {}, [this] { startDeepSearch(); });

    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    make(view, "actionReport", QStringLiteral("&Report"), QKeySequence(Qt::Key_F7), [this] { viewReport(); });
    view->addSeparator();
    make(view, "actionLayouts", QStringLiteral("&Layouts"), QKeySequence(Qt::Key_F8), [this] { viewLayouts(); });
    view->addSeparator();
    make(view, "actionOffcuts", QStringLiteral("&Off-Cut Table"), QKeySequence(Qt::Key_F6), [this] { viewOffcuts(); });

    QMenu* tools = menuBar()->addMenu(QStringLiteral("&Tools"));
    make(tools, "actionUnitConversion", QStringLiteral("&Unit Conversion Tool"), QKeySequence(Qt::Key_F9),
         [this] { openUnitConversion(*this); });
    tools->addSeparator();
    make(tools, "actionDensityTable", QStringLiteral("&Density Table"), {}, [this] { showDensityTable(); });

    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    make(help, "actionHelp", QStringLiteral("&Veltrix Help"), QKeySequence(Qt::Key_F1), [this] { services_.help(); });
    help->addSeparator();
    make(help, "actionAbout", QStringLiteral("&About Veltrix Suite"), {}, [this] {
        QMessageBox::about(this, QStringLiteral("About Veltrix Suite"), aboutText());
    });

    // The menu items show the pictures of the toolbar buttons that do the same.
    const std::pair<const char*, const char*> menuIcons[] = {
        {"actionNew", "document-new"},
        {"actionOpen", "document-open"},
        {"actionSave", "document-save"},
        {"actionSaveAs", "document-save-as"},
        {"actionExit", "application-exit"},
        {"actionBasicDetails", "document-properties"},
        {"actionSheets", coil ? "veltrix-coils" : "veltrix-sheets"},
        {"actionCutPieces", "veltrix-cut-pieces"},
        {"actionOptimize", "media-playback-start"},
        {"actionReport", "x-office-document"},
        {"actionLayouts", "veltrix-layouts"},
        {"actionOffcuts", "veltrix-offcuts"},
        {"actionUnitConversion", "accessories-calculator"},
        {"actionDensityTable", "x-office-spreadsheet"},
        {"actionHelp", "help-contents"},
        {"actionAbout", "help-about"}};
    for (const auto& [name, icon] : menuIcons) action(name)->setIcon(commandIcon(QString::fromLatin1(icon)));

    QToolBar* bar = addToolBar(QStringLiteral("Toolbar"));
    bar->setObjectName(QStringLiteral("toolBar"));
    bar->setMovable(false);
    bar->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    auto tool = [&](const char* name, const QString& key, const QString& tip, const char* icon,
                    const char* menuAction) {
        QAction* a = bar->addAction(commandIcon(QString::fromLatin1(icon)), key);
        a->setObjectName(QString::fromLatin1(name));
        a->setToolTip(tip);
        QAction* target = action(menuAction);
        connect(a, &QAction::triggered, target, &QAction::trigger);
        return a;
    };
    tool("toolNew", QStringLiteral("New"), QStringLiteral("New FIle"), "document-new", "actionNew");
    tool("toolOpen", QStringLiteral("Open"), QStringLiteral("Open File"), "document-open", "actionOpen");
    tool("toolSave", QStringLiteral("Save"), QStringLiteral("Save File"), "document-save", "actionSave");
    bar->addSeparator();
    tool("toolBasicDetails", QStringLiteral("Basic"), QStringLiteral("Basic Details"), "document-properties",
         "actionBasicDetails");
    QAction* sheets = tool("toolSheets", QStringLiteral("Sheets"), QStringLiteral("Sheet Specifications"),
                           "veltrix-sheets", "actionSheets");
    QAction* coils = tool("toolCoils", QStringLiteral("Coils"), QStringLiteral("Coil Specifications"),
                          "veltrix-coils", "actionSheets");
    sheets->setVisible(!coil);
    coils->setVisible(coil);
    tool("toolCutPieces", QStringLiteral("Cut Pieces"), QStringLiteral("Cut-Piece Specifications"),
         "veltrix-cut-pieces", "actionCutPieces");
    bar->addSeparator();
    tool("toolOptimize", QStringLiteral("Optimize"), QStringLiteral("Start Optimization"), "media-playback-start",
         "actionOptimize");
    bar->addSeparator();
    tool("toolReport", QStringLiteral("Report"), QStringLiteral("Report"), "x-office-document",
         "actionReport");
    tool("toolLayouts", QStringLiteral("Layouts"), QStringLiteral("Layouts"), "veltrix-layouts", "actionLayouts");
    tool("toolOffcuts", QStringLiteral("Offcuts"), QStringLiteral("Off-Cut Table"), "veltrix-offcuts",
         "actionOffcuts");
}

void BaseWindow::syncObjectiveChecks() {
    action("actionMaximumYield")->setChecked(module_.document().objective.maximumYield);
    action("actionMinimumLayouts")->setChecked(module_.document().objective.minimumLayouts);
}

void BaseWindow::start() {
    module_.start();
    syncObjectiveChecks();
    // The base module fills the screen's work area, as the launcher did.
    if (QScreen* screen = launcher_ ? launcher_->screen() : this->screen()) setGeometry(screen->availableGeometry());
    show();
    arrangeJobWindows();
    if (launcher_) launcher_->hide();
    showJobWindow(JobGrid::Cuts);
}

QMdiSubWindow* BaseWindow::subWindowOf(QWidget* widget) const {
    for (QMdiSubWindow* sub : mdi_->subWindowList())
        if (sub->widget() == widget) return sub;
    return nullptr;
}

JobGridWindow* BaseWindow::jobWindow(JobGrid grid) const {
    switch (grid) {
        case JobGrid::Basic: return basic_;
        case JobGrid::Sheets: return sheets_;
        case JobGrid::Cuts: break;
    }
    return cuts_;
}

void BaseWindow::showJobWindow(JobGrid grid) {
    JobGridWindow* w = jobWindow(grid);
    QMdiSubWindow* sub = subWindowOf(w);
    if (!sub) return;
    if (!sub->isVisible()) {
        // A closed window opens again on the job's table as it stands.
        w->reload();
        if (grid == JobGrid::Cuts) cuts_->applyReportOption();
        sub->show();
        w->show();
    }
    mdi_->setActiveSubWindow(sub);
    sub->raise();
    w->view()->setFocus();
}

void BaseWindow::arrangeJobWindows() {
    const QSize area = mdi_->viewport()->size();
    if (area.width() < 100 || area.height() < 100) return;
    const int row = basic_->view()->verticalHeader()->defaultSectionSize();
    const int frame = subWindowOf(basic_)->height() - basic_->height();
    const int basicHeight = std::max(row * 3 + 14, 70) + std::max(frame, 30);
    const int sheetHeight = std::min(std::max(area.height() / 3, 170), 260);
    auto place = [&](QWidget* w, int y, int height, int width) {
        if (QMdiSubWindow* sub = subWindowOf(w); sub && !sub->isMaximized()) sub->setGeometry(0, y, width, height);
    };
    int basicWidth = 40;
    for (int c = 0; c < basic_->model()->columnCount(); ++c) basicWidth += basic_->view()->columnWidth(c);
    place(basic_, 0, basicHeight, std::min(area.width(), basicWidth));
    place(sheets_, basicHeight, sheetHeight, std::min(area.width(), 900));
    place(cuts_, basicHeight + sheetHeight, std::max(area.height() - basicHeight - sheetHeight, 200), area.width());
    arranged_ = true;
}

bool BaseWindow::eventFilter(QObject* watched, QEvent* event) {
    // The cut-piece window spans the frame's inner width, also after the frame is resized.
    if (watched == mdi_->viewport() && event->type() == QEvent::Resize) arrangeJobWindows();
    return QMainWindow::eventFilter(watched, event);
}

void BaseWindow::startOptimization() { runInProgress(RunKind::Standard); }

void BaseWindow::startDeepSearch() { runInProgress(RunKind::Deep); }

void BaseWindow::runInProgress(RunKind kind) {
    module_.optimizeMenuClicked();
    if (progress_) return;  // one run at a time
    if (prepareRun(module_, [this] { showDensityTable(); }) == RunPreparation::ToleranceRefused) {
        // The tolerance wants editing: the basic details' TOL cell.
        showJobWindow(JobGrid::Basic);
        basic_->setCurrentCell(1, kTol);
        return;
    }
    RunRequest request = runRequest(module_);
    if (kind == RunKind::Deep) {
        // A deep search starts afresh, also after a stopped run.
        request.settings.continueFrom = 0;
        request.settings.continued = {};
    }
    ProgressDialog dialog(services_, std::move(request), kind, this);
    progress_ = &dialog;
    dialog.exec();
    progress_ = nullptr;
    finishRun(module_, dialog.outcome());
    afterRun(module_, dialog.outcome());
}

QWidget* BaseWindow::progressDialog() const { return progress_.data(); }
LayoutsWindow* BaseWindow::layoutsWindow() const { return layouts_.data(); }
ReportWindow* BaseWindow::reportWindow() const { return report_.data(); }
OffcutWindow* BaseWindow::offcutWindow() const { return offcut_.data(); }

LayoutViewer* BaseWindow::viewer() {
    if (!viewer_) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        viewer_ = openLayoutViewer(module_);
        QApplication::restoreOverrideCursor();
    }
    return viewer_.get();
}

void BaseWindow::showChild(QWidget* window) {
    QMdiSubWindow* sub = subWindowOf(window);
    if (!sub) {
        sub = mdi_->addSubWindow(window);
        sub->setWindowIcon(applicationIcon());
        sub->setAttribute(Qt::WA_DeleteOnClose);
        // The window fills the frame's inner area.
        sub->setGeometry(QRect(QPoint(0, 0), mdi_->viewport()->size()));
    }
    sub->show();
    window->show();
    mdi_->setActiveSubWindow(sub);
    sub->raise();
}

void BaseWindow::viewReport() {
    if (!module_.checkResultForView()) return;
    if (!report_) {
        if (!viewer()) return;
        report_ = new ReportWindow(module_, services_, viewer()->reports().report.text);
    }
    showChild(report_);
}

void BaseWindow::viewLayouts() {
    if (!module_.checkResultForView()) return;
    showLayouts();
}

void BaseWindow::viewOffcuts() {
    if (!module_.checkResultForView()) return;
    if (!offcut_) {
        if (!viewer()) return;
        offcut_ = new OffcutWindow(module_, services_);
    }
    showChild(offcut_);
}

void BaseWindow::showDensityTable() {
    DensityWindow w(services_, &module_.document().changed, this);
    w.exec();
}

void BaseWindow::closeChild(QWidget* window) {
    if (!window) return;
    // The off-cut table stores its grid as it closes.
    if (QMdiSubWindow* sub = subWindowOf(window)) {
        sub->close();
        delete sub;
    } else {
        window->close();
        delete window;
    }
}

void BaseWindow::closeResultWindows() {
    closeChild(layouts_);
    closeResultTables();
    viewer_.reset();
}

void BaseWindow::closeResultTables() {
    closeChild(report_);
    closeChild(offcut_);
}

void BaseWindow::showLayouts() {
    if (!layouts_) {
        LayoutViewer* v = viewer();
        if (!v) return;
        layouts_ = new LayoutsWindow(*v, services_);
        connect(layouts_, &LayoutsWindow::planChanging, this, [this] { closeResultTables(); });
    }
    showChild(layouts_);
}

void BaseWindow::tablesReloaded() {
    // The windows open again on the new tables; the edge columns follow the report option as it
    // is now.
    cuts_->applyReportOption();
    for (JobGrid g : {JobGrid::Basic, JobGrid::Sheets, JobGrid::Cuts}) {
        JobGridWindow* w = jobWindow(g);
        w->reload();
        if (QMdiSubWindow* sub = subWindowOf(w); sub && isVisible() && !sub->isVisible()) {
            sub->show();
            w->show();
        }
    }
}

void BaseWindow::captionChanged(const std::string& caption) { setWindowTitle(QString::fromStdString(caption)); }

void BaseWindow::restoreFocus() {
    if (QMdiSubWindow* sub = mdi_->activeSubWindow(); sub && sub->widget()) sub->widget()->setFocus();
}

void BaseWindow::baseModuleClosed() {
    if (launcher_) launcher_->show();
    emit closed();
}

void BaseWindow::exitCommand() { close(); }

void BaseWindow::closeEvent(QCloseEvent* event) {
    if (exiting_) {
        event->accept();
        return;
    }
    if (!module_.fileExit()) {
        event->ignore();
        return;
    }
    exiting_ = true;
    closeResultWindows();
    event->accept();
}

}  // namespace veltrix::ui
