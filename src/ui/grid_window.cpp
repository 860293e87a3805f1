#include "ui/grid_window.h"

#include <algorithm>

#include <QAction>
#include <QApplication>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/cell_choice.h"
#include "app/grid_editing.h"
#include "platform/clipboard.h"
#include "platform/file_dialogs.h"
#include "platform/prompt.h"
#include "table/columns.h"
#include "base/error.h"
#include "base/file_ops.h"
#include "table/grid_clipboard.h"
#include "table/grid_print.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "ui/icons.h"
#include "ui/product_choice.h"
#include "ui/services.h"

namespace veltrix::ui {

int typedCharacter(const QKeyEvent& event) {
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return 0;
    switch (event.key()) {
        case Qt::Key_Backspace: return kBackspace;
        case Qt::Key_Return:
        case Qt::Key_Enter: return kEnter;
        default: break;
    }
    const QString text = event.text();
    if (text.size() != 1) return 0;
    const QChar c = text.at(0);
    if (c.unicode() < 32 || c.unicode() > 126) return 0;
    return c.unicode();
}

namespace {

bool isModifierKey(int key) {
    return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Meta ||
           key == Qt::Key_AltGr || key == Qt::Key_CapsLock || key == Qt::Key_NumLock;
}

QAction* addTool(QToolBar* bar, const char* icon, const QString& text, const QString& tip, const QString& name) {
    QAction* a = bar->addAction(commandIcon(QString::fromLatin1(icon)), text);
    a->setToolTip(tip);
    a->setObjectName(name);
    return a;
}

}  // namespace

GridWindow::GridWindow(GridTable& table, const Services& services, bool* changed, QWidget* parent)
    : QWidget(parent),
      table_(&table),
      services_(services),
      changed_(changed),
      toolBar_(new QToolBar(this)),
      view_(new GridView(this)),
      model_(new GridModel(table, this)),
      layout_(new QVBoxLayout(this)),
      body_(new QHBoxLayout) {
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    toolBar_->setIconSize(QSize(16, 16));
    connect(addTool(toolBar_, "view-sort-ascending", tr("Sort"), tr("Sort Ascending"), QStringLiteral("SortAscending")),
            &QAction::triggered, this, [this] { sortGrid(SortDirection::Ascending); });
    connect(addTool(toolBar_, "view-sort-descending", tr("Sort"), tr("Sort Descending"),
                    QStringLiteral("SortDescending")),
            &QAction::triggered, this, [this] { sortGrid(SortDirection::Descending); });
    toolBar_->addSeparator();
    connect(addTool(toolBar_, "document-print", tr("Print"), tr("Print"), QStringLiteral("Print")),
            &QAction::triggered, this, [this] { printGrid(); });
    toolBar_->addSeparator();
    copyAction_ = addTool(toolBar_, "edit-copy", tr("Copy"), tr("Copy"), QStringLiteral("Copy"));
    connect(copyAction_, &QAction::triggered, this, [this] { copyCells(); });
    pasteAction_ = addTool(toolBar_, "edit-paste", tr("Paste"), tr("Paste"), QStringLiteral("Paste"));
    connect(pasteAction_, &QAction::triggered, this, [this] { pasteCells(); });

    view_->setModel(model_);
    // Focus given to the window (its sub-window activated, focus restored after a question) goes
    // to the grid, so that typing goes on in the current cell.
    setFocusProxy(view_);
    view_->setKeyHandler([this](QKeyEvent* e) { return handleKey(e); });
    connect(view_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { refreshSide(); emit cellsChanged(); });

    layout_->setContentsMargins(2, 2, 2, 2);
    layout_->setSpacing(2);
    layout_->addWidget(toolBar_);
    body_->setContentsMargins(0, 0, 0, 0);
    body_->addWidget(view_, 1);
    layout_->addLayout(body_, 1);
    applyColumns();
    setCurrentCell(1, 1);
}

GridWindow::GridWindow(std::unique_ptr<GridTable> table, const Services& services, bool* changed, QWidget* parent)
    : GridWindow(*table, services, changed, parent) {
    ownTable_ = std::move(table);
}

GridWindow::~GridWindow() = default;

int GridWindow::currentRow() const {
    const QModelIndex i = view_->currentIndex();
    return i.isValid() ? i.row() + 1 : 1;
}

int GridWindow::currentColumn() const {
    const QModelIndex i = view_->currentIndex();
    return i.isValid() ? i.column() + 1 : 1;
}

void GridWindow::setCurrentCell(int row, int column) {
    const int r = std::clamp(row, 1, std::max(1, model_->rowCount()));
    const int c = std::clamp(column, 1, std::max(1, model_->columnCount()));
    const QModelIndex i = model_->index(r - 1, c - 1);
    if (i.isValid()) view_->setCurrentIndex(i);
}

void GridWindow::hideSortAndPaste() {
    for (const char* name : {"SortAscending", "SortDescending", "Paste"})
        if (QAction* a = toolBar_->findChild<QAction*>(QString::fromLatin1(name))) a->setVisible(false);
}

void GridWindow::applyColumns() {
    const int charWidth = view_->fontMetrics().horizontalAdvance(QLatin1Char('0'));
    for (int c = 1; c < table_->columnCount(); ++c) {
        view_->setColumnHidden(c - 1, table_->isHidden(c));
        const std::string& key = table_->key(c);
        // The path columns are wide enough for the file name at the end of a path.
        const int chars = (key == "LABELFILE" || key == "DXFFILE") ? 24 : displayWidth(key);
        view_->setColumnWidth(c - 1, chars * charWidth + 12);
    }
    view_->verticalHeader()->setVisible(!table_->isHidden(0));
}

void GridWindow::reload() {
    const int column = currentColumn();
    model_->reset();
    applyColumns();
    setCurrentCell(1, column);
    refreshSide();
    emit cellsChanged();
}

void GridWindow::markChanged() {
    if (changed_) *changed_ = true;
}

void GridWindow::edited() {
    model_->refresh();
    refreshSide();
    emit cellsChanged();
}

void GridWindow::typeCharacter(int row, int column, int character) {
    bool changed = false;
    const KeyResult r = typeIntoGrid(*table_, row, column, character, keepsBlankRow(), changed);
    if (changed) markChanged();
    if (r.beep) QApplication::beep();
    bool chosen = false;
    switch (r.action) {
        case KeyAction::OpenDxfDialog:
        case KeyAction::OpenPictureDialog:
            chosen = chooseFileForCell(*table_, row, column, r.action, services_.dialogs, services_.workspace,
                                       services_.prompt);
            break;
        case KeyAction::OpenProductChoice:
            if (const auto product = chooseProduct(services_, this)) {
                table_->setCell(row, column, *product);
                chosen = true;
            }
            break;
        default: break;
    }
    if (chosen) {
        markChanged();
        if (keepsBlankRow()) table_->keepBlankRow();
    }
    edited();
}

void GridWindow::deleteKey(int row, int column) {
    bool changed = false;
    deleteInGrid(*table_, row, column, changed);
    if (changed) markChanged();
    edited();
}

bool GridWindow::keyRefused(int) { return false; }
bool GridWindow::confirmEdit() { return true; }

bool GridWindow::handleKey(QKeyEvent* event) {
    if (isModifierKey(event->key())) return false;
    const int row = currentRow();
    const int column = currentColumn();
    if (clipboardKeys_ && event->modifiers() == Qt::ControlModifier) {
        if (event->key() == Qt::Key_C) {
            copyCells();
            return true;
        }
        if (event->key() == Qt::Key_V) {
            pasteCells();
            return true;
        }
    }
    if (keyRefused(column)) return true;
    if (event->key() == Qt::Key_Delete) {
        deleteKey(row, column);
        return true;
    }
    const int ch = typedCharacter(*event);
    // Enter moves on like the arrow keys unless the column chooses with it.
    if (ch == 0 || (ch == kEnter && lookupColumn(table_->key(column)).entry != EntryMethod::TypingOrChooser))
        return false;
    typeCharacter(row, column, ch);
    return true;
}

void GridWindow::sortGrid(SortDirection direction) {
    const int column = currentColumn();
    if (!confirmEdit()) return;
    markChanged();
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        table_->sort(column, direction);
    } catch (const std::exception& e) {
        QApplication::restoreOverrideCursor();
        services_.prompt.tell(e.what(), kAttention, Icon::Exclamation);
        reload();
        return;
    }
    reload();
    setCurrentCell(1, column);
    QApplication::restoreOverrideCursor();
}

