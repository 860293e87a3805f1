#pragma once
// The progress dialog of a run (caption "Progress"): the message line, the figures of the best plan so far,
// the progress bar, the Stop button that becomes OK, and the hint after a failed run. The run
// itself is the engine's, on a worker thread: what it reports reaches the dialog as queued calls,
// so the dialog stays responsive, and Stop is a stop request the run acts on between iterations.
//
// A deep search runs in the same dialog: the message line names the run going on ("Run 3 of 7:
// sheet rows 2"), the figures are those of the best plan so far, a line under them names its stock
// and the bar shows how far the whole search has come. It ends with the final message and the
// line naming the stock of the best plan ("Deep search: best with sheet rows 2").

#include <memory>
#include <stop_token>
#include <thread>

#include <QDialog>

#include "app/optimize_command.h"
#include "engine/deep_search.h"
#include "engine/optimize.h"
#include "ui/services.h"

class QLabel;
class QProgressBar;
class QPushButton;

namespace veltrix::ui {

// What the dialog runs: a standard run, or a deep search (the standard run and runs on variants of
// the stock, the best plan kept; never continued).
enum class RunKind { Standard, Deep };

class ProgressDialog : public QDialog {
    Q_OBJECT
public:
    // The run of `request` starts when the dialog appears.
    ProgressDialog(const Services& services, RunRequest request, RunKind kind, QWidget* parent = nullptr);
    // Stops a run still going on and waits for it.
    ~ProgressDialog() override;

    // Stop: shows "Terminating..."; the run ends when its current iteration is over.
    void requestStop();
    bool running() const { return running_; }
    bool finished() const { return finished_; }
    const engine::RunOutcome& outcome() const { return outcome_; }
    // After a deep search: "Deep search: best with sheet rows 2"; empty when it found no plan.
    const std::string& deepLine() const { return deepLine_; }
    // The topic F1 opens: the contents, or after a failed run the run's topic.
    HelpTopic helpTopic() const { return helpTopic_; }

    QLabel* messageLabel() const { return message_; }
    QLabel* layoutsLabel() const { return layouts_; }
    QLabel* yieldLabel() const { return yield_; }
    QLabel* remainingLabel() const { return remaining_; }
    // During a deep search: the stock of the best plan so far.
    QLabel* bestStockLabel() const { return bestStock_; }
    QLabel* headingLabel() const { return heading_; }
    QLabel* helpLabel() const { return helpHint_; }
    QProgressBar* progressBar() const { return bar_; }
    QPushButton* button() const { return button_; }

signals:
    void iterationShown(long long iteration);
    // A run of a deep search finished (`finished` of them so far).
    void deepRunShown(std::size_t finished);
    void runEnded();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    class Relay;
    class DeepRelay;
    void startRun();
    void buttonClicked();
    // What the run reports, on the interface thread.
    void showMessage(const std::string& text);
    void showStart(const engine::RunStart& start);
    void showFigures(const engine::RunFigures& figures);
    void showDeepStart(const engine::DeepProgress& progress);
    void showDeepFinish(const engine::DeepProgress& progress);
    void showDeepShare(int permille);
    void runDone(const engine::RunOutcome& outcome, const std::string& deepLine);

    RunRequest request_;
    RunKind kind_;
    engine::RunOutcome outcome_;
    std::string deepLine_;
    std::unique_ptr<Relay> relay_;
    std::unique_ptr<DeepRelay> deepRelay_;
    std::stop_source stop_;
    std::thread worker_;
    QLabel* message_;
    QLabel* heading_;
    QLabel* layouts_;
    QLabel* yield_;
    QLabel* remaining_;
    QLabel* bestStock_;
    QProgressBar* bar_;
    QLabel* helpHint_;
    QPushButton* button_;
    bool started_ = false;
    bool running_ = false;
    bool finished_ = false;
    HelpTopic helpTopic_ = HelpTopic::Contents;
};

}  // namespace veltrix::ui
