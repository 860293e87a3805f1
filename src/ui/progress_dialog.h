#pragma once
// The progress dialog `Progress` of a run: the message line, the figures of the best plan so far,
// the progress bar, the Stop button that becomes OK, and the hint after a failed run. The run
// itself is the engine's run driver, which reports here as its observer and lets the dialog
// repaint and take Stop between layouts.

#include <functional>

#include <QDialog>

#include "engine/run_driver.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace veltrix::ui {

struct Services;

class ProgressDialog : public QDialog, public engine::RunObserver {
    Q_OBJECT
public:
    // `run` carries out the run with the dialog's driver when the dialog appears.
    ProgressDialog(const Services& services, std::function<engine::RunOutcome(engine::RunDriver&)> run,
                   QWidget* parent = nullptr);
    ~ProgressDialog() override;

    engine::RunDriver& driver() { return driver_; }
    bool running() const { return running_; }
    bool finished() const { return finished_; }
    const engine::RunOutcome& outcome() const { return outcome_; }
    int helpTopic() const { return helpTopic_; }

    QLabel* messageLabel() const { return message_; }
    QLabel* layoutsLabel() const { return layouts_; }
    QLabel* yieldLabel() const { return yield_; }
    QLabel* remainingLabel() const { return remaining_; }
    QLabel* headingLabel() const { return heading_; }
    QLabel* helpLabel() const { return helpHint_; }
    QProgressBar* progressBar() const { return bar_; }
    QPushButton* button() const { return button_; }

    // Observer of the run.
    void messageChanged(const std::string& text) override;
    void runStarted(const engine::RunStart& start) override;
    void iterationDone(const engine::RunFigures& figures) override;
    void runFinished(const engine::RunOutcome& outcome) override;

signals:
    void iterationShown(long long iteration);
    void runEnded();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void runNow();
    void buttonClicked();

    const Services& services_;
    std::function<engine::RunOutcome(engine::RunDriver&)> run_;
    engine::RunDriver driver_;
    engine::RunOutcome outcome_;
    QLabel* message_;
    QLabel* heading_;
    QLabel* layouts_;
    QLabel* yield_;
    QLabel* remaining_;
    QProgressBar* bar_;
    QLabel* helpHint_;
    QPushButton* button_;
    bool started_ = false;
    bool running_ = false;
    bool finished_ = false;
    int helpTopic_ = 0;
};

}  // namespace veltrix::ui