void GridWindow::printGrid() {
    const auto range = services_.dialogs.print(false);
    if (!range) return;
    GridPrintRequest request;
    request.caption = windowTitle().toStdString();
    request.projectPath = projectPath();
    request.date = dateText();
    request.reportGrid = printsEveryRow();
    request.extraHeading = printExtraHeading();
    if (!request.extraHeading.empty()) request.extraText = [this](int row) { return printExtraText(row); };
    if (*range == PrintRange::All) {
        request.firstRow = 1;
        request.lastRow = table_->rowCount() - 1;
    } else {
        int first = table_->rowCount(), last = 0;
        for (const QModelIndex& i : view_->selectionModel()->selectedIndexes()) {
            first = std::min(first, i.row() + 1);
            last = std::max(last, i.row() + 1);
        }
        if (last == 0) first = last = currentRow();
        request.firstRow = first;
        request.lastRow = last;
    }
    const GridPrintout printout = formatGridPrintout(*table_, request);
    try {
        writeFileAtomic(services_.file("header.tlf"), printout.header);
        writeFileAtomic(services_.file("Print.txt"), printout.body);
    } catch (const std::exception&) {
        // The files are a by-product of printing; the pages are printed all the same.
    }
    if (!services_.startPrintJob) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    try {
        if (auto job = services_.startPrintJob()) {
            printPages(job->surface(), printout.header, printout.body);
            job->finish();
        }
    } catch (const std::exception& e) {
        QApplication::restoreOverrideCursor();
        services_.prompt.tell(e.what(), kAttention, Icon::Exclamation);
        return;
    }
    QApplication::restoreOverrideCursor();
}

void GridWindow::copyCells() {
    // The selected rectangle, whichever corner the selection was started from.
    int top = table_->rowCount(), left = table_->columnCount(), bottom = 0, right = 0;
    for (const QModelIndex& i : view_->selectionModel()->selectedIndexes()) {
        top = std::min(top, i.row() + 1);
        bottom = std::max(bottom, i.row() + 1);
        left = std::min(left, i.column() + 1);
        right = std::max(right, i.column() + 1);
    }
    if (bottom == 0) top = bottom = currentRow(), left = right = currentColumn();
    services_.clipboard.setText(copySelection(*table_, GridSelection{top, left, bottom, right}));
}

void GridWindow::pasteCells() {
    const int row = currentRow();
    const int column = currentColumn();
    const std::string text = services_.clipboard.text();
    const Answer answer = services_.prompt.ask(
        Message{"Paste from clipboard ?", kApplicationTitle, Icon::Question, Buttons::YesNo, Answer::Yes});
    if (answer != Answer::Yes || !confirmEdit()) return;
    markChanged();
    pasteText(*table_, row, column, text);
    if (keepsBlankRow()) table_->keepBlankRow();
    edited();
}

}  // namespace veltrix::ui
