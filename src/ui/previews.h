#pragma once
// Small pictures beside the job grids: the sheet with its margin markers, and the DXF outline of a
// cut-piece.

#include <string>

#include <QWidget>

#include "dxf/entities.h"

class QLabel;

namespace veltrix::ui {

// A sheet picture with the markers "ML", "MT", "MR", "MB" around it; each shows only while its
// margin is greater than 0.
class MarginMarkers : public QWidget {
    Q_OBJECT
public:
    explicit MarginMarkers(QWidget* parent = nullptr);
    void setMargins(float left, float top, float right, float bottom);
    QLabel* marker(int index) const { return markers_[index]; }  // 0 ML, 1 MT, 2 MR, 3 MB
    bool shown(int index) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QLabel* markers_[4];
    bool shown_[4] = {false, false, false, false};
};

// The outline of a DXF drawing in light red, filling a square view with a 5% border.
class DxfPreview : public QWidget {
    Q_OBJECT
public:
    explicit DxfPreview(QWidget* parent = nullptr);
    // Shows the drawing of the file (a path as given: the caller resolves a job's relative names in
    // the working folder); an empty name, a missing or unreadable file shows nothing.
    void showFile(const std::string& file);
    const std::string& file() const { return file_; }
    const dxf::EntityList& outline() const { return outline_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::string file_;
    dxf::EntityList outline_;
};

}  // namespace veltrix::ui
