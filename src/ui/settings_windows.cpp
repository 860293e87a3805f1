#include "ui/settings_windows.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QVBoxLayout>

#include "job/settings.h"
#include "platform/prompt.h"
#include "base/file_ops.h"
#include "ui/density_window.h"
#include "ui/help_key.h"
#include "ui/labels_windows.h"
#include "ui/scrap_window.h"
#include "ui/services.h"

namespace veltrix::ui {

namespace {

const char* const kOptionTexts[4] = {kOptionWeight, kOptionArea, kOptionAreaBanding, "None"};

QString efficiencyCaption(int value) {
    return QStringLiteral("Nesting Efficiency (") + QString::number(value) + QStringLiteral("%)");
}

}  // namespace

MiscWindow::MiscWindow(const Services& services, QWidget* parent)
    : QDialog(parent),
      services_(services),
      netPath_(new QLineEdit(this)),
      increment_(new QLineEdit(this)),
      efficiency_(new QSlider(Qt::Horizontal, this)),
      efficiencyFrame_(new QGroupBox(QStringLiteral("Nesting Efficiency"), this)),
      options_(new QButtonGroup(this)) {
    setObjectName(QStringLiteral("miscWindow"));
    setWindowTitle(QStringLiteral("Misc"));
    netPath_->setObjectName(QStringLiteral("libraryFolder"));
    increment_->setObjectName(QStringLiteral("bandingIncrement"));
    efficiency_->setObjectName(QStringLiteral("efficiency"));
    efficiency_->setRange(1, 100);
    efficiency_->setSingleStep(1);
    efficiency_->setPageStep(10);
    efficiency_->setTickPosition(QSlider::TicksBelow);
    efficiency_->setTickInterval(10);

    auto* layout = new QVBoxLayout(this);
    // The group box shows "&&" as a single ampersand.
    auto* pathFrame = new QGroupBox(QStringLiteral("MLM && PLM Path (UNC format)"), this);
    (new QVBoxLayout(pathFrame))->addWidget(netPath_);
    layout->addWidget(pathFrame);
    auto* incrementFrame = new QGroupBox(QStringLiteral("Edge Banding Length Increament"), this);
    (new QVBoxLayout(incrementFrame))->addWidget(increment_);
    layout->addWidget(incrementFrame);
    (new QVBoxLayout(efficiencyFrame_))->addWidget(efficiency_);
    layout->addWidget(efficiencyFrame_);
    auto* optionFrame = new QGroupBox(QStringLiteral("In Reports Show"), this);
    auto* optionLayout = new QVBoxLayout(optionFrame);
    for (int i = 0; i < 4; ++i) {
        auto* b = new QRadioButton(QString::fromLatin1(kOptionTexts[i]), optionFrame);
        b->setObjectName(QStringLiteral("reportOption") + QString::number(i));
        options_->addButton(b, i);
        optionLayout->addWidget(b);
    }
    layout->addWidget(optionFrame);
    auto* apply = new QPushButton(QStringLiteral("Apply"), this);
    apply->setObjectName(QStringLiteral("applyButton"));
    layout->addWidget(apply);
    connect(apply, &QPushButton::clicked, this, &QDialog::accept);
    addHelpKey(*this, services);
    connect(efficiency_, &QSlider::valueChanged, this,
            [this](int v) { efficiencyFrame_->setTitle(efficiencyCaption(v)); });

    const Workspace& ws = services.workspace;
    if (fileExists(ws.file(kNetPathFile))) netPath_->setText(QString::fromStdString(readLibraryFolder(ws)));
    const MiscSettings misc = readMiscSettings(ws);
    // Without misc.set the window shows "None" (readers elsewhere take "Area").
    for (int i = 0; i < 4; ++i) {
        const std::string text = i == 3 ? std::string() : std::string(kOptionTexts[i]);
        if (misc.reportOption == text) options_->button(i)->setChecked(true);
    }
    increment_->setText(QString::fromStdString(misc.incrementText));
    efficiency_->setValue(misc.efficiency);
    efficiencyFrame_->setTitle(efficiencyCaption(efficiency_->value()));
}

QRadioButton* MiscWindow::option(int index) const { return static_cast<QRadioButton*>(options_->button(index)); }

void MiscWindow::save() {
    const int checked = options_->checkedId();
    const std::string option = (checked >= 0 && checked < 3) ? kOptionTexts[checked] : "";
    try {
        writeLibraryFolder(services_.workspace, netPath_->text().trimmed().toStdString());
        writeMiscSettings(services_.workspace, option, increment_->text().toStdString(), efficiency_->value());
    } catch (const std::exception& e) {
        services_.prompt.tell(e.what(), kAttention, Icon::Exclamation);
    }
}

std::optional<std::string> MiscWindow::problem() const {
    return settingsNumberProblem("Edge-banding increment", increment_->text().toStdString());
}

void MiscWindow::done(int result) {
    // Closing the window in any way stores the settings; a field that holds no number is named
    // and the window stays open for it to be corrected (nothing is stored meanwhile).
    if (!saved_) {
        if (const auto wrong = problem()) {
            services_.prompt.tell(*wrong, kAttention, Icon::Exclamation);
            increment_->setFocus();
            increment_->selectAll();
            return;
        }
        saved_ = true;
        save();
    }
    QDialog::done(result);
}


ConfigureWindow::ConfigureWindow(const Services& services, bool* changed, QWidget* parent)
    : QDialog(parent), services_(services), changed_(changed) {
    setObjectName(QStringLiteral("configureWindow"));
    setWindowTitle(QStringLiteral("Configure"));
    auto* layout = new QVBoxLayout(this);
    auto add = [&](const QString& text, const QString& name, auto action) {
        auto* b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setMinimumWidth(180);
        layout->addWidget(b);
        connect(b, &QPushButton::clicked, this, action);
    };
    add(QStringLiteral("Density Table"), QStringLiteral("densityTableButton"), [this] {
        DensityWindow w(services_, changed_, this);
        w.exec();
    });
    add(QStringLiteral("Scrap Criteria"), QStringLiteral("scrapCriteriaButton"), [this] {
        ScrapWindow w(services_, this);
        w.exec();
    });
    add(QStringLiteral("Labels"), QStringLiteral("labelSheetButton"), [this] {
        LabelSheetWindow w(services_, this);
        w.exec();
    });
    add(QStringLiteral("Misc"), QStringLiteral("miscButton"), [this] {
        MiscWindow w(services_, this);
        w.exec();
    });
    add(QStringLiteral("Close"), QStringLiteral("closeButton"), [this] { accept(); });
    addHelpKey(*this, services);
}


}  // namespace veltrix::ui
