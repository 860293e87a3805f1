#pragma once
// The tool windows: the unit conversion tool (caption "Unit Conversion Tool"), which converts a
// length between units and can type the result back into the real-number cell it was opened from,
// and the backup window (caption "Backup"), which copies the working folder's files into "optdata" in a folder the user
// chooses, such as a mounted USB drive.

#include <functional>
#include <optional>
#include <string>

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QProgressBar;
class QPushButton;

namespace veltrix::ui {

struct Services;
class BaseWindow;

class UnitConversionWindow : public QDialog {
    Q_OBJECT
public:
    // `paste` (when given) receives the result when the button, then captioned "Paste", is
    // pressed; `input` is the text the tool starts with.
    UnitConversionWindow(const Services& services, QWidget* parent = nullptr,
                         std::function<void(const std::string&)> paste = {}, const QString& input = {});
    ~UnitConversionWindow() override;

    QLineEdit* input() const { return input_; }
    QLineEdit* result() const { return result_; }
    QComboBox* inputUnit() const { return inputUnit_; }
    QComboBox* outputUnit() const { return outputUnit_; }
    QPushButton* button() const { return button_; }

    // The button: stores the unit pair, closes, and pastes the result when opened from a cell.
    void press();
    // Converts the input as it stands; an input that cannot be read leaves the last result.
    void convert();

protected:
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    const Services& services_;
    std::function<void(const std::string&)> paste_;
    QLineEdit* input_;
    QLineEdit* result_;
    QComboBox* inputUnit_;
    QComboBox* outputUnit_;
    QPushButton* button_;
    bool wasActive_ = false;
    bool closing_ = false;
};

// Tools > "&Unit Conversion Tool": opened from the real-number cell that is current in the base
// module's active grid window (starting with its text, "Paste" typing the result into it through
// the grid's typing rules), or plainly. Not modal; closes when it loses the focus.
UnitConversionWindow* openUnitConversion(BaseWindow& base);

class BackupWindow : public QDialog {
    Q_OBJECT
public:
    explicit BackupWindow(const Services& services, QWidget* parent = nullptr);
    ~BackupWindow() override;

    // The folder chooser behind "Browse..."; the desktop program's asks with a folder dialog.
    void setFolderChooser(std::function<std::optional<std::string>()> chooser) { chooser_ = std::move(chooser); }

    QComboBox* drive() const { return drive_; }
    QListWidget* files() const { return files_; }
    QPushButton* startButton() const { return start_; }
    QPushButton* browseButton() const { return browse_; }
    QProgressBar* progress() const { return progress_; }

    // "Browse...": the chosen folder becomes the one backed up to.
    void browse();
    // "Start Backup".
    void startBackup();

private:
    void listFiles();

    const Services& services_;
    std::function<std::optional<std::string>()> chooser_;
    QComboBox* drive_;
    QLabel* target_;
    QPushButton* browse_;
    QPushButton* start_;
    QListWidget* files_;
    QLabel* copying_;
    QLabel* progressLabel_;
    QProgressBar* progress_;
};

// Folders where removable drives are mounted for the user running the program (the entries of
// /media/USER, /run/media/USER and /mnt that are folders).
std::vector<std::string> mountedDrives();

}  // namespace veltrix::ui
