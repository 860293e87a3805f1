#include "ui/layout_settings_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "layouts/display_options.h"
#include "platform/prompt.h"
#include "base/file_ops.h"
#include "ui/help_key.h"
#include "ui/services.h"

namespace veltrix::ui {

namespace {
const char* const kCaptions[13] = {
    "Basic Details List",          "Sheet Dimensions",       "Margin Dimensions",  "Only First In Block",
    "Cut-Piece Dimensions",        "Cut-Piece Actual Dimensions", "Cut-Piece Description",
    "Print Cut-Piece Without Color", "OffCut Dimensions",    "OffCut Boundries",   "OffCut List",
    "Cut Line Dimensions",         "DXF Outline"};
}

LayoutSettingsWindow::LayoutSettingsWindow(const Services& services, QWidget* parent)
    : QDialog(parent), services_(services), width_(new QComboBox(this)) {
    setObjectName(QStringLiteral("layoutSettingsWindow"));
    setWindowTitle(QStringLiteral("Layout Settings"));
    auto* frame = new QGroupBox(QStringLiteral("Show"), this);
    auto* grid = new QGridLayout(frame);
    for (int i = 0; i < 13; ++i) {
        checks_[i] = new QCheckBox(QString::fromLatin1(kCaptions[i]), frame);
        checks_[i]->setObjectName(QStringLiteral("show") + QString::number(i));
        grid->addWidget(checks_[i], i % 7, i / 7);
    }
    width_->setObjectName(QStringLiteral("printLineWidth"));
    for (int w = 1; w <= 5; ++w) width_->addItem(QString::number(w));
    auto* apply = new QPushButton(QStringLiteral("Apply"), this);
    apply->setObjectName(QStringLiteral("applyButton"));
    connect(apply, &QPushButton::clicked, this, [this] { this->apply(); });
    auto* widthRow = new QHBoxLayout;
    widthRow->addWidget(new QLabel(QStringLiteral("Line Width for Printing"), this));
    widthRow->addWidget(width_);
    widthRow->addStretch(1);
    widthRow->addWidget(apply);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(frame);
    layout->addLayout(widthRow);

    addHelpKey(*this, services);

    if (fileExists(services.file(layouts::kDisplayOptionsFile))) {
        const layouts::DisplayOptions options = layouts::readDisplayOptions(services.workspace);
        for (int i = 0; i < 13; ++i) checks_[i]->setChecked(options.flags[static_cast<std::size_t>(i)]);
        const int index = width_->findText(QString::number(options.printLineWidth));
        width_->setCurrentIndex(index);
    } else {
        width_->setCurrentIndex(-1);
    }
}

void LayoutSettingsWindow::apply() {
    layouts::DisplayOptions options;
    for (int i = 0; i < 13; ++i) options.flags[static_cast<std::size_t>(i)] = checks_[i]->isChecked();
    // Nothing chosen counts as the thinnest pen the selector offers.
    options.printLineWidth = width_->currentIndex() >= 0 ? width_->currentText().toInt() : 1;
    try {
        layouts::writeDisplayOptions(services_.workspace, options);
    } catch (const std::exception& e) {
        services_.prompt.tell(e.what(), kAttention, Icon::Exclamation);
        return;
    }
    accept();
}

}  // namespace veltrix::ui
