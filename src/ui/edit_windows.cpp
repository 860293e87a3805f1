#include "ui/edit_windows.h"

#include <QApplication>
#include <QComboBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/layout_commands.h"
#include "app/layout_viewer.h"
#include "layouts/layout_drawing.h"
#include "platform/event_pump.h"
#include "platform/prompt.h"
#include "render/painter_surface.h"
#include "table/file_ops.h"
#include "ui/base_window.h"
#include "ui/dia_window.h"
#include "ui/grid_view.h"
#include "ui/grid_window.h"
#include "ui/result_windows.h"
#include "ui/services.h"

namespace veltrix::ui {

namespace {

// Help topic of the layouts and their editing.
constexpr int kLayoutsHelpTopic = 30;

std::unique_ptr<GridTable> editTable(const layouts::EditRow& row) {
    auto table = std::make_unique<GridTable>(layouts::editKeys());
    table->loadText(layouts::editRowText(row));
    // One data row, no blank row to type a second into.
    table->setRowCount(2);
    table->renumber();
    return table;
}

}  // namespace

// The Edit window's grid: the one row being edited. The sheet's limits LENGTH and WIDTH are shown
// but take no keys; while ORN is shown, DIM-X and DIM-Y follow it after every edit.
class EditGrid : public GridWindow {
public:
    EditGrid(const Services& services, const layouts::EditRow& row, bool orientation, bool lengthLonger,
             QWidget* parent)
        : GridWindow(editTable(row), services, nullptr, parent),
          orientation_(orientation),
          lengthLonger_(lengthLonger) {
        setObjectName(QStringLiteral("FG"));
        toolBar()->hide();
        orient();
    }
    void refresh() { edited(); }

protected:
    bool keyRefused(int column) override {
        const std::string& key = table().key(column);
        if (key != "LENGTH" && key != "WIDTH") return false;
        QApplication::beep();
        return true;
    }
    void typeCharacter(int row, int column, int character) override {
        GridWindow::typeCharacter(row, column, character);
        orient();
    }
    void deleteKey(int row, int column) override {
        GridWindow::deleteKey(row, column);
        orient();
    }
    bool keepsBlankRow() const override { return false; }
    void showHelp() override { services().help(kLayoutsHelpTopic); }

private:
    void orient() {
        if (!orientation_) return;
        layouts::orientSizes(table(), lengthLonger_);
        edited();
    }

    bool orientation_;
    bool lengthLonger_;
};

AddNewWindow::AddNewWindow(const Services& services, const std::vector<std::string>& lines, QWidget* parent)
    : QDialog(parent), services_(services), list_(new QListWidget(this)) {
    setObjectName(QStringLiteral("AddNew"));
    setWindowTitle(QStringLiteral("What would you like to add to the existing layout?"));
    const QFont fixed = [] {
        QFont f(render::fontFamilyFor("Courier New"));
        f.setStyleHint(QFont::Monospace);
        return f;
    }();
    auto* header = new QLabel(QStringLiteral(" TYPE       LENGTH     WIDTH    CUSTOMER"), this);
    header->setObjectName(QStringLiteral("lblHeader"));
    header->setFont(fixed);
    list_->setObjectName(QStringLiteral("Lst"));
    list_->setFont(fixed);
    for (const std::string& line : lines) list_->addItem(QString::fromStdString(line));
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmd0"));
    auto* next = new QPushButton(QStringLiteral("Next"), this);
    next->setObjectName(QStringLiteral("cmd1"));
    for (QPushButton* b : {cancel, next}) b->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, [this] { QDialog::reject(); });
    connect(next, &QPushButton::clicked, this, [this] { this->next(); });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { this->next(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancel);
    buttons->addWidget(next);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(header);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    resize(560, 320);
}

AddNewWindow::~AddNewWindow() = default;

QPushButton* AddNewWindow::button(int index) const {
    return findChild<QPushButton*>(QStringLiteral("cmd") + QString::number(index));
}

void AddNewWindow::next() {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty()) {
        services_.prompt.tell("You have not selected any item", {}, Icon::Information);
        list_->setFocus();
        return;
    }
    choice_ = list_->row(selected.front());
    accept();
}

void AddNewWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        services_.help(kLayoutsHelpTopic);
        return;
    }
    QDialog::keyPressEvent(event);
}

