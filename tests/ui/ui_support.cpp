#include "ui_support.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "ui/base_window.h"
#include "ui/grid_view.h"
#include "ui/grid_window.h"
#include "ui/progress_dialog.h"

namespace veltrix::ui::test {

namespace {

class RecordingJob : public PrintJob {
public:
    explicit RecordingJob(std::shared_ptr<RecordingSurface> surface) : surface_(std::move(surface)) {}
    Surface& surface() override { return *surface_; }
    void finish() override {}

private:
    std::shared_ptr<RecordingSurface> surface_;
};

}  // namespace

void ensureApplication() {
    if (QApplication::instance()) return;
    static int argc = 1;
    static char name[] = "veltrix-ui-tests";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);
}

Harness::Harness()
    : services{Workspace(dir.path()), prompt, dialogs, shell, clipboard, events, [this]() -> std::unique_ptr<PrintJob> {
                   printed.push_back(std::make_shared<RecordingSurface>(2480, 3508));
                   return std::make_unique<RecordingJob>(printed.back());
               }} {
    ensureApplication();
}

Harness::~Harness() {
    // Windows deleted later must not outlive the folder they write to.
    QApplication::closeAllWindows();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

std::vector<std::string> Harness::messageTexts() const {
    std::vector<std::string> texts;
    for (const auto& m : prompt.messages) texts.push_back(m.text);
    return texts;
}

void Harness::copyExample() {
    namespace fs = std::filesystem;
    for (const auto& entry : fs::directory_iterator(fs::path(VELTRIX_EXAMPLES) / "workshop"))
        if (entry.is_regular_file()) fs::copy_file(entry.path(), dir.path() / entry.path().filename());
}

std::unique_ptr<BaseWindow> Harness::startBase(StockMode mode) {
    auto base = std::make_unique<BaseWindow>(services, mode);
    base->setAttribute(Qt::WA_DeleteOnClose, false);
    base->start();
    activate(*base);
    return base;
}

void Harness::open(BaseWindow& base, const std::filesystem::path& file) {
    dialogs.pushOpen(file.string());
    activate(base);
    pressKey(Qt::Key_O, Qt::ControlModifier);
}

std::filesystem::path Harness::writeTwoLayoutJob(const std::string& name) {
    std::string text = veltrix::test::readFile(veltrix::test::dataFile("layouts/two-layouts.opt"));
    const std::string outline = "outline-cutout.dxf";
    text.replace(text.find(outline), outline.size(), "");
    return dir.write(name, text);
}

void whileModal(const std::function<void()>& action, const std::function<bool(QWidget*)>& handler) {
    // A handled window is marked on itself: a window opened again in a loop may reuse the address
    // of the one before, so the address cannot tell them apart.
    static const char* const kHandled = "veltrixTestHandled";
    QTimer timer;
    timer.setInterval(5);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->property(kHandled).toBool()) return;
        // Keys go to the dialog once it is the active window, as a window manager makes it.
        if (!modal->isActiveWindow()) {
            modal->activateWindow();
            return;
        }
        if (handler(modal)) modal->setProperty(kHandled, true);
    });
    timer.start();
    action();
    timer.stop();
}

SeenRun runAndWatch(BaseWindow& base, const std::function<void()>& start,
                    std::function<void(ProgressDialog&)> whileRunning, bool pressF1) {
    SeenRun seen;
    activate(base);
    whileModal(start, [&](QWidget* modal) {
        auto* dialog = qobject_cast<ProgressDialog*>(modal);
        if (!dialog) return false;
        if (!seen.appeared) {
            seen.appeared = true;
            QObject::connect(dialog, &ProgressDialog::iterationShown, dialog, [&seen, dialog] {
                if (dialog->running()) ++seen.reportsWhileRunning;
            });
            QObject::connect(dialog, &ProgressDialog::deepRunShown, dialog, [&seen, dialog] {
                seen.runLines.push_back(dialog->messageLabel()->text().toStdString());
            });
        }
        if (!seen.startSeen && dialog->running() && dialog->progressBar()->isVisible()) {
            seen.startSeen = true;
            if (dialog->bestStockLabel()->isVisible()) seen.bestLineAtStart = dialog->bestStockLabel()->text().toStdString();
        }
        if (whileRunning && dialog->running()) {
            whileRunning(*dialog);
            whileRunning = {};
        }
        if (!dialog->finished()) return false;
        seen.message = dialog->messageLabel()->text().toStdString();
        seen.layouts = dialog->layoutsLabel()->text().toStdString();
        seen.yield = dialog->yieldLabel()->text().toStdString();
        seen.hint = dialog->helpLabel()->isVisible();
        seen.barVisible = dialog->progressBar()->isVisible();
        seen.button = dialog->button()->text();
        if (pressF1) pressKey(Qt::Key_F1);
        dialog->button()->click();
        return true;
    });
    return seen;
}

void activate(QWidget& window) {
    window.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window)) << window.objectName().toStdString() << " never became active";
}

void pressKey(Qt::Key key, Qt::KeyboardModifiers modifiers) {
    QWidget* target = QApplication::focusWidget();
    if (!target) target = QApplication::activeWindow();
    ASSERT_NE(target, nullptr) << "no widget has the keyboard focus";
    QTest::keyClick(target, key, modifiers);
}

void typeKeys(const QString& keys) {
    for (QChar c : keys) {
        QWidget* target = QApplication::focusWidget();
        ASSERT_NE(target, nullptr) << "no widget has the keyboard focus";
        if (c == QLatin1Char('\n')) QTest::keyClick(target, Qt::Key_Return);
        else QTest::keyClick(target, c.toLatin1());  // Tab and Backspace included
    }
}

void typeInto(GridWindow& window, int row, int column, const QString& keys) {
    window.setCurrentCell(row, column);
    window.view()->setFocus();
    for (QChar c : keys) QTest::keyClick(window.view(), c.toLatin1());
}

}  // namespace veltrix::ui::test
