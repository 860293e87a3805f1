#include "ui/dia_window.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>

#include "app/cell_choice.h"
#include "app/layout_viewer.h"
#include "platform/file_dialogs.h"
#include "platform/prompt.h"
#include "render/painter_surface.h"
#include "ui/dia_settings.h"
#include "ui/edit_windows.h"
#include "ui/labels_windows.h"
#include "ui/services.h"

namespace veltrix::ui {

namespace {
// Twips at 96 dots per inch.
constexpr int twips(int t) { return (t + 7) / 15; }
}  // namespace

LayoutPicture::LayoutPicture(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pic"));
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

DiaWindow::DiaWindow(LayoutViewer& viewer, const Services& services, QWidget* parent)
    : QWidget(parent),
      viewer_(viewer),
      services_(services),
      toolBar_(new QToolBar(this)),
      selector_(new QComboBox(this)),
      picture_(new LayoutPicture(this)),
      text_(new QTextEdit(this)) {
    setObjectName(QStringLiteral("Dia"));
    setWindowTitle(QStringLiteral("Layouts"));
    selector_->setObjectName(QStringLiteral("cmb"));
    selector_->setToolTip(QStringLiteral("Select Layout"));
    selector_->setMinimumContentsLength(9);
    text_->setObjectName(QStringLiteral("txt"));
    text_->setReadOnly(true);
    text_->setFocusPolicy(Qt::NoFocus);
    text_->setLineWrapMode(QTextEdit::NoWrap);
    text_->installEventFilter(this);
    picture_->installEventFilter(this);
    picture_->setMouseTracking(true);  // the tooltip names what a press would edit
    toolBar_->setObjectName(QStringLiteral("TB"));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextOnly);

    auto add = [this](const char* name, const QString& caption, const QString& tip, auto action) {
        QAction* a = toolBar_->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        a->setToolTip(tip);
        connect(a, &QAction::triggered, this, action);
        return a;
    };
    add("Zoom", QStringLiteral("Zoom"), QStringLiteral("Magnify Layout"), [this] { zoom(); });
    add("Print", QStringLiteral("Print"), QStringLiteral("Print Layout(s)"), [this] { print(); });
    add("Labels", QStringLiteral("Labels"), QStringLiteral("Print Labels"), [this] {
        selector_->setFocus();
        printLabelsOfViewer(viewer_, services_, this);
    });
    add("Settings", QStringLiteral("Settings"), QStringLiteral("Settings"), [this] { settings(); });
    add("Add", QStringLiteral("Add..."), QStringLiteral("ADD Off-Cut / Cut-Piece"),
        [this] { addToLayout(*this, viewer_, services_); });
    QAction* arrange = add("Arrange", QStringLiteral("Arrange"), QStringLiteral("Alternate Arrangement"),
                           [this] { arrangeLayout(*this, viewer_, services_); });
    arrange->setEnabled(viewer.arrangeAllowed());
    QAction* undo = add("Undo", QStringLiteral("Undo"), QStringLiteral("Undo the last edit (Ctrl+Z)"),
                        [this] { undoLayoutEdit(*this, viewer_, services_); });
    undo->setShortcut(QKeySequence::Undo);
    QAction* redo = add("Redo", QStringLiteral("Redo"), QStringLiteral("Redo the edit undone (Ctrl+Y)"),
                        [this] { redoLayoutEdit(*this, viewer_, services_); });
    redo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Y));
    for (QAction* a : {undo, redo}) a->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    QAction* exportAction = add("Export", QStringLiteral("Export..."), QStringLiteral("Export as DXF..."),
                                [this] { exportDxf(false); });
    auto* exportMenu = new QMenu(this);
    exportMenu->addAction(QStringLiteral("Current Layout..."), this, [this] { exportDxf(false); })
        ->setObjectName(QStringLiteral("ExportCurrent"));
    exportMenu->addAction(QStringLiteral("All Layouts..."), this, [this] { exportDxf(true); })
        ->setObjectName(QStringLiteral("ExportAll"));
    exportAction->setMenu(exportMenu);
    if (auto* button = qobject_cast<QToolButton*>(toolBar_->widgetForAction(exportAction)))
        button->setPopupMode(QToolButton::MenuButtonPopup);
    QAction* cnc = add("CNC", QStringLiteral("CNC..."), QStringLiteral("Generate cutting instructions for NPS400 control"),
                       [this] { tellNotAvailable(services_.prompt, "The panel-saw instructions window"); });
    cnc->setEnabled(false);

    for (const std::string& entry : viewer.selectorEntries()) selector_->addItem(QString::fromStdString(entry));
    connect(selector_, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (index < 0) return;
        viewer_.select(index + 1);
        redraw();
    });
    selector_->setCurrentIndex(viewer.current() - 1);
    resize(900, 640);
}

