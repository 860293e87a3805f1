#include "ui/library_windows.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/library_commands.h"
#include "job/settings.h"
#include "libraries/load_products.h"
#include "libraries/material_library.h"
#include "libraries/product_library.h"
#include "platform/prompt.h"
#include "base/file_ops.h"
#include "base/number_text.h"
#include "ui/grid_window.h"
#include "ui/help_key.h"
#include "ui/services.h"

namespace veltrix::ui {

namespace {

// The material library's printout adds each row's weight or area, as the report option says.
class MaterialLibraryGrid : public GridWindow {
public:
    using GridWindow::GridWindow;

protected:
    std::string printExtraHeading() const override {
        return toUpper(reportHeading(reportOption(services().workspace)));
    }
    std::string printExtraText(int row) const override {
        const Workspace& ws = services().workspace;
        const GridTable& t = table();
        return weightOrAreaText(reportOption(ws), densityOf(ws, t.cell(row, kStockMat + 1)),
                                leadingFloat(t.cell(row, kStockThick + 1)), leadingFloat(t.cell(row, kStockLength + 1)),
                                leadingFloat(t.cell(row, kStockWidth + 1)), leadingFloat(t.cell(row, kStockQty + 1)));
    }
};

}  // namespace

LibraryWindow::LibraryWindow(const Services& services, QWidget* parent)
    : QDialog(parent), services_(services), update_(new QPushButton(QStringLiteral("Update"), this)) {
    update_->setObjectName(QStringLiteral("updateButton"));
    update_->setAutoDefault(false);
    connect(update_, &QPushButton::clicked, this, [this] { update(); });
    addHelpKey(*this, services);
}

LibraryWindow::~LibraryWindow() = default;

GridTable& LibraryWindow::table() { return grid_->table(); }

void LibraryWindow::setGrid(GridWindow* grid) {
    grid_ = grid;
    grid_->setObjectName(QStringLiteral("library"));
    grid_->setWindowTitle(windowTitle());  // the caption of the printout
    grid_->reload();
    opened_ = grid_->table().saveText();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addWidget(update_, 0, Qt::AlignRight);
}

bool LibraryWindow::edited() const { return grid_ && grid_->table().saveText() != opened_; }

bool LibraryWindow::askAndStore() {
    // Nothing typed, pasted or sorted: nothing to ask about, nothing to store.
    if (!edited()) return true;
    const Answer a = services_.prompt.ask(
        Message{"Save Changes?", kAttention, Icon::Question, Buttons::YesNoCancel, Answer::Yes});
    if (a == Answer::Cancel) return false;
    if (a == Answer::No) return true;
    grid_->setCurrentCell(1, 1);
    try {
        store();
    } catch (const std::exception& e) {
        // The library stays as it was; the edits stay in the window to be stored again.
        services_.prompt.tell(e.what(), kAttention, Icon::Exclamation);
        return false;
    }
    return true;
}

void LibraryWindow::update() {
    if (!askAndStore()) return;
    closing_ = true;
    accept();
}

void LibraryWindow::reject() {
    if (closing_) {
        QDialog::reject();
        return;
    }
    if (!askAndStore()) return;
    closing_ = true;
    QDialog::reject();
}

void LibraryWindow::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    event->ignore();
    reject();
}


MaterialLibraryWindow::MaterialLibraryWindow(const Services& services, bool* changed, QWidget* parent)
    : LibraryWindow(services, parent) {
    setObjectName(QStringLiteral("materialLibraryWindow"));
    setWindowTitle(QStringLiteral("Material Library Manager"));
    // Filled from mlm.dat of the library folder, bound to the working copy mlm.tlf.
    setGrid(new MaterialLibraryGrid(std::make_unique<GridTable>(loadMaterialLibraryGrid(services.workspace)),
                                    services, changed, this));
    resize(720, 520);
}

void MaterialLibraryWindow::store() { saveMaterialLibrary(services().workspace, table()); }

ProductLibraryWindow::ProductLibraryWindow(const Services& services, QWidget* parent) : LibraryWindow(services, parent) {
    setObjectName(QStringLiteral("productLibraryWindow"));
    setWindowTitle(QStringLiteral("Product Library Manager"));
    // Filled from plm.dat of the library folder, bound to the working copy plm.tlf; the edge
    // banding is hidden (and kept) unless the report option shows it.
    setGrid(new GridWindow(std::make_unique<GridTable>(
                               loadProductLibraryGrid(services.workspace, reportOption(services.workspace))),
                           services, nullptr, this));
    resize(980, 560);
}

void ProductLibraryWindow::store() { saveProductLibrary(services().workspace, table()); }

LoadProductsWindow::LoadProductsWindow(const Services& services, QWidget* parent)
    : QDialog(parent),
      services_(services),
      prefix_(new QLineEdit(this)),
      extension_(new QComboBox(this)),
      label_(new QLabel(QStringLiteral("Make '.opt' files"), this)),
      generate_(new QPushButton(QStringLiteral("Generate"), this)) {
    setObjectName(QStringLiteral("loadProductsWindow"));
    setWindowTitle(QStringLiteral("Load Products"));
    // Every opening starts with an empty order.
    const auto orderFile = services.file(kOrderFile);
    deleteFile(orderFile);
    auto table = std::make_unique<GridTable>(orderKeys());
    table->setBoundFile(orderFile);
    grid_ = new GridWindow(std::move(table), services, nullptr, this);
    grid_->setObjectName(QStringLiteral("order"));
    grid_->setWindowTitle(windowTitle());
    grid_->reload();

    prefix_->setObjectName(QStringLiteral("filePrefix"));
    prefix_->setToolTip(QStringLiteral("File(s) Suffix"));
    extension_->setObjectName(QStringLiteral("fileExtension"));
    extension_->addItems({QStringLiteral(".OPT"), QStringLiteral(".DCM")});
    extension_->setCurrentIndex(0);
    label_->setObjectName(QStringLiteral("extensionNote"));
    generate_->setObjectName(QStringLiteral("generateButton"));
    generate_->setToolTip(QStringLiteral("Generate the project files of the order"));
    generate_->setAutoDefault(false);
    connect(generate_, &QPushButton::clicked, this, [this] { generate(); });
    addHelpKey(*this, services);

    auto* files = new QHBoxLayout;
    files->addWidget(new QLabel(QStringLiteral("File(s) Suffix"), this));
    files->addWidget(prefix_, 1);
    files->addWidget(label_);
    files->addWidget(extension_);
    files->addStretch(1);
    files->addWidget(generate_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addLayout(files);
    resize(620, 440);
}

LoadProductsWindow::~LoadProductsWindow() = default;

void LoadProductsWindow::generate() {
    if (generateFromOrder(services_.workspace, grid_->table(), prefix_->text().toStdString(),
                          extension_->currentText().toStdString(), services_.prompt))
        accept();
}

void LoadProductsWindow::done(int result) {
    // The order lives only while the window is open.
    deleteFile(services_.file(kOrderFile));
    QDialog::done(result);
}


}  // namespace veltrix::ui
