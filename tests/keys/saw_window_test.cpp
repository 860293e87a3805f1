// The panel-saw instructions window on the offscreen platform: its labels, table, controller.tlf,
// printing, and the transfer button with its messages (the keys recorded, not sent).
#include <gtest/gtest.h>

#include <utility>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QToolBar>

#include "engine/loaded_result.h"
#include "job/document.h"
#include "keys/key_sender.h"
#include "base/table_file.h"
#include "ui/saw_instructions_window.h"
#include "ui_support.h"

namespace veltrix::ui {
namespace {

using test::Harness;

engine::LoadedResult mergeResult() {
    const auto folder = veltrix::test::dataFile("conformance");
    Document doc = readDocument(folder / "merge.opt");
    doc.plan = parsePlan(veltrix::test::readFile(folder / "merge.dia.tlf"));
    return engine::loadResult(doc.job(), doc.plan);
}

QString labelText(const QWidget& window, const char* name) {
    const auto* label = window.findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("(missing)");
}

TEST(SawInstructionsWindow, ShowsTheLabelsAndTheTableAndWritesControllerTlf) {
    Harness h;
    SawInstructionsWindow w(mergeResult(), 2, h.services);
    const std::pair<const char*, const char*> labels[] = {{"lbllength", "2440"}, {"lblwidth", "1220"},
                                                          {"lblthickness", "18"}, {"lblnos", "1"},
                                                          {"lbltrim", "6"},       {"lbltrimzw", "0"},
                                                          {"lblrest", "0"},       {"lbldescription", ""}};
    for (const auto& [name, value] : labels)
        EXPECT_EQ(labelText(w, name), QString::fromLatin1(value)) << name;
    EXPECT_TRUE(h.prompt.messages.empty());
    EXPECT_TRUE(w.transferButton()->isEnabled());
    // Merge layout 2: a rip cut at 700, then three cross cuts at 350.
    EXPECT_EQ(h.dir.read("controller.tlf"), "\"4\",\"700\",\"1\",\"Rip Cut\"\r\n\"5\",\"350\",\"3\",\"Cross Cut\"\r\n");
    EXPECT_EQ(w.table().cell(2, 3), "3");

    h.dialogs.pushPrint(PrintRange::All);
    w.toolBar()->findChild<QAction*>("Print")->trigger();
    EXPECT_NE(h.dir.read("header.tlf").find("Cutting instructions for NPS400 Control"), std::string::npos);
    const auto lines = splitLines(h.dir.read("Print.txt"));
    ASSERT_EQ(lines.size(), 2U);
    EXPECT_NE(lines[0].find("Rip Cut"), std::string::npos);
    EXPECT_NE(lines[1].find("Cross Cut"), std::string::npos);
    EXPECT_EQ(h.printed.size(), 1U);
}

TEST(SawInstructionsWindow, TheButtonTypesTheInstructionsOrSaysWhyNot) {
    Harness h;
    // A sender that records into a list of the test, made by the window's factory.
    std::vector<keys::KeyEvent> sent;
    class Forwarding : public keys::KeySender {
    public:
        explicit Forwarding(std::vector<keys::KeyEvent>& out) : out_(out) {}
        bool activateWindow(std::string_view title) override { return title == reports::kControllerWindowTitle; }
        void send(std::span<const keys::KeyEvent> events) override { out_.insert(out_.end(), events.begin(), events.end()); }

    private:
        std::vector<keys::KeyEvent>& out_;
    };
    SawInstructionsWindow forwarding(mergeResult(), 2, h.services,
                                     [&sent] { return std::make_unique<Forwarding>(sent); });
    forwarding.setWaits(false);
    forwarding.transferButton()->click();
    EXPECT_TRUE(h.prompt.messages.empty());
    std::vector<keys::KeyEvent> expected;
    for (const reports::TransferStep& step : forwarding.instructions().transfer)
        if (!step.wait)
            for (const keys::KeyEvent& e : keys::parseKeyString(step.keys)) expected.push_back(e);
    EXPECT_EQ(sent, expected);
    EXPECT_FALSE(expected.empty());
    EXPECT_TRUE(forwarding.transferButton()->isEnabled());

    // No X11 session: told, and the button is usable again.
    SawInstructionsWindow noDisplay(mergeResult(), 2, h.services,
                                    []() -> std::unique_ptr<keys::KeySender> { throw keys::KeySendError(keys::kNeedsX11Message); });
    noDisplay.transferButton()->click();
    ASSERT_EQ(h.prompt.messages.size(), 1U);
    EXPECT_EQ(h.prompt.messages[0].text, keys::kNeedsX11Message);
    EXPECT_TRUE(noDisplay.transferButton()->isEnabled());

}

TEST(SawInstructionsWindow, ATrimErrorIsToldAndDisablesTheButton) {
    Harness h;
    engine::LoadedResult result = mergeResult();
    // Layout 2's first margin made narrower than the kerf (4).
    for (std::size_t i = result.layoutBegin(2); i < result.layoutEnd(2); ++i)
        if (result.items[i].kind == ItemKind::Margin) {
            result.items[i].x2 = result.items[i].x1 + 2;
            break;
        }
    SawInstructionsWindow w(result, 2, h.services);
    ASSERT_EQ(h.prompt.messages.size(), 1U);
    EXPECT_EQ(h.prompt.messages[0].text, reports::kTrimErrorMessage);
    EXPECT_EQ(labelText(w, "lbltrim"), QStringLiteral("0"));
    EXPECT_FALSE(w.transferButton()->isEnabled());
    EXPECT_EQ(labelText(w, "lblmessage"), QString::fromLatin1(reports::kTrimErrorMessage));
    EXPECT_EQ(w.table().cell(1, 4), "Rip Cut");  // the table is there all the same
}

}  // namespace
}  // namespace veltrix::ui
