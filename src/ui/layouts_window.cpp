#include "ui/layouts_window.h"

#include <algorithm>
#include <cmath>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>

#include "app/cell_choice.h"
#include "app/layout_commands.h"
#include "app/base_module.h"
#include "app/layout_viewer.h"
#include "platform/event_pump.h"
#include "platform/file_dialogs.h"
#include "platform/prompt.h"
#include "render/painter_surface.h"
#include "ui/help_key.h"
#include "ui/labels_windows.h"
#include "ui/layout_edit_windows.h"
#include "ui/layout_settings_window.h"
#include "ui/saw_instructions_window.h"
#include "ui/services.h"

namespace veltrix::ui {

namespace {
// Twips at 96 dots per inch.
constexpr int twips(int t) { return (t + 7) / 15; }
}  // namespace

LayoutPicture::LayoutPicture(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("layoutPicture"));
    setToolTip(QStringLiteral("Click to EDIT"));
}

void LayoutPicture::setPicture(const QPixmap& picture) {
    picture_ = picture;
    update();
}

void LayoutPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    if (!picture_.isNull()) p.drawPixmap(rect(), picture_);
}

LayoutsWindow::LayoutsWindow(LayoutViewer& viewer, const Services& services, QWidget* parent)
    : QWidget(parent),
      viewer_(viewer),
      services_(services),
      toolBar_(new QToolBar(this)),
      selector_(new QComboBox(this)),
      picture_(new LayoutPicture(this)),
      listing_(new QTextEdit(this)) {
    setObjectName(QStringLiteral("layoutsWindow"));
    setWindowTitle(QStringLiteral("Layouts"));
    selector_->setObjectName(QStringLiteral("layoutSelector"));
    selector_->setToolTip(QStringLiteral("Select Layout"));
    selector_->setMinimumContentsLength(9);
    listing_->setObjectName(QStringLiteral("listing"));
    listing_->setReadOnly(true);
    listing_->setFocusPolicy(Qt::NoFocus);
    listing_->setLineWrapMode(QTextEdit::NoWrap);
    listing_->installEventFilter(this);
    picture_->installEventFilter(this);
    picture_->setMouseTracking(true);  // the tooltip names what a press would edit
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);

    auto add = [this](const char* name, const QString& caption, const QString& tip, auto action) {
        QAction* a = toolBar_->addAction(caption);
        a->setIconText(caption);  // as it is: a tool button would drop the "..." of "Add..." and "CNC..."
        a->setObjectName(QString::fromLatin1(name));
        a->setToolTip(tip);
        connect(a, &QAction::triggered, this, action);
        return a;
    };
    add("zoom", QStringLiteral("Zoom"), QStringLiteral("Magnify Layout"), [this] { zoom(); });
    QAction* printAction = add("print", QStringLiteral("Print"), QStringLiteral("Print Layout(s)"), [this] { print(); });
    printAction->setShortcut(QKeySequence::Print);
    add("labels", QStringLiteral("Labels"), QStringLiteral("Print Labels"), [this] {
        selector_->setFocus();
        printLabelsOfViewer(viewer_, services_, this);
    });
    add("settings", QStringLiteral("Settings"), QStringLiteral("Settings"), [this] { settings(); });
    add("add", QStringLiteral("Add..."), QStringLiteral("ADD Off-Cut / Cut-Piece"), [this] { addToLayout(); });
    QAction* arrangeAction =
        add("arrange", QStringLiteral("Arrange"), QStringLiteral("Alternate Arrangement"), [this] { arrange(); });
    QAction* undoAction =
        add("undo", QStringLiteral("Undo"), QStringLiteral("Undo"), [this] { undo(); });
    undoAction->setShortcut(QKeySequence::Undo);
    QAction* redoAction =
        add("redo", QStringLiteral("Redo"), QStringLiteral("Redo"), [this] { redo(); });
    redoAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    // The keys work wherever the focus is in the window (the selector keeps it), not only on the
    // toolbar the actions are shown on.
    for (QAction* a : {printAction, undoAction, redoAction}) {
        a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
        addAction(a);
    }
    QAction* exportAction = add("export", QStringLiteral("Export..."), QStringLiteral("Export as DXF..."),
                                [this] { exportDxf(false); });
    auto* exportMenu = new QMenu(this);
    exportMenu->addAction(QStringLiteral("Current Layout..."), this, [this] { exportDxf(false); })
        ->setObjectName(QStringLiteral("exportCurrent"));
    exportMenu->addAction(QStringLiteral("All Layouts..."), this, [this] { exportDxf(true); })
        ->setObjectName(QStringLiteral("exportAll"));
    exportAction->setMenu(exportMenu);
    if (auto* button = qobject_cast<QToolButton*>(toolBar_->widgetForAction(exportAction)))
        button->setPopupMode(QToolButton::MenuButtonPopup);
    QAction* saw = add("sawInstructions", QStringLiteral("CNC..."),
                       QStringLiteral("Generate cutting instructions for NPS400 control"),
                       [this] { openSawInstructions(); });
    // Alternate arrangements and panel-saw instructions are for sheets.
    arrangeAction->setEnabled(viewer.arrangeAllowed());
    saw->setEnabled(viewer.arrangeAllowed());

    for (const std::string& entry : viewer.selectorEntries()) selector_->addItem(QString::fromStdString(entry));
    connect(selector_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0) return;
        viewer_.select(index + 1);
        redraw();
    });
    selector_->setCurrentIndex(viewer.current() - 1);
    updateEditTools();
    resize(900, 640);
}

