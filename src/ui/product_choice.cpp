#include "ui/product_choice.h"

#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "libraries/product_library.h"
#include "ui/help_key.h"

namespace veltrix::ui {

ProductChoiceWindow::ProductChoiceWindow(const Services& services, QWidget* parent)
    : QDialog(parent), list_(new QListWidget(this)), select_(new QPushButton(this)) {
    setObjectName(QStringLiteral("productChoiceWindow"));
    setWindowTitle(QStringLiteral("Product Choice"));
    list_->setObjectName(QStringLiteral("products"));
    for (const std::string& name : readProductList(services.workspace)) list_->addItem(QString::fromStdString(name));
    if (list_->count() > 0) list_->setCurrentRow(0);
    select_->setObjectName(QStringLiteral("selectButton"));
    select_->setText(QStringLiteral("Select"));
    select_->setDefault(true);
    select_->setEnabled(list_->currentItem() != nullptr);
    connect(list_, &QListWidget::currentItemChanged, this,
            [this](QListWidgetItem* current) { select_->setEnabled(current != nullptr); });
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { select(); });
    connect(select_, &QPushButton::clicked, this, [this] { select(); });
    // Esc closes without choosing (the dialog's own reject); Enter presses "Select".
    addHelpKey(*this, services);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_, 1);
    layout->addWidget(select_);
    resize(260, 320);
}

void ProductChoiceWindow::select() {
    const QListWidgetItem* item = list_->currentItem();
    if (!item) return;
    chosen_ = item->text().toStdString();
    accept();
}


std::optional<std::string> chooseProduct(const Services& services, QWidget* parent) {
    ProductChoiceWindow window(services, parent);
    if (window.exec() != QDialog::Accepted || window.chosen().empty()) return std::nullopt;
    return window.chosen();
}

}  // namespace veltrix::ui
