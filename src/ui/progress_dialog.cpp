#include "ui/progress_dialog.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "ui/help_key.h"

namespace veltrix::ui {

namespace {
// Colour 12 of the basic palette marks the figure the objective optimises.
const QString kLightRed = QStringLiteral("color: #ff0000;");
static_assert(static_cast<int>(HelpTopic::FailedRun) == engine::kFailureHelpTopic);
}  // namespace

// The run's observer on the worker thread: every report is copied and queued to the dialog. Queued
// calls to a dialog that is gone are dropped by Qt.
class ProgressDialog::Relay : public engine::RunObserver {
public:
    explicit Relay(ProgressDialog* dialog) : dialog_(dialog) {}
    void messageChanged(const std::string& text) override {
        QMetaObject::invokeMethod(dialog_, [d = dialog_, text] { d->showMessage(text); }, Qt::QueuedConnection);
    }
    void runStarted(const engine::RunStart& start) override {
        QMetaObject::invokeMethod(dialog_, [d = dialog_, start] { d->showStart(start); }, Qt::QueuedConnection);
    }
    void iterationDone(const engine::RunFigures& figures) override {
        QMetaObject::invokeMethod(dialog_, [d = dialog_, figures] { d->showFigures(figures); }, Qt::QueuedConnection);
    }

private:
    ProgressDialog* dialog_;
};

// A deep search's observer: called from the threads of its runs, one call at a time; every report
// is copied and queued to the dialog as the run's are.
class ProgressDialog::DeepRelay : public engine::DeepObserver {
public:
    explicit DeepRelay(ProgressDialog* dialog) : dialog_(dialog) {}
    void runStarted(const engine::DeepProgress& progress) override {
        QMetaObject::invokeMethod(dialog_, [d = dialog_, progress] { d->showDeepStart(progress); },
                                  Qt::QueuedConnection);
    }
    void runFinished(const engine::DeepProgress& progress) override {
        QMetaObject::invokeMethod(dialog_, [d = dialog_, progress] { d->showDeepFinish(progress); },
                                  Qt::QueuedConnection);
    }
    void progressed(const engine::DeepProgress& progress) override {
        QMetaObject::invokeMethod(dialog_, [d = dialog_, permille = progress.permille] { d->showDeepShare(permille); },
                                  Qt::QueuedConnection);
    }

private:
    ProgressDialog* dialog_;
};

ProgressDialog::ProgressDialog(const Services& services, RunRequest request, RunKind kind, QWidget* parent)
    : QDialog(parent),
      request_(std::move(request)),
      kind_(kind),
      relay_(std::make_unique<Relay>(this)),
      deepRelay_(std::make_unique<DeepRelay>(this)),
      message_(new QLabel(QString::fromLatin1(engine::kPreparingMessage), this)),
      heading_(new QLabel(QString::fromLatin1(engine::kFiguresHeading), this)),
      layouts_(new QLabel(QStringLiteral("0"), this)),
      yield_(new QLabel(QStringLiteral("0"), this)),
      remaining_(new QLabel(this)),
      bestStock_(new QLabel(this)),
      bar_(new QProgressBar(this)),
      helpHint_(new QLabel(QString::fromLatin1(engine::kHelpHint), this)),
      button_(new QPushButton(QStringLiteral("Stop"), this)) {
    setObjectName(QStringLiteral("progressDialog"));
    setWindowTitle(QStringLiteral("Progress"));
    setModal(true);
    message_->setObjectName(QStringLiteral("message"));
    message_->setWordWrap(true);
    message_->setMinimumHeight(message_->fontMetrics().height() * 3);
    heading_->setObjectName(QStringLiteral("figuresHeading"));
    layouts_->setObjectName(QStringLiteral("layoutCount"));
    yield_->setObjectName(QStringLiteral("overallYield"));
    remaining_->setObjectName(QStringLiteral("remainingIterations"));
    bestStock_->setObjectName(QStringLiteral("bestStock"));
    bar_->setObjectName(QStringLiteral("progressBar"));
    helpHint_->setObjectName(QStringLiteral("helpHint"));
    button_->setObjectName(QStringLiteral("stopButton"));
    QFont figures = layouts_->font();
    figures.setPointSizeF(figures.pointSizeF() * 1.4);
    figures.setBold(true);
    layouts_->setFont(figures);
    yield_->setFont(figures);
    for (QWidget* w : {static_cast<QWidget*>(heading_), static_cast<QWidget*>(layouts_), static_cast<QWidget*>(yield_),
                       static_cast<QWidget*>(remaining_), static_cast<QWidget*>(bestStock_), static_cast<QWidget*>(bar_),
                       static_cast<QWidget*>(helpHint_)})
        w->hide();

    // Each figure stands centred under its word of the heading: the labels are as wide as the
    // words, and as far apart as the blanks between them.
    const QString heading = heading_->text();
    const qsizetype second = heading.indexOf(QLatin1String("Overall"));
    const qsizetype firstEnd = heading.left(second).trimmed().size();
    const QFontMetrics metrics(heading_->font());
    layouts_->setMinimumWidth(metrics.horizontalAdvance(heading.left(firstEnd)));
    yield_->setMinimumWidth(metrics.horizontalAdvance(heading.mid(second)));
    auto* figureRow = new QHBoxLayout;
    figureRow->setSpacing(metrics.horizontalAdvance(heading.mid(firstEnd, second - firstEnd)));
    for (QLabel* figure : {layouts_, yield_}) {
        figure->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        figureRow->addWidget(figure);
    }
    figureRow->addStretch(1);
    auto* figureBlock = new QVBoxLayout;
    figureBlock->addWidget(heading_);
    figureBlock->addLayout(figureRow);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(message_);
    layout->addLayout(figureBlock);
    layout->addWidget(remaining_);
    layout->addWidget(bestStock_);
    layout->addWidget(bar_);
    layout->addWidget(helpHint_);
    layout->addWidget(button_, 0, Qt::AlignHCenter);
    connect(button_, &QPushButton::clicked, this, [this] { buttonClicked(); });
    addHelpKey(*this, services, [this] { return helpTopic_; });
    setMinimumWidth(420);
}

ProgressDialog::~ProgressDialog() {
    stop_.request_stop();
    if (worker_.joinable()) worker_.join();
}

void ProgressDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    // The run starts once the dialog is on screen, as its button receives the focus.
    if (!started_) {
        started_ = true;
        button_->setFocus();
        QTimer::singleShot(0, this, [this] { startRun(); });
    }
}