LayoutsWindow::~LayoutsWindow() = default;

QAction* LayoutsWindow::tool(const char* name) const { return findChild<QAction*>(QString::fromLatin1(name)); }

void LayoutsWindow::openSawInstructions() {
    try {
        auto* window = new SawInstructionsWindow(viewer_.result(), viewer_.current(), services_, {}, this);
        window->setWindowFlag(Qt::Window);
        window->setAttribute(Qt::WA_DeleteOnClose);
        addHelpKey(*window, services_);
        window->resize(760, 520);
        window->show();
    } catch (const std::exception& e) {
        services_.prompt.tell(e.what(), kAttention, Icon::Exclamation);
    }
}

void LayoutsWindow::layoutControls() {
    const QRect inner = contentsRect();
    const QSize bar = toolBar_->sizeHint();
    const QSize sel = selector_->sizeHint();
    // The selector and the toolbar along the top, every tool in sight; under them the picture,
    // which takes all the room the text panel leaves, and the text panel at the right, as wide
    // as its lines (within two fifths of the window).
    selector_->setGeometry(inner.left(), inner.top(), sel.width(), sel.height());
    int top = inner.top() + std::max(sel.height(), bar.height()) + 4;
    if (inner.left() + sel.width() + twips(100) + bar.width() <= inner.right()) {
        toolBar_->setGeometry(inner.left() + sel.width() + twips(100), inner.top(), bar.width(), bar.height());
    } else {
        // Too narrow for both on one line: the toolbar goes under the selector.
        toolBar_->setGeometry(inner.left(), inner.top() + sel.height() + 2, inner.width(), bar.height());
        top = inner.top() + sel.height() + 2 + bar.height() + 4;
    }
    const int lines = listing_->fontMetrics().horizontalAdvance(QString(66, QLatin1Char('0'))) + 24;
    const int panel = std::clamp(lines, 0, inner.width() * 2 / 5);
    const int height = std::max(10, inner.bottom() - top);
    picture_->setGeometry(inner.left(), top, std::max(10, inner.width() - panel - twips(100)), height);
    listing_->setGeometry(inner.right() - panel, top, panel, height);
}

void LayoutsWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutControls();
    redraw();
}

void LayoutsWindow::redraw() {
    QPixmap pixmap(picture_->size().expandedTo(QSize(10, 10)));
    pixmap.fill(Qt::white);
    layouts::DrawnLayout drawn;
    {
        QPainter painter(&pixmap);
        render::PainterSurface surface(painter);
        drawn = viewer_.draw(surface);
    }
    picture_->setPicture(pixmap);
    listing_->setHtml(QString::fromStdString(listingHtml(drawn.listing)));
    // Each problem (an outline that cannot be used, a file not written) is told once.
    for (const std::string& problem : drawn.problems) {
        const QString p = QString::fromStdString(problem);
        if (shownProblems_.contains(p)) continue;
        shownProblems_ << p;
        services_.prompt.tell(problem, kAttention, Icon::Exclamation);
    }
}

void LayoutsWindow::zoom() {
    viewer_.toggleZoom();
    selector_->setFocus();
    redraw();
}