DiaWindow::~DiaWindow() = default;

QAction* DiaWindow::tool(const char* name) const { return toolBar_->findChild<QAction*>(QString::fromLatin1(name)); }

void DiaWindow::layoutControls() {
    const QRect inner = contentsRect();
    const int side = std::max(10, inner.height());
    picture_->setGeometry(inner.left(), inner.top(), side, side);
    const int x = inner.left() + side + twips(100);
    const QSize sel = selector_->sizeHint();
    selector_->setGeometry(x, inner.top(), sel.width(), sel.height());
    const QSize bar = toolBar_->sizeHint();
    int y = inner.top() + std::max(sel.height(), bar.height()) + 4;
    if (x + sel.width() + bar.width() <= inner.right()) {
        toolBar_->setGeometry(x + sel.width(), inner.top(), bar.width(), bar.height());
    } else {
        // Too narrow for both on one line: the toolbar goes under the selector.
        toolBar_->setGeometry(x, inner.top() + sel.height() + 2, std::max(0, inner.right() - x), bar.height());
        y = inner.top() + sel.height() + 2 + bar.height() + 4;
    }
    text_->setGeometry(x, y, std::max(0, inner.right() - twips(200) - x), std::max(0, inner.bottom() - twips(300) - y));
}

void DiaWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutControls();
    redraw();
}

void DiaWindow::redraw() {
    const int side = std::max(10, picture_->height());
    QPixmap pixmap(side, side);
    pixmap.fill(Qt::white);
    layouts::DrawnLayout drawn;
    {
        QPainter painter(&pixmap);
        render::PainterSurface surface(painter);
        drawn = viewer_.draw(surface);
    }
    picture_->setPicture(pixmap);
    text_->setHtml(QString::fromStdString(listingHtml(drawn.listing)));
    // Each problem (an outline that cannot be used, a file not written) is told once.
    for (const std::string& problem : drawn.problems) {
        const QString p = QString::fromStdString(problem);
        if (shownProblems_.contains(p)) continue;
        shownProblems_ << p;
        services_.prompt.tell(problem, kAttention, Icon::Exclamation);
    }
}

void DiaWindow::zoom() {
    viewer_.toggleZoom();
    selector_->setFocus();
    redraw();
}

void DiaWindow::print() {
    selector_->setFocus();
    const auto range = services_.dialogs.print(true);
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

void DiaWindow::settings() {
    selector_->setFocus();
    DiaSetWindow window(services_, this);
    window.exec();
    viewer_.reloadOptions();
    redraw();
}

void DiaWindow::exportDxf(bool all) {
    const auto chosen =
        services_.dialogs.saveFile(FileDialogRequest{"Export DXF file(s)...", kDxfFilter, {}});
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

void DiaWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        services_.help();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool DiaWindow::eventFilter(QObject* watched, QEvent* event) {
    // The text panel never keeps the focus: it goes to the selector.
    if (watched == text_ && event->type() == QEvent::FocusIn) selector_->setFocus();
    if (watched == picture_ && event->type() == QEvent::MouseMove) {
        const auto* move = static_cast<QMouseEvent*>(event);
        picture_->setToolTip(layoutTooltip(viewer_, picture_->size(), move->position()));
    }
    if (watched == picture_ && event->type() == QEvent::MouseButtonPress) {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() == Qt::LeftButton) editLayoutAt(*this, viewer_, services_, press->position());
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

}  // namespace veltrix::ui
