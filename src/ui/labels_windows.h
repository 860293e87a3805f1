#pragma once
// The label windows: the label sheet window (caption "Define Labels "), the label sheet definition
// LBl.def as a grid of one row with a picture of the page it gives, and the switch that puts a
// barcode and a QR code of its part on every label (stored beside LBl.def); the label range window
// (caption "Label Printing"), the range of layouts whose labels the Layouts window's "Labels"
// button prints.

#include <optional>
#include <utility>

#include <QDialog>
#include <QWidget>

#include "layouts/labels.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;

namespace veltrix {
class GridTable;
class LayoutViewer;
}  // namespace veltrix

namespace veltrix::ui {

struct Services;
class GridWindow;

// The picture of one page of the label sheet: ROWS x COLS labels with a bar for each line
// shown and a square for the logo.
class LabelSheetPicture : public QWidget {
    Q_OBJECT
public:
    explicit LabelSheetPicture(QWidget* parent = nullptr);
    // Nothing to draw when the definition cannot lay out a page.
    void setSheet(const std::optional<layouts::LabelSheet>& sheet);
    const std::optional<layouts::LabelSheet>& sheet() const { return sheet_; }
    // Each label drawn with its barcode and QR code.
    void setCodes(bool on);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::optional<layouts::LabelSheet> sheet_;
    bool codes_ = false;
};

class LabelSheetWindow : public QDialog {
    Q_OBJECT
public:
    explicit LabelSheetWindow(const Services& services, QWidget* parent = nullptr);
    ~LabelSheetWindow() override;

    GridWindow* grid() const { return grid_; }
    GridTable& table();
    LabelSheetPicture* picture() const { return picture_; }
    // "Barcode and QR code on each label": read from labels.set when the window opens, stored there
    // when it closes.
    QCheckBox* barcodes() const { return barcodes_; }
    // Why the definition cannot lay out labels yet; empty when it can.
    QString problem() const;

protected:
    // Closing in any way stores LBl.def.
    void done(int result) override;

private:
    void refresh();

    const Services& services_;
    GridWindow* grid_;
    LabelSheetPicture* picture_;
    QCheckBox* barcodes_;
    QLabel* problem_;
    bool saved_ = false;
};

class LabelRangeWindow : public QDialog {
    Q_OBJECT
public:
    // Both selectors list the layouts 1..count and start at the current layout.
    LabelRangeWindow(int count, int current, QWidget* parent = nullptr);

    QComboBox* from() const { return from_; }
    QComboBox* to() const { return to_; }
    QPushButton* okButton() const { return ok_; }
    QPushButton* cancelButton() const { return cancel_; }
    int fromLayout() const;
    int toLayout() const;

private:
    void follow();

    QComboBox* from_;
    QComboBox* to_;
    QPushButton* ok_;
    QPushButton* cancel_;
};

// Asks for the range in the range window; nothing when it was cancelled.
std::optional<std::pair<int, int>> chooseLabelRange(int count, int current, QWidget* parent);

// The Layouts window's "Labels": the range asked, then lbl.htm written for it (with the codes when
// the label definition switches them on, the project's name in each part's identity) and opened.
// What stops the page is told and nothing is opened.
void printLabelsOfViewer(const LayoutViewer& viewer, const Services& services, QWidget* parent);

}  // namespace veltrix::ui
