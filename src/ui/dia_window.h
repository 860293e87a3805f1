#pragma once
// The Layouts window `Dia`: the toolbar `TB`, the selector `cmb` ("n / N"), the square picture
// `pic` with the current layout, and the text panel `txt` with its listing. It shows what the
// LayoutViewer of the base module draws.

#include <QPixmap>
#include <QWidget>

class QComboBox;
class QTextEdit;
class QToolBar;
class QToolButton;

namespace veltrix {
class LayoutViewer;
}

namespace veltrix::ui {

struct Services;

// The picture box: shows the last drawing, scaled to its square.
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

class DiaWindow : public QWidget {
    Q_OBJECT
public:
    DiaWindow(LayoutViewer& viewer, const Services& services, QWidget* parent = nullptr);
    ~DiaWindow() override;

    QComboBox* selector() const { return selector_; }
    LayoutPicture* picture() const { return picture_; }
    QTextEdit* listing() const { return text_; }
    QToolBar* toolBar() const { return toolBar_; }
    QAction* tool(const char* name) const;

    // Draws the current layout on the picture and shows its listing.
    void redraw();
    // Toolbar commands.
    void zoom();
    void print();
    void settings();
    void exportDxf(bool all);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void layoutControls();

    LayoutViewer& viewer_;
    const Services& services_;
    QToolBar* toolBar_;
    QComboBox* selector_;
    LayoutPicture* picture_;
    QTextEdit* text_;
    QStringList shownProblems_;
};

}  // namespace veltrix::ui
