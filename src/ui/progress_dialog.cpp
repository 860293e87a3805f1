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
}

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

ProgressDialog::ProgressDialog(const Services& services, RunRequest request, QWidget* parent)
    : QDialog(parent),
      request_(std::move(request)),
      relay_(std::make_unique<Relay>(this)),
      message_(new QLabel(QString::fromLatin1(engine::kPreparingMessage), this)),
      heading_(new QLabel(QString::fromLatin1(engine::kFiguresHeading), this)),
      layouts_(new QLabel(QStringLiteral("0"), this)),
      yield_(new QLabel(QStringLiteral("0"), this)),
      remaining_(new QLabel(this)),
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
    bar_->setObjectName(QStringLiteral("progressBar"));
    helpHint_->setObjectName(QStringLiteral("helpHint"));
    button_->setObjectName(QStringLiteral("stopButton"));
    QFont figures = layouts_->font();
    figures.setPointSizeF(figures.pointSizeF() * 1.4);
    figures.setBold(true);
    layouts_->setFont(figures);
    yield_->setFont(figures);
    for (QWidget* w : {static_cast<QWidget*>(heading_), static_cast<QWidget*>(layouts_), static_cast<QWidget*>(yield_),
                       static_cast<QWidget*>(remaining_), static_cast<QWidget*>(bar_), static_cast<QWidget*>(helpHint_)})
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
        try {
            outcome = engine::optimize(request_.job, request_.settings, *relay_, stop);
        } catch (const std::exception& e) {
            outcome.message = e.what();
            outcome.failed = true;
            outcome.helpTopic = engine::kFailureHelpTopic;
        }
        QMetaObject::invokeMethod(this, [this, outcome] { runDone(outcome); }, Qt::QueuedConnection);
    });
}

void ProgressDialog::runDone(const engine::RunOutcome& outcome) {
    if (worker_.joinable()) worker_.join();
    outcome_ = outcome;
    running_ = false;
    finished_ = true;
    QApplication::beep();
    // The final message, and after a failure why it failed.
    const std::string text = outcome_.reason.empty() ? outcome_.message : outcome_.message + "\n" + outcome_.reason;
    if (!text.empty()) message_->setText(QString::fromStdString(text));
    bar_->hide();
    remaining_->hide();
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
