#pragma once
// The dialogs of editing and arranging a layout in the Layouts window: adding to a layout (caption
// "What would you like to add to the existing layout?"), editing one item (position, size and
// orientation of a cut-piece or off-cut) and choosing among alternate arrangements (caption
// "Alternate Arrangement"). The Layouts window runs the flows around them.

#include <optional>
#include <string>
#include <vector>

#include <QDialog>

#include "layouts/layout_editing.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace veltrix::ui {

struct Services;
class GridWindow;
class EditItemGrid;

// The list of what can be added: "Off-Cut", then one line per cut-piece variety.
class AddToLayoutWindow : public QDialog {
    Q_OBJECT
public:
    AddToLayoutWindow(const Services& services, const std::vector<std::string>& lines, QWidget* parent = nullptr);
    ~AddToLayoutWindow() override;

    QListWidget* list() const { return list_; }
    QPushButton* cancelButton() const { return cancel_; }
    QPushButton* nextButton() const { return next_; }
    // The line chosen: 0 "Off-Cut", k cut-piece variety k; -1 when none was chosen.
    int choice() const { return choice_; }
    // "Next" and a double click: the selected line, or the message that none is selected.
    void next();

private:
    const Services& services_;
    QListWidget* list_;
    QPushButton* cancel_;
    QPushButton* next_;
    int choice_ = -1;
};

// One item of the layout as a grid row (XS, YS, DIM-X, DIM-Y, ORN and the sheet's limits) with the
// buttons "Cancel", "Delete" and the mode's action ("Move", "Modify", "Add").
class EditItemWindow : public QDialog {
    Q_OBJECT
public:
    // Opens on `row` in a mode; `lengthLonger` as layouts::lengthIsLonger.
    EditItemWindow(const Services& services, layouts::EditMode mode, const layouts::EditRow& row, bool lengthLonger,
                   QWidget* parent = nullptr);
    ~EditItemWindow() override;

    GridWindow* grid() const;
    QPushButton* cancelButton() const { return buttons_[0]; }
    QPushButton* deleteButton() const { return buttons_[1]; }
    QPushButton* actionButton() const { return buttons_[2]; }
    // The note lines below the grid: 0 "Note:", 1 the corner, 2 the sizes, 3 the orientation.
    QLabel* noteLine(int index) const;

    // The buttons: "Cancel" gives no row; "Delete" gives a row of zeros; "Move", "Modify" and "Add"
    // give the row when it lies on the sheet, else tell why and stay open.
    void cancel();
    void deleteItem();
    void store();
    // The row to apply once the window closed; nothing when it was cancelled.
    const std::optional<layouts::EditRow>& row() const { return row_; }

protected:
    void reject() override;  // Esc and the title bar's close button cancel

private:
    const Services& services_;
    bool lengthLonger_;
    EditItemGrid* grid_;
    std::vector<QPushButton*> buttons_;
    std::vector<QLabel*> notes_;
    std::optional<layouts::EditRow> row_;
    bool done_ = false;
};

// The choice after each alternate arrangement tried.
class ArrangementWindow : public QDialog {
    Q_OBJECT
public:
    enum Choice { None = -1, TryNext = 0, Keep = 1, Original = 2 };

    explicit ArrangementWindow(const Services& services, QWidget* parent = nullptr);
    ~ArrangementWindow() override;

    QPushButton* button(Choice choice) const;
    // The button pressed; None when the window was closed otherwise.
    Choice choice() const { return choice_; }

private:
    std::vector<QPushButton*> buttons_;
    Choice choice_ = None;
};

}  // namespace veltrix::ui
