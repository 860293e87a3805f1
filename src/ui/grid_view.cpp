#include "ui/grid_view.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace veltrix::ui {

GridView::GridView(QWidget* parent) : QTableView(parent) {
    setObjectName(QStringLiteral("grid"));
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ContiguousSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setWordWrap(false);
    setTextElideMode(Qt::ElideLeft);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    horizontalHeader()->setHighlightSections(false);
    setTabKeyNavigation(true);
}

void GridView::keyPressEvent(QKeyEvent* event) {
    if (handler_ && handler_(event)) {
        event->accept();
        return;
    }
    // Enter moves on as Tab does: to the next cell on the right, then to the start of the next
    // row, so that a list is typed from the keyboard alone.
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        const QModelIndex next = moveCursor(MoveNext, event->modifiers());
        if (next.isValid()) setCurrentIndex(next);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

bool GridView::event(QEvent* event) {
    // Tab and Shift+Tab (which arrives as Backtab) would otherwise be taken for focus moves
    // before the key handler sees them; the handler may refuse them (the import lock).
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && handler_ && handler_(key)) {
            key->accept();
            return true;
        }
    }
    return QTableView::event(event);
}

}  // namespace veltrix::ui
