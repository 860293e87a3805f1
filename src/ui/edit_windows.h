#pragma once
// Editing and arranging layouts in the Layouts window: `AddNew` (caption "What would you like to
// add to the existing layout?"), `Edit` (position, size and orientation of a cut-piece or off-cut)
// and `ALT` (caption "Alternate Arrangement"), with the flows the
// Layouts window runs through them: a press on the picture, "Add..." and "Arrange".

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QDialog>
#include <QPointF>
#include <QSize>

#include "layouts/layout_editing.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace veltrix {
class LayoutViewer;
}

namespace veltrix::ui {

struct Services;
class DiaWindow;
class GridWindow;
class EditGrid;

class AddNewWindow : public QDialog {
    Q_OBJECT
public:
    AddNewWindow(const Services& services, const std::vector<std::string>& lines, QWidget* parent = nullptr);
    ~AddNewWindow() override;

    QListWidget* list() const { return list_; }
    QPushButton* button(int index) const;
    // The line chosen: 0 "Off-Cut", k cut-piece variety k; -1 when none was chosen.
    int choice() const { return choice_; }
    // "Next" and a double click: the selected line, or the message that none is selected.
    void next();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    const Services& services_;
    QListWidget* list_;
    int choice_ = -1;
};

class EditWindow : public QDialog {
    Q_OBJECT
public:
    // Opens on `row` in a mode; `lengthLonger` as layouts::lengthIsLonger.
    EditWindow(const Services& services, layouts::EditMode mode, const layouts::EditRow& row, bool lengthLonger,
               QWidget* parent = nullptr);
    ~EditWindow() override;

    GridWindow* grid() const;
    QPushButton* button(int index) const;
    QLabel* helpLine(int index) const;

    // The buttons: "Cancel" gives no row; "Delete" gives a row of zeros; "Move", "Modify" and "Add"
    // give the row when it lies on the sheet, else tell why and stay open.
    void cancel();
    void deleteItem();
    void store();
    // The row to apply once the window closed; nothing when it was cancelled.
    const std::optional<layouts::EditRow>& row() const { return row_; }

protected:
    void reject() override;  // Esc and the title bar's close button cancel
    void keyPressEvent(QKeyEvent* event) override;

private:
    const Services& services_;
    layouts::EditMode mode_;
    bool lengthLonger_;
    EditGrid* grid_;
    std::vector<QPushButton*> buttons_;
    std::vector<QLabel*> help_;
    std::optional<layouts::EditRow> row_;
    bool done_ = false;
};

class AltWindow : public QDialog {
    Q_OBJECT
public:
    explicit AltWindow(const Services& services, QWidget* parent = nullptr);
    ~AltWindow() override;

    QPushButton* button(int index) const;
    // 0 "Try Next Arrangement", 1 "Keep This Arrangement", 2 "Original Arrangement"; -1 when the
    // window was closed otherwise.
    int choice() const { return choice_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    const Services& services_;
    std::vector<QPushButton*> buttons_;
    int choice_ = -1;
};

// A point of the picture (pixels of a picture of `picture` size) in job units of the current
// layout as drawn.
QPointF layoutPoint(const LayoutViewer& viewer, QSize picture, QPointF pixel);
// The picture's tooltip at a pixel: what a press there would edit.
QString layoutTooltip(const LayoutViewer& viewer, QSize picture, QPointF pixel);

// A primary-button press on the picture: the cut-piece or off-cut under it is marked and edited,
// elsewhere something is added. The viewer and the window are loaded again after a change.
void editLayoutAt(DiaWindow& dia, LayoutViewer& viewer, const Services& services, QPointF pixel);
// Ctrl+Z and Ctrl+Y: the last hand edit or arrangement taken back, or given back again.
void undoLayoutEdit(DiaWindow& dia, LayoutViewer& viewer, const Services& services);
void redoLayoutEdit(DiaWindow& dia, LayoutViewer& viewer, const Services& services);
// "Add...": an off-cut or cut-piece added to the current layout.
void addToLayout(DiaWindow& dia, LayoutViewer& viewer, const Services& services);
// "Arrange": alternate arrangements of the current layout, tried, kept or given up in `ALT`.
void arrangeLayout(DiaWindow& dia, LayoutViewer& viewer, const Services& services);

}  // namespace veltrix::ui
