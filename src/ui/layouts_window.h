#pragma once
// The Layouts window (caption "Layouts"): the layout selector ("n / N"), the toolbar, the
// picture of the current layout and the text panel with its listing. It shows what the base
// module's LayoutViewer draws, and runs the edits of a layout: a press on the picture edits the
// cut-piece or off-cut under it (or adds something), "Add..." adds, "Arrange" tries alternate
// arrangements, Undo and Redo (Ctrl+Z, Ctrl+Y) take edits back and give them back again.

#include <optional>

#include <QPixmap>
#include <QPointF>
#include <QSize>
#include <QWidget>

#include "layouts/layout_editing.h"

class QComboBox;
class QTextEdit;
class QToolBar;

namespace veltrix {
class LayoutViewer;
}

namespace veltrix::ui {

struct Services;

// The picture box: shows the last drawing, made at its size.
class LayoutPicture : public QWidget {
    Q_OBJECT
public:
    explicit LayoutPicture(QWidget* parent = nullptr);
    void setPicture(const QPixmap& picture);
    const QPixmap& picture() const { return picture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap picture_;
};

class LayoutsWindow : public QWidget {
    Q_OBJECT
public:
    LayoutsWindow(LayoutViewer& viewer, const Services& services, QWidget* parent = nullptr);
    ~LayoutsWindow() override;

    const LayoutViewer& viewer() const { return viewer_; }
    QComboBox* layoutSelector() const { return selector_; }
    LayoutPicture* layoutPicture() const { return picture_; }
    QTextEdit* listing() const { return listing_; }
    QToolBar* toolBar() const { return toolBar_; }
    // A toolbar action by name: "zoom", "print", "labels", "settings", "add", "arrange", "undo",
    // "redo", "export", "exportCurrent", "exportAll", "sawInstructions".
    QAction* tool(const char* name) const;

    // Draws the current layout on the picture and shows its listing.
    void redraw();
    // Toolbar commands.
    void zoom();
    void print();
    void settings();
    void exportDxf(bool all);
    // "CNC...": the panel-saw instructions of the current layout in their own window.
    void openSawInstructions();

    // A primary-button press on the picture at a pixel: the cut-piece or off-cut under it is
    // marked and edited, elsewhere something is added.
    void editAt(QPointF pixel);
    // The mouse wheel on the picture: the drawing zoomed by `factor` about the pixel (dragging with
    // the middle or right button then moves it; another layout or "Zoom" shows it whole again).
    void zoomAt(double factor, QPointF pixel);
    // "Add...": an off-cut or cut-piece added to the current layout.
    void addToLayout();
    // "Arrange": alternate arrangements of the current layout, tried, kept or given up.
    void arrange();
    // Ctrl+Z and Ctrl+Y: the last edit or arrangement taken back, or given back again.
    void undo();
    void redo();

signals:
    // The plan changed and the viewer is about to load it again: windows showing the plan's report
    // or off-cut table show the plan as it was (the off-cut table stores its grid when it closes).
    void planChanging();

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layoutControls();
    // The selector and the picture as the viewer stands after it was loaded again.
    void showViewer();
    // Undo and Redo enabled while there is an edit to act on, their tips naming it.
    void updateEditTools();
    void markItem(std::size_t index);
    void runEdit(const layouts::EditTarget& target);
    void runAdd();
    // Runs a flow, telling the user what stopped it.
    template <class Flow>
    void guarded(Flow flow);

    LayoutViewer& viewer_;
    const Services& services_;
    QToolBar* toolBar_;
    QComboBox* selector_;
    LayoutPicture* picture_;
    QTextEdit* listing_;
    QStringList shownProblems_;
    std::optional<QPointF> dragFrom_;  // where a drag of the drawing last was
};

// A point of the picture (pixels of a picture of `picture` size) in job units of the current
// layout as drawn.
QPointF layoutPoint(const LayoutViewer& viewer, QSize picture, QPointF pixel);
// The picture's tooltip at a pixel: what a press there would edit.
QString layoutTooltip(const LayoutViewer& viewer, QSize picture, QPointF pixel);

}  // namespace veltrix::ui
