#include "ui/layout_edit_windows.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include "platform/prompt.h"
#include "render/painter_surface.h"
#include "ui/grid_view.h"
#include "ui/grid_window.h"
#include "ui/help_key.h"
#include "ui/services.h"

namespace veltrix::ui {

namespace {

std::unique_ptr<GridTable> editTable(const layouts::EditRow& row) {
    auto table = std::make_unique<GridTable>(layouts::editKeys());
    table->loadText(layouts::editRowText(row));
    // One data row, no blank row to type a second into.
    table->setRowCount(2);
    table->renumber();
    return table;
}

}  // namespace

// The edit window's grid: the one row being edited. The sheet's limits LENGTH and WIDTH are shown
// but take no keys; while ORN is shown, DIM-X and DIM-Y follow it after every edit.
class EditItemGrid : public GridWindow {
public:
    EditItemGrid(const Services& services, const layouts::EditRow& row, bool orientation, bool lengthLonger,
                 QWidget* parent)
        : GridWindow(editTable(row), services, nullptr, parent),
          orientation_(orientation),
          lengthLonger_(lengthLonger) {
        setObjectName(QStringLiteral("itemGrid"));
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

private:
    void orient() {
        if (!orientation_) return;
        layouts::orientSizes(table(), lengthLonger_);
        edited();
    }

    bool orientation_;
    bool lengthLonger_;
};

AddToLayoutWindow::AddToLayoutWindow(const Services& services, const std::vector<std::string>& lines, QWidget* parent)
    : QDialog(parent),
      services_(services),
      list_(new QListWidget(this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)),
      next_(new QPushButton(QStringLiteral("Next"), this)) {
    setObjectName(QStringLiteral("addToLayoutWindow"));
    setWindowTitle(QStringLiteral("What would you like to add to the existing layout?"));
    const QFont fixed = [] {
        QFont f(render::fontFamilyFor("Courier New"));
        f.setStyleHint(QFont::Monospace);
        return f;
    }();
    auto* header = new QLabel(QStringLiteral(" TYPE       LENGTH     WIDTH    CUSTOMER"), this);
    header->setObjectName(QStringLiteral("listHeading"));
    header->setFont(fixed);
    list_->setObjectName(QStringLiteral("choices"));
    list_->setFont(fixed);
    for (const std::string& line : lines) list_->addItem(QString::fromStdString(line));
    cancel_->setObjectName(QStringLiteral("cancelButton"));
    next_->setObjectName(QStringLiteral("nextButton"));
    for (QPushButton* b : {cancel_, next_}) b->setAutoDefault(false);
    connect(cancel_, &QPushButton::clicked, this, [this] { QDialog::reject(); });
    connect(next_, &QPushButton::clicked, this, [this] { next(); });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { next(); });
    addHelpKey(*this, services, HelpTopic::Layouts);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cancel_);
    buttons->addWidget(next_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(header);
    layout->addWidget(list_, 1);
    layout->addLayout(buttons);
    resize(560, 320);
}

AddToLayoutWindow::~AddToLayoutWindow() = default;

void AddToLayoutWindow::next() {
    const QList<QListWidgetItem*> selected = list_->selectedItems();
    if (selected.isEmpty()) {
        services_.prompt.tell("You have not selected any item", {}, Icon::Information);
        list_->setFocus();
        return;
    }
    choice_ = list_->row(selected.front());
    accept();
}

EditItemWindow::EditItemWindow(const Services& services, layouts::EditMode mode, const layouts::EditRow& row,
                               bool lengthLonger, QWidget* parent)
    : QDialog(parent), services_(services), lengthLonger_(lengthLonger) {
    setObjectName(QStringLiteral("editItemWindow"));
    setWindowTitle(QString::fromStdString(layouts::editCaption(mode)));
    grid_ = new EditItemGrid(services, row, layouts::editShowsOrientation(mode), lengthLonger, this);
    GridTable& table = grid_->table();
    for (const char* key : {"DIM-X", "DIM-Y"}) table.setHidden(table.columnOf(key), !layouts::editShowsSizes(mode));
    table.setHidden(table.columnOf("ORN"), !layouts::editShowsOrientation(mode));
    grid_->applyColumns();

    const QString captions[] = {QStringLiteral("Cancel"), QStringLiteral("Delete"),
                                QString::fromStdString(layouts::editActionCaption(mode))};
    const char* names[] = {"cancelButton", "deleteButton", "actionButton"};
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(captions[i], this);
        b->setObjectName(QString::fromLatin1(names[i]));
        b->setAutoDefault(false);
        buttons->addWidget(b);
        buttons_.push_back(b);
    }
    deleteButton()->setVisible(layouts::editCanDelete(mode));
    connect(cancelButton(), &QPushButton::clicked, this, [this] { cancel(); });
    connect(deleteButton(), &QPushButton::clicked, this, [this] { deleteItem(); });
    connect(actionButton(), &QPushButton::clicked, this, [this] { store(); });
    addHelpKey(*this, services, HelpTopic::Layouts);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    const char* lines[] = {"Note:", "XS and YS are Coordinates of the LEFT-TOP corner",
                           "DIM-X (Horizontal) and DIM-Y (Vertical) are the Dimensions",
                           "ORN  (1 or 2) is the Orientation"};
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(QString::fromLatin1(lines[i]), this);
        label->setObjectName(QStringLiteral("note") + QString::number(i));
        layout->addWidget(label);
        notes_.push_back(label);
    }
    notes_[2]->setVisible(layouts::editShowsSizes(mode));
    notes_[3]->setVisible(layouts::editShowsOrientation(mode));
    layout->addLayout(buttons);
    resize(620, 240);
    grid_->setCurrentCell(1, 1);
    grid_->view()->setFocus();
}

