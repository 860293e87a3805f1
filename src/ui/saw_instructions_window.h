#pragma once
// The panel-saw instructions window `frmcontroller`: the sheet labels and the instruction table
// (controller.tlf) of one layout, printing of the table, and the button `cmd` that types the
// program into NPS400 Control.

#include <functional>
#include <memory>

#include "app/saw_commands.h"
#include "reports/saw_instructions.h"
#include "ui/grid_window.h"

class QLabel;
class QPushButton;

namespace veltrix::engine {
struct LoadedResult;
}
namespace veltrix::keys {
class KeySender;
}

namespace veltrix::ui {

class SawInstructionsWindow : public GridWindow {
    Q_OBJECT
public:
    // Opens the key sender of the transfer; throws keys::KeySendError when it cannot.
    using SenderFactory = KeySenderFactory;

    // Builds the instructions of layout `layout` (1 .. result.layoutCount()) of the loaded result,
    // writes controller.tlf into the working folder and tells the user of any problem (the trim
    // error, cuts past the last stage), which also disables the transfer. Throws std::out_of_range
    // for a layout that is not in the result.
    SawInstructionsWindow(const engine::LoadedResult& result, int layout, const Services& services,
                          SenderFactory openSender = {}, QWidget* parent = nullptr);
    ~SawInstructionsWindow() override;

    const reports::SawInstructions& instructions() const { return saw_; }
    QPushButton* transferButton() const { return cmd_; }
    // Whether the transfer waits for NPS400 Control between its screens (on by default; off only to
    // try the transfer against a stand-in window).
    void setWaits(bool waits) { waits_ = waits; }
    bool transferring() const { return transferring_; }

    // `cmd`: types the instructions into NPS400 Control, keeping the window responsive during the
    // waits; any problem is told to the user.
    void transfer();

protected:
    SawInstructionsWindow(reports::SawInstructions saw, const Services& services, SenderFactory openSender,
                          QWidget* parent);
    void typeCharacter(int, int, int) override {}
    void deleteKey(int, int) override {}
    bool keepsBlankRow() const override { return false; }
    void closeEvent(QCloseEvent* event) override;

private:
    reports::SawInstructions saw_;
    SenderFactory openSender_;
    QPushButton* cmd_ = nullptr;
    bool waits_ = true;
    bool transferring_ = false;
};

}  // namespace veltrix::ui