EditWindow::EditWindow(const Services& services, layouts::EditMode mode, const layouts::EditRow& row,
                       bool lengthLonger, QWidget* parent)
    : QDialog(parent), services_(services), mode_(mode), lengthLonger_(lengthLonger) {
    setObjectName(QStringLiteral("Edit"));
    setWindowTitle(QString::fromStdString(layouts::editCaption(mode)));
    grid_ = new EditGrid(services, row, layouts::editShowsOrientation(mode), lengthLonger, this);
    GridTable& table = grid_->table();
    for (const char* key : {"DIM-X", "DIM-Y"}) table.setHidden(table.columnOf(key), !layouts::editShowsSizes(mode));
    table.setHidden(table.columnOf("ORN"), !layouts::editShowsOrientation(mode));
    grid_->applyColumns();

    const char* captions[] = {"Cancel", "Delete", nullptr};
    const std::string action = layouts::editActionCaption(mode);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(captions[i] ? QString::fromLatin1(captions[i]) : QString::fromStdString(action), this);
        b->setObjectName(QStringLiteral("cmd") + QString::number(i));
        b->setAutoDefault(false);
        buttons->addWidget(b);
        buttons_.push_back(b);
    }
    buttons_[1]->setVisible(layouts::editCanDelete(mode));
    connect(buttons_[0], &QPushButton::clicked, this, [this] { cancel(); });
    connect(buttons_[1], &QPushButton::clicked, this, [this] { deleteItem(); });
    connect(buttons_[2], &QPushButton::clicked, this, [this] { store(); });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    const char* lines[] = {"Note:", "XS and YS are Coordinates of the LEFT-TOP corner",
                           "DIM-X (Horizontal) and DIM-Y (Vertical) are the Dimensions",
                           "ORN  (1 or 2) is the Orientation"};
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(QString::fromLatin1(lines[i]), this);
        label->setObjectName(QStringLiteral("HelpLbl") + QString::number(i));
        layout->addWidget(label);
        help_.push_back(label);
    }
    help_[2]->setVisible(layouts::editShowsSizes(mode));
    help_[3]->setVisible(layouts::editShowsOrientation(mode));
    layout->addLayout(buttons);
    resize(620, 240);
    grid_->setCurrentCell(1, 1);
    grid_->view()->setFocus();
}

EditWindow::~EditWindow() = default;

GridWindow* EditWindow::grid() const { return grid_; }
QPushButton* EditWindow::button(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }
QLabel* EditWindow::helpLine(int index) const { return help_.at(static_cast<std::size_t>(index)); }

void EditWindow::cancel() {
    done_ = true;
    row_.reset();
    QDialog::reject();
}

void EditWindow::deleteItem() {
    layouts::completeRow(grid_->table(), lengthLonger_);
    layouts::clearRow(grid_->table());
    grid_->refresh();
    done_ = true;
    row_ = layouts::gridRow(grid_->table());
    accept();
}

void EditWindow::store() {
    layouts::completeRow(grid_->table(), lengthLonger_);
    grid_->refresh();
    if (const auto message = layouts::outOfSheetMessage(layouts::gridRow(grid_->table()))) {
        services_.prompt.tell(*message, {}, Icon::Critical);
        return;
    }
    done_ = true;
    row_ = layouts::gridRow(grid_->table());
    accept();
}

void EditWindow::reject() {
    if (done_) QDialog::reject();
    else cancel();
}

void EditWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        services_.help(kLayoutsHelpTopic);
        return;
    }
    QDialog::keyPressEvent(event);
}

AltWindow::AltWindow(const Services& services, QWidget* parent) : QDialog(parent), services_(services) {
    setObjectName(QStringLiteral("ALT"));
    setWindowTitle(QStringLiteral("Alternate Arrangement"));
    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setPixmap(style()->standardIcon(QStyle::SP_BrowserReload).pixmap(32, 32));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(image, 0, Qt::AlignTop);
    auto* column = new QVBoxLayout;
    const char* captions[] = {"Try &Next Arrangement", "&Keep This Arrangement", "&Original Arrangement"};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(QString::fromLatin1(captions[i]), this);
        b->setObjectName(QStringLiteral("cmd") + QString::number(i));
        b->setAutoDefault(false);
        column->addWidget(b);
        buttons_.push_back(b);
        connect(b, &QPushButton::clicked, this, [this, i] {
            choice_ = i;
            accept();
        });
    }
    layout->addLayout(column);
    adjustSize();
    // Beside the top-right corner of the Layouts window, clear of the picture.
    if (parent) move(parent->mapToGlobal(QPoint(std::max(0, parent->width() - width() - 30), 60)));
}

AltWindow::~AltWindow() = default;

QPushButton* AltWindow::button(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }

void AltWindow::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1) {
        services_.help(kLayoutsHelpTopic);
        return;
    }
    QDialog::keyPressEvent(event);
}

QPointF layoutPoint(const LayoutViewer& viewer, QSize picture, QPointF pixel) {
    layouts::DrawTarget target;
    target.magnified = viewer.magnified();
    const double width = std::max(1, picture.width());
    const double height = std::max(1, picture.height());
    const ScaleSpec scale = layouts::layoutScale(viewer.result(), viewer.current(), target, width, height);
    return QPointF(scale.left + pixel.x() * scale.width / width, scale.top + pixel.y() * scale.height / height);
}

QString layoutTooltip(const LayoutViewer& viewer, QSize picture, QPointF pixel) {
    const QPointF p = layoutPoint(viewer, picture, pixel);
    return QString::fromStdString(layouts::pointTooltip(viewer.result(), viewer.current(), p.x(), p.y()));
}

