#include "ui_support.h"

#include <filesystem>
#include <set>

#include <QApplication>
#include <QTest>
#include <QTimer>

#include "ui/grid_view.h"
#include "ui/grid_window.h"

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

void whileModal(const std::function<void()>& action, const std::function<bool(QWidget*)>& handler) {
    // A handled window is marked on itself: a window opened again in a loop may reuse the address
    // of the one before, so the address cannot tell them apart.
    static const char* const kHandled = "veltrixTestHandled";
    QTimer timer;
    timer.setInterval(10);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->property(kHandled).toBool()) return;
        if (handler(modal)) modal->setProperty(kHandled, true);
    });
    timer.start();
    action();
    timer.stop();
}

void typeInto(GridWindow& window, int row, int column, const QString& keys) {
    window.setCurrentCell(row, column);
    for (QChar c : keys) {
        if (c == QLatin1Char('\b')) QTest::keyClick(window.view(), Qt::Key_Backspace);
        else QTest::keyClick(window.view(), c.toLatin1());
    }
}

void processUntil(const std::function<bool()>& done) {
    for (int i = 0; i < 20000 && !done(); ++i) QTest::qWait(5);
}

}  // namespace veltrix::ui::test
