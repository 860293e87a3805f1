#include "ui/density_window.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "job/settings.h"
#include "platform/prompt.h"
#include "ui/grid_window.h"
#include "ui/help_key.h"
#include "ui/services.h"

namespace veltrix::ui {

DensityWindow::DensityWindow(const Services& services, bool* changed, QWidget* parent)
    : QDialog(parent), services_(services), table_({"MAT", "DENSITY"}) {
    setObjectName(QStringLiteral("densityWindow"));
    setWindowTitle(QStringLiteral("Density Table"));
    table_.setBoundFile(services.file(kDensityFile));
    table_.load();
    // Edits and sorts go to a working copy until "Update" stores them.
    table_.setBoundFile(services.file("density.tlf"));
    grid_ = new GridWindow(table_, services, changed, this);
    grid_->setWindowTitle(windowTitle());
    grid_->reload();
    auto* update = new QPushButton(QStringLiteral("Update"), this);
    update->setObjectName(QStringLiteral("updateButton"));
    connect(update, &QPushButton::clicked, this, [this] { this->update(); });
    addHelpKey(*this, services);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addWidget(update, 0, Qt::AlignRight);
    resize(480, 420);
}

DensityWindow::~DensityWindow() = default;

bool DensityWindow::askAndStore() {
    const Answer a = services_.prompt.ask(
        Message{"Save Changes?", kAttention, Icon::Question, Buttons::YesNoCancel, Answer::Yes});
    if (a == Answer::Cancel) return false;
    if (a == Answer::No) return true;
    table_.setBoundFile(services_.file(kDensityFile));
    grid_->setCurrentCell(1, 1);
    try {
        table_.sort(1, SortDirection::Ascending);  // writes density.dat
    } catch (const std::exception& e) {
        services_.prompt.tell(e.what(), kAttention, Icon::Exclamation);
        table_.setBoundFile(services_.file("density.tlf"));
        return false;
    }
    return true;
}

void DensityWindow::update() {
    if (!askAndStore()) return;
    closing_ = true;
    accept();
}

void DensityWindow::reject() {
    // Esc and the title bar's close button ask like "Update", so edits are never lost unasked.
    if (closing_) {
        QDialog::reject();
        return;
    }
    if (!askAndStore()) return;
    closing_ = true;
    QDialog::reject();
}

void DensityWindow::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    event->ignore();
    reject();
}

}  // namespace veltrix::ui