namespace {

// The report and off-cut windows close before their files are written anew (the off-cut table
// stores its grid when it closes).
void closeResultTables(DiaWindow& dia) {
    auto* base = qobject_cast<BaseWindow*>(dia.window());
    if (!base) return;
    for (QWidget* w : {static_cast<QWidget*>(base->reportWindow()), static_cast<QWidget*>(base->offcutWindow())}) {
        if (!w) continue;
        if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget())) {
            sub->close();
            delete sub;
        } else {
            w->close();
            delete w;
        }
    }
}

// The Layouts window shows the viewer as loaded again: its selector and the current layout.
void showViewer(DiaWindow& dia, LayoutViewer& viewer) {
    {
        const QSignalBlocker blocker(dia.selector());
        dia.selector()->clear();
        for (const std::string& entry : viewer.selectorEntries()) dia.selector()->addItem(QString::fromStdString(entry));
        dia.selector()->setCurrentIndex(viewer.current() - 1);
    }
    dia.redraw();
}

void markOnPicture(DiaWindow& dia, const LayoutViewer& viewer, std::size_t index) {
    QPixmap picture = dia.picture()->picture();
    if (picture.isNull()) return;
    {
        QPainter painter(&picture);
        render::PainterSurface surface(painter);
        layouts::DrawTarget target;
        target.magnified = viewer.magnified();
        surface.setScale(layouts::layoutScale(viewer.result(), viewer.current(), target, picture.width(),
                                              picture.height()));
        layouts::markItem(surface, viewer.result(), index);
    }
    dia.picture()->setPicture(picture);
}

void runEdit(DiaWindow& dia, LayoutViewer& viewer, const Services& services, const layouts::EditTarget& target) {
    const std::optional<layouts::EditRow> start = editRowOf(viewer, target);
    if (!start) {
        dia.redraw();
        return;
    }
    std::optional<layouts::EditRow> row;
    {
        EditWindow window(services, target.mode, *start, layouts::lengthIsLonger(viewer.result(), target), &dia);
        window.exec();
        row = window.row();
    }
    if (row && applyEdit(viewer, target, *row, [&dia] { closeResultTables(dia); }) == EditOutcome::Stored)
        showViewer(dia, viewer);
    else
        dia.redraw();
}

void runAdd(DiaWindow& dia, LayoutViewer& viewer, const Services& services) {
    const std::vector<std::string> lines = addList(viewer);
    int choice = -1;
    {
        AddNewWindow window(services, lines, &dia);
        window.exec();
        choice = window.choice();
    }
    if (choice < 0) return;
    runEdit(dia, viewer, services, addTarget(choice));
}

// Runs a flow, telling the user what stopped it.
template <class F>
void guarded(const Services& services, F flow) {
    try {
        flow();
    } catch (const std::exception& e) {
        QApplication::restoreOverrideCursor();
        services.prompt.tell(e.what(), kAttention, Icon::Exclamation);
    }
}

}  // namespace

void editLayoutAt(DiaWindow& dia, LayoutViewer& viewer, const Services& services, QPointF pixel) {
    guarded(services, [&] {
        const QPointF p = layoutPoint(viewer, dia.picture()->size(), pixel);
        if (const auto target = editTargetAt(viewer, p.x(), p.y())) {
            markOnPicture(dia, viewer, target->item);
            runEdit(dia, viewer, services, *target);
        } else {
            runAdd(dia, viewer, services);
        }
    });
    dia.selector()->setFocus();
}

void undoLayoutEdit(DiaWindow& dia, LayoutViewer& viewer, const Services& services) {
    guarded(services, [&] {
        if (undoEdit(viewer, [&dia] { closeResultTables(dia); })) showViewer(dia, viewer);
    });
}

void redoLayoutEdit(DiaWindow& dia, LayoutViewer& viewer, const Services& services) {
    guarded(services, [&] {
        if (redoEdit(viewer, [&dia] { closeResultTables(dia); })) showViewer(dia, viewer);
    });
}

void addToLayout(DiaWindow& dia, LayoutViewer& viewer, const Services& services) {
    guarded(services, [&] { runAdd(dia, viewer, services); });
    dia.selector()->setFocus();
}

void arrangeLayout(DiaWindow& dia, LayoutViewer& viewer, const Services& services) {
    guarded(services, [&] {
        ArrangeSession session;
        for (;;) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
            services.events.processEvents();
            arrangeCurrentLayout(viewer, session, [&dia] { closeResultTables(dia); });
            QApplication::restoreOverrideCursor();
            showViewer(dia, viewer);
            dia.selector()->setFocus();

            int choice = -1;
            {
                AltWindow window(services, &dia);
                window.exec();
                choice = window.choice();
            }
            if (choice == 0) continue;
            if (choice == 1) {
                keepArrangement(viewer);
            } else if (choice == 2) {
                if (restoreArrangement(viewer, session, [&dia] { closeResultTables(dia); })) showViewer(dia, viewer);
            } else if (session.arranged) {
                // Closed without a choice: the arrangement shown stays in the result, and the job
                // counts as changed so that leaving asks to save it.
                keepArrangement(viewer);
            }
            return;
        }
    });
    dia.selector()->setFocus();
}

}  // namespace veltrix::ui
