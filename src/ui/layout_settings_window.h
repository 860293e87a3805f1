#pragma once
// The layout settings window (caption "Layout Settings"), opened by the Layouts window's
// "Settings": the 13 display options and the line width for printing, stored in dia.set by "Apply".

#include <QDialog>

class QCheckBox;
class QComboBox;

namespace veltrix::ui {

struct Services;

class LayoutSettingsWindow : public QDialog {
    Q_OBJECT
public:
    explicit LayoutSettingsWindow(const Services& services, QWidget* parent = nullptr);
    QCheckBox* check(int index) const { return checks_[index]; }  // 0..12
    QComboBox* lineWidth() const { return width_; }
    // "Apply": writes all 14 lines of dia.set and closes.
    void apply();

private:
    const Services& services_;
    QCheckBox* checks_[13];
    QComboBox* width_;
};

}  // namespace veltrix::ui