void ProgressDialog::startRun() {
    running_ = true;
    worker_ = std::thread([this, stop = stop_.get_token()] {
        engine::RunOutcome outcome;
        std::string deepLine;
        try {
            if (kind_ == RunKind::Deep) {
                engine::DeepOutcome deep = engine::optimizeDeep(request_.job, request_.settings, *deepRelay_, stop);
                outcome = std::move(deep.outcome);
                deepLine = std::move(deep.line);
            } else {
                outcome = engine::optimize(request_.job, request_.settings, *relay_, stop);
            }
        } catch (const std::exception& e) {
            outcome = engine::RunOutcome{};
            outcome.message = e.what();
            outcome.failed = true;
            outcome.helpTopic = engine::kFailureHelpTopic;
        }
        QMetaObject::invokeMethod(
            this, [this, outcome, deepLine] { runDone(outcome, deepLine); }, Qt::QueuedConnection);
    });
}

void ProgressDialog::runDone(const engine::RunOutcome& outcome, const std::string& deepLine) {
    if (worker_.joinable()) worker_.join();
    outcome_ = outcome;
    deepLine_ = deepLine;
    running_ = false;
    finished_ = true;
    QApplication::beep();
    // The final message, after a failure why it failed, after a deep search the stock of its plan.
    std::string text = outcome_.message;
    if (!outcome_.reason.empty()) text += "\n" + outcome_.reason;
    if (!deepLine_.empty()) text += "\n" + deepLine_;
    if (!text.empty()) message_->setText(QString::fromStdString(text));
    if (kind_ == RunKind::Deep && outcome_.figures.demandMet) {
        yield_->setText(QString::fromStdString(outcome_.figures.yieldText));
        layouts_->setText(QString::fromStdString(outcome_.figures.layoutsText));
    }
    bar_->hide();
    remaining_->hide();
    bestStock_->hide();
    button_->setText(QStringLiteral("OK"));
    if (outcome_.helpTopic != 0) {
        helpTopic_ = static_cast<HelpTopic>(outcome_.helpTopic);
        helpHint_->show();
    }
    emit runEnded();
}