void LayoutsWindow::print() {
    selector_->setFocus();
    // Everything is offered first: a shop prints the whole plan far more often than one layout.
    const auto range = services_.dialogs.print(false);
    if (!range || !services_.startPrintJob) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        if (auto job = services_.startPrintJob()) {
            viewer_.print(job->surface(), *range);
            job->finish();
        }
    } catch (const std::exception& e) {
        // A printer that fails ends the print job; the viewer carries on.
        QApplication::restoreOverrideCursor();
        services_.prompt.tell(e.what(), kAttention, Icon::Exclamation);
        redraw();
        return;
    }
    QApplication::restoreOverrideCursor();
    redraw();
}

void LayoutsWindow::settings() {
    selector_->setFocus();
    LayoutSettingsWindow window(services_, this);
    window.exec();
    viewer_.reloadOptions();
    redraw();
}

void LayoutsWindow::exportDxf(bool all) {
    const auto chosen = services_.dialogs.saveFile(FileDialogRequest{"Export DXF file(s)...", kDxfFilter, {}});
    if (!chosen || chosen->empty()) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        const layouts::ExportResult result = viewer_.exportDxf(all, *chosen);
        QApplication::restoreOverrideCursor();
        redraw();
        services_.prompt.tell(result.message(), {}, Icon::Information);
    } catch (const std::exception& e) {
        QApplication::restoreOverrideCursor();
        redraw();
        services_.prompt.tell(e.what(), kAttention, Icon::Exclamation);
    }
}

bool LayoutsWindow::eventFilter(QObject* watched, QEvent* event) {
    // The text panel never keeps the focus: it goes to the selector.
    if (watched == listing_ && event->type() == QEvent::FocusIn) selector_->setFocus();
    if (watched != picture_) return QWidget::eventFilter(watched, event);
    switch (event->type()) {
        case QEvent::Wheel: {
            // The wheel zooms about the pointer: a notch (120) is a fifth closer or further.
            const auto* wheel = static_cast<QWheelEvent*>(event);
            const int delta = wheel->angleDelta().y();
            if (delta != 0) zoomAt(std::pow(1.2, delta / 120.0), wheel->position());
            return true;
        }
        case QEvent::MouseMove: {
            const auto* move = static_cast<QMouseEvent*>(event);
            if (dragFrom_ && (move->buttons() & (Qt::MiddleButton | Qt::RightButton))) {
                const QPointF step = move->position() - *dragFrom_;
                dragFrom_ = move->position();
                viewer_.moveView(step.x(), step.y(), picture_->width(), picture_->height());
                redraw();
                return true;
            }
            picture_->setToolTip(layoutTooltip(viewer_, picture_->size(), move->position()));
            break;
        }
        case QEvent::MouseButtonPress: {
            const auto* press = static_cast<QMouseEvent*>(event);
            if (press->button() == Qt::LeftButton) editAt(press->position());
            // The middle or right button drags a zoomed drawing along.
            if (press->button() == Qt::MiddleButton || press->button() == Qt::RightButton) {
                dragFrom_ = press->position();
                if (viewer_.viewZoomed()) picture_->setCursor(Qt::ClosedHandCursor);
            }
            return true;
        }
        case QEvent::MouseButtonRelease:
            dragFrom_.reset();
            picture_->unsetCursor();
            return true;
        default: break;
    }
    return QWidget::eventFilter(watched, event);
}

QPointF layoutPoint(const LayoutViewer& viewer, QSize picture, QPointF pixel) {
    const double width = std::max(1, picture.width());
    const double height = std::max(1, picture.height());
    const ScaleSpec scale = viewer.screenScale(width, height);
    return QPointF(scale.left + pixel.x() * scale.width / width, scale.top + pixel.y() * scale.height / height);
}

void LayoutsWindow::zoomAt(double factor, QPointF pixel) {
    viewer_.zoomView(factor, pixel.x(), pixel.y(), picture_->width(), picture_->height());
    redraw();
}

QString layoutTooltip(const LayoutViewer& viewer, QSize picture, QPointF pixel) {
    const QPointF p = layoutPoint(viewer, picture, pixel);
    return QString::fromStdString(layouts::pointTooltip(viewer.result(), viewer.current(), p.x(), p.y()));
}