EditItemWindow::~EditItemWindow() = default;

GridWindow* EditItemWindow::grid() const { return grid_; }
QLabel* EditItemWindow::noteLine(int index) const { return notes_.at(static_cast<std::size_t>(index)); }

void EditItemWindow::cancel() {
    done_ = true;
    row_.reset();
    QDialog::reject();
}

void EditItemWindow::deleteItem() {
    layouts::completeRow(grid_->table(), lengthLonger_);
    layouts::clearRow(grid_->table());
    grid_->refresh();
    done_ = true;
    row_ = layouts::gridRow(grid_->table());
    accept();
}

void EditItemWindow::store() {
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

void EditItemWindow::reject() {
    if (done_) QDialog::reject();
    else cancel();
}

ArrangementWindow::ArrangementWindow(const Services& services, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("arrangementWindow"));
    setWindowTitle(QStringLiteral("Alternate Arrangement"));
    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("arrangeIcon"));
    image->setPixmap(style()->standardIcon(QStyle::SP_BrowserReload).pixmap(32, 32));
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(image, 0, Qt::AlignTop);
    auto* column = new QVBoxLayout;
    const char* captions[] = {"Try &Next Arrangement", "&Keep This Arrangement", "&Original Arrangement"};
    const char* names[] = {"tryNextButton", "keepButton", "originalButton"};
    for (int i = 0; i < 3; ++i) {
        auto* b = new QPushButton(QString::fromLatin1(captions[i]), this);
        b->setObjectName(QString::fromLatin1(names[i]));
        b->setAutoDefault(false);
        column->addWidget(b);
        buttons_.push_back(b);
        connect(b, &QPushButton::clicked, this, [this, i] {
            choice_ = static_cast<Choice>(i);
            accept();
        });
    }
    layout->addLayout(column);
    addHelpKey(*this, services, HelpTopic::Layouts);
    adjustSize();
    // Beside the top-right corner of the Layouts window, clear of the picture.
    if (parent) move(parent->mapToGlobal(QPoint(std::max(0, parent->width() - width() - 30), 60)));
}

ArrangementWindow::~ArrangementWindow() = default;

QPushButton* ArrangementWindow::button(Choice choice) const { return buttons_.at(static_cast<std::size_t>(choice)); }

}  // namespace veltrix::ui
