#pragma once
// The settings windows: Configure, which opens the density table, the scrap criteria, the label
// sheet and Misc; and Misc, the library folder, edge-banding increment, nesting efficiency and
// report option (netpath.set and misc.set).

#include <optional>
#include <string>

#include <QDialog>

class QButtonGroup;
class QGroupBox;
class QLineEdit;
class QRadioButton;
class QSlider;

namespace veltrix::ui {

struct Services;

class MiscWindow : public QDialog {
    Q_OBJECT
public:
    explicit MiscWindow(const Services& services, QWidget* parent = nullptr);

    QLineEdit* netPath() const { return netPath_; }
    QLineEdit* increment() const { return increment_; }
    QSlider* efficiency() const { return efficiency_; }
    QGroupBox* efficiencyFrame() const { return efficiencyFrame_; }
    // The option buttons "Weight", "Area", "Area With Edge Banding", "None".
    QRadioButton* option(int index) const;

    // What is wrong with the numeric fields (the edge-banding increment), for the user; nothing
    // when every one holds a number.
    std::optional<std::string> problem() const;
    // Writes netpath.set and misc.set from the controls; tells the user when a file cannot be
    // written or a field holds no number.
    void save();

protected:
    void done(int result) override;

private:
    const Services& services_;
    QLineEdit* netPath_;
    QLineEdit* increment_;
    QSlider* efficiency_;
    QGroupBox* efficiencyFrame_;
    QButtonGroup* options_;
    bool saved_ = false;
};

class ConfigureWindow : public QDialog {
    Q_OBJECT
public:
    // `changed` is the application's changed flag while a job is open, else null.
    ConfigureWindow(const Services& services, bool* changed, QWidget* parent = nullptr);

private:
    const Services& services_;
    bool* changed_;
};

}  // namespace veltrix::ui