void LayoutsWindow::showViewer() {
    {
        const QSignalBlocker blocker(selector_);
        selector_->clear();
        for (const std::string& entry : viewer_.selectorEntries()) selector_->addItem(QString::fromStdString(entry));
        selector_->setCurrentIndex(viewer_.current() - 1);
    }
    updateEditTools();
    redraw();
}

void LayoutsWindow::updateEditTools() {
    const PlanHistory& history = viewer_.module().history();
    QAction* undoAction = tool("undo");
    QAction* redoAction = tool("redo");
    undoAction->setEnabled(history.canUndo());
    redoAction->setEnabled(history.canRedo());
    const auto tip = [](const char* verb, const std::string& edit, const char* key) {
        return QStringLiteral("%1 %2 (%3)")
            .arg(QLatin1String(verb), edit.empty() ? QStringLiteral("the last edit") : QString::fromStdString(edit),
                 QLatin1String(key));
    };
    undoAction->setToolTip(tip("Undo", history.undoName(), "Ctrl+Z"));
    redoAction->setToolTip(tip("Redo", history.redoName(), "Ctrl+Y"));
}

void LayoutsWindow::markItem(std::size_t index) {
    QPixmap marked = picture_->picture();
    if (marked.isNull()) return;
    {
        QPainter painter(&marked);
        render::PainterSurface surface(painter);
        surface.setScale(viewer_.screenScale(marked.width(), marked.height()));
        layouts::markItem(surface, viewer_.result(), index);
    }
    picture_->setPicture(marked);
}

template <class Flow>
void LayoutsWindow::guarded(Flow flow) {
    try {
        flow();
    } catch (const std::exception& e) {
        QApplication::restoreOverrideCursor();
        services_.prompt.tell(e.what(), kAttention, Icon::Exclamation);
    }
}

void LayoutsWindow::runEdit(const layouts::EditTarget& target) {
    const std::optional<layouts::EditRow> start = editRowOf(viewer_, target);
    if (!start) {
        redraw();
        return;
    }
    std::optional<layouts::EditRow> row;
    {
        EditItemWindow window(services_, target.mode, *start, layouts::lengthIsLonger(viewer_.result(), target), this);
        window.exec();
        row = window.row();
    }
    if (row && applyEdit(viewer_, target, *row, [this] { emit planChanging(); }) == EditOutcome::Stored)
        showViewer();
    else
        redraw();
}

void LayoutsWindow::runAdd() {
    int choice = -1;
    {
        AddToLayoutWindow window(services_, addList(viewer_), this);
        window.exec();
        choice = window.choice();
    }
    if (choice >= 0) runEdit(addTarget(choice));
}

void LayoutsWindow::editAt(QPointF pixel) {
    guarded([&] {
        const QPointF p = layoutPoint(viewer_, picture_->size(), pixel);
        if (const auto target = editTargetAt(viewer_, p.x(), p.y())) {
            markItem(target->item);
            runEdit(*target);
        } else {
            runAdd();
        }
    });
    selector_->setFocus();
}

void LayoutsWindow::addToLayout() {
    guarded([&] { runAdd(); });
    selector_->setFocus();
}

void LayoutsWindow::undo() {
    guarded([&] {
        if (undoEdit(viewer_, [this] { emit planChanging(); })) showViewer();
    });
}

void LayoutsWindow::redo() {
    guarded([&] {
        if (redoEdit(viewer_, [this] { emit planChanging(); })) showViewer();
    });
}

void LayoutsWindow::arrange() {
    guarded([&] {
        ArrangeSession session;
        for (;;) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            services_.events.processEvents();
            arrangeCurrentLayout(viewer_, session, [this] { emit planChanging(); });
            QApplication::restoreOverrideCursor();
            showViewer();
            selector_->setFocus();

            ArrangementWindow::Choice choice = ArrangementWindow::None;
            {
                ArrangementWindow window(services_, this);
                window.exec();
                choice = window.choice();
            }
            if (choice == ArrangementWindow::TryNext) continue;
            if (choice == ArrangementWindow::Keep) {
                keepArrangement(viewer_);
            } else if (choice == ArrangementWindow::Original) {
                if (restoreArrangement(viewer_, session, [this] { emit planChanging(); })) showViewer();
            } else if (session.arranged) {
                // Closed without a choice: the arrangement shown stays in the plan, and the job
                // counts as changed so that leaving asks to save it.
                keepArrangement(viewer_);
            }
            return;
        }
    });
    selector_->setFocus();
}

}  // namespace veltrix::ui
