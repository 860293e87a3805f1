#include "ui/saw_instructions_window.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

#include "engine/loaded_result.h"
#include "keys/key_sender.h"
#include "platform/event_pump.h"
#include "platform/prompt.h"
#include "base/error.h"
#include "ui/services.h"

namespace veltrix::ui {

namespace {

std::unique_ptr<GridTable> instructionTable(const reports::SawInstructions& saw) {
    return std::make_unique<GridTable>(reports::controllerGrid(saw));
}

QString text(const std::string& s) { return QString::fromStdString(s); }

}  // namespace

SawInstructionsWindow::SawInstructionsWindow(const engine::LoadedResult& result, int layout, const Services& services,
                                             SenderFactory openSender, QWidget* parent)
    : SawInstructionsWindow(reports::buildSawInstructions(result, layout), services, std::move(openSender), parent) {}

SawInstructionsWindow::SawInstructionsWindow(reports::SawInstructions saw, const Services& services,
                                             SenderFactory openSender, QWidget* parent)
    : GridWindow(instructionTable(saw), services, nullptr, parent),
      saw_(std::move(saw)),
      openSender_(openSender ? std::move(openSender) : SenderFactory(&keys::openDesktopKeySender)) {
    setObjectName(QStringLiteral("frmcontroller"));
    setWindowTitle(QString::fromLatin1(reports::kSawInstructionsCaption));
    // The table is read, printed and copied, never edited.
    for (const char* name : {"SortAscending", "SortDescending", "Paste"})
        if (QAction* a = toolBar()->findChild<QAction*>(QString::fromLatin1(name))) a->setVisible(false);

    // The sheet labels above the table.
    auto* sheet = new QGroupBox(tr("Sheet"), this);
    auto* grid = new QGridLayout(sheet);
    const auto addLabel = [&](int row, int column, const QString& caption, const char* name, const std::string& value) {
        grid->addWidget(new QLabel(caption, sheet), row, column * 2);
        auto* label = new QLabel(text(value), sheet);
        label->setObjectName(QString::fromLatin1(name));
        label->setFrameShape(QFrame::Panel);
        label->setFrameShadow(QFrame::Sunken);
        label->setMinimumWidth(80);
        grid->addWidget(label, row, column * 2 + 1);
    };
    addLabel(0, 0, tr("Length"), "lbllength", saw_.length);
    addLabel(0, 1, tr("Width"), "lblwidth", saw_.width);
    addLabel(0, 2, tr("Thickness"), "lblthickness", saw_.thickness);
    addLabel(1, 0, tr("No. of sheets"), "lblnos", saw_.sheets);
    addLabel(1, 1, tr("Trim"), "lbltrim", saw_.trim);
    addLabel(1, 2, tr("Trim Z/W"), "lbltrimzw", saw_.trimZW);
    addLabel(2, 0, tr("Rest"), "lblrest", saw_.rest);
    addLabel(2, 1, tr("Material"), "lblmaterial", saw_.material);
    addLabel(2, 2, tr("Description"), "lbldescription", {});
    auto* caption = new QLabel(tr("Layout No. %1").arg(saw_.layout), this);
    caption->setObjectName(QStringLiteral("Label1"));
    layout()->insertWidget(1, caption);
    layout()->insertWidget(2, sheet);

    // The problems found, then the transfer button.
    if (!saw_.messages.empty()) {
        QStringList lines;
        for (const std::string& message : saw_.messages) lines << text(message);
        auto* problems = new QLabel(lines.join(QLatin1Char('\n')), this);
        problems->setObjectName(QStringLiteral("lblmessage"));
        problems->setWordWrap(true);
        problems->setStyleSheet(QStringLiteral("color: #a00000"));
        layout()->insertWidget(3, problems);
    }
    cmd_ = new QPushButton(tr("Transfer to NPS400 Control"), this);
    cmd_->setObjectName(QStringLiteral("cmd"));
    cmd_->setEnabled(saw_.transferEnabled);
    connect(cmd_, &QPushButton::clicked, this, [this] { transfer(); });
    layout()->addWidget(cmd_);
    reload();
    applyColumns();

    // controller.tlf: the table as the controller window's grid file.
    table().setBoundFile(services.file(reports::kControllerFile));
    try {
        table().save();
    } catch (const FileError& e) {
        services.prompt.tell(e.what(), kAttention, Icon::Exclamation);
    }
    for (const std::string& message : saw_.messages) services.prompt.tell(message, kAttention, Icon::Exclamation);
}

SawInstructionsWindow::~SawInstructionsWindow() = default;

void SawInstructionsWindow::transfer() {
    if (transferring_ || !saw_.transferEnabled) return;
    transferring_ = true;
    cmd_->setEnabled(false);
    const std::optional<std::string> problem =
        transferSawInstructions(saw_, openSender_, {waits_, [this] { services().events.processEvents(); }});
    transferring_ = false;
    cmd_->setEnabled(saw_.transferEnabled);
    if (problem) services().prompt.tell(*problem, kAttention, Icon::Exclamation);
}

void SawInstructionsWindow::closeEvent(QCloseEvent* event) {
    // The keys of a transfer still under way come from this window's instructions.
    if (transferring_) {
        event->ignore();
        return;
    }
    GridWindow::closeEvent(event);
}

}  // namespace veltrix::ui