void ProgressDialog::buttonClicked() {
    if (button_->text() == QLatin1String("Stop")) {
        if (running_) requestStop();
        return;
    }
    accept();
}

void ProgressDialog::requestStop() {
    if (stop_.stop_requested()) return;
    stop_.request_stop();
    showMessage(engine::kTerminatingMessage);
}

void ProgressDialog::showMessage(const std::string& text) {
    // Once Stop was pressed, "Terminating..." stands until the run's final message.
    if (stop_.stop_requested() && running_ && text != engine::kTerminatingMessage) return;
    message_->setText(QString::fromStdString(text));
}

void ProgressDialog::showStart(const engine::RunStart& start) {
    yield_->setStyleSheet(start.highlight == engine::Highlight::Yield ? kLightRed : QString());
    layouts_->setStyleSheet(start.highlight == engine::Highlight::Layouts ? kLightRed : QString());
    bar_->setRange(0, static_cast<int>(std::min<long long>(start.budget, 1 << 30)));
    bar_->setValue(0);
    for (QWidget* w : {static_cast<QWidget*>(bar_), static_cast<QWidget*>(heading_), static_cast<QWidget*>(yield_),
                       static_cast<QWidget*>(layouts_), static_cast<QWidget*>(remaining_)})
        w->show();
}

void ProgressDialog::showFigures(const engine::RunFigures& figures) {
    if (figures.demandMet) {
        yield_->setText(QString::fromStdString(figures.yieldText));
        layouts_->setText(QString::fromStdString(figures.layoutsText));
    }
    remaining_->setText(QString::fromStdString(figures.remainingText));
    bar_->setValue(static_cast<int>(std::min<long long>(figures.iteration, bar_->maximum())));
    emit iterationShown(figures.iteration);
}

void ProgressDialog::showDeepStart(const engine::DeepProgress& progress) {
    if (bar_->isHidden()) {
        // The first run begins: the figures of the best plan so far, and the bar of the whole
        // search in thousandths (the runs go on side by side).
        showStart(engine::RunStart{1000, engine::highlightOf(request_.job.objective.mode()), request_.job.mode == StockMode::Coil});
        remaining_->hide();
        // The line of the best plan's stock stands from the start, so that nothing moves under the
        // pointer (the Stop button least of all) when the first run finishes.
        bestStock_->setText(QStringLiteral("Best so far: none yet"));
        bestStock_->show();
    }
    showMessage("Run " + std::to_string(progress.run + 1) + " of " + std::to_string(progress.runs) + ": " +
                progress.stock);
}

void ProgressDialog::showDeepFinish(const engine::DeepProgress& progress) {
    if (progress.found) {
        yield_->setText(QString::fromStdString(progress.yieldText));
        layouts_->setText(QString::fromStdString(progress.layoutsText));
        bestStock_->setText(QStringLiteral("Best so far: %1").arg(QString::fromStdString(progress.bestStock)));
    }
    showDeepShare(progress.permille);
    emit deepRunShown(progress.finished);
}

void ProgressDialog::showDeepShare(int permille) {
    // Reports queued from several runs may come out of order: the bar never goes back.
    if (permille > bar_->value()) bar_->setValue(std::min(permille, bar_->maximum()));
}

void ProgressDialog::closeEvent(QCloseEvent* event) {
    // Nothing may end the dialog while the run is on: Stop ends the run first.
    if (running_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

void ProgressDialog::reject() {
    if (running_) return;
    QDialog::reject();
}

}  // namespace veltrix::ui
