#include "ui/job_windows.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/base_module.h"
#include "app/cell_choice.h"
#include "app/library_commands.h"
#include "job/job_tables.h"
#include "job/settings.h"
#include "platform/prompt.h"
#include "base/file_ops.h"
#include "base/number_text.h"
#include "ui/grid_model.h"
#include "ui/library_windows.h"
#include "ui/previews.h"
#include "ui/product_choice.h"
#include "ui/services.h"

namespace veltrix::ui {

namespace {

QString captionOf(JobGrid grid, StockMode mode) {
    switch (grid) {
        case JobGrid::Basic: return QStringLiteral("Basic Details");
        case JobGrid::Sheets:
            return mode == StockMode::Coil ? QStringLiteral("Coil Specifications") : QStringLiteral("Sheet Specifications");
        case JobGrid::Cuts: break;
    }
    return QStringLiteral("Cut-Piece Specifications");
}

QString nameOf(JobGrid grid) {
    switch (grid) {
        case JobGrid::Basic: return QStringLiteral("basicDetailsWindow");
        case JobGrid::Sheets: return QStringLiteral("sheetWindow");
        case JobGrid::Cuts: break;
    }
    return QStringLiteral("cutPieceWindow");
}

}  // namespace

JobGridWindow::JobGridWindow(BaseModule& module, JobGrid grid, const Services& services, QWidget* parent)
    : GridWindow(jobGrid(module, grid), services, &module.document().changed, parent), module_(module), grid_(grid) {
    setObjectName(nameOf(grid));
    setWindowTitle(captionOf(grid, module.mode()));
    setClipboardKeys(grid != JobGrid::Basic);
}

void JobGridWindow::typeCharacter(int row, int column, int character) {
    const JobEdit edit = typeIntoJobGrid(module_, grid_, row, column, character);
    if (edit.beep) QApplication::beep();
    switch (edit.action) {
        case KeyAction::OpenDxfDialog:
        case KeyAction::OpenPictureDialog: chooseForCell(module_, grid_, row, column, edit.action); break;
        case KeyAction::OpenProductChoice:
            if (const auto product = chooseProduct(services(), this)) storeChosenText(module_, grid_, row, column, *product);
            break;
        default: break;
    }
    edited();
}

void JobGridWindow::deleteKey(int row, int column) {
    deleteInJobGrid(module_, grid_, row, column);
    edited();
}

bool JobGridWindow::keyRefused(int column) { return importLockRefuses(module_, grid_, column); }

bool JobGridWindow::confirmEdit() {
    // A sort or a paste reorders or replaces the job's rows, which a stored result refers to:
    // it passes the change confirmation like a typed blank.
    return module_.confirmJobEdit(' ') != ChangeAnswer::Refuse;
}

std::string JobGridWindow::projectPath() const { return module_.projectPath(); }

BasicWindow::BasicWindow(BaseModule& module, const Services& services, QWidget* parent)
    : JobGridWindow(module, JobGrid::Basic, services, parent) {
    // The basic details have no toolbar: one row, nothing to sort or paste.
    toolBar()->hide();
    reload();
}

SheetWindow::SheetWindow(BaseModule& module, const Services& services, QWidget* parent)
    : JobGridWindow(module, JobGrid::Sheets, services, parent),
      import_(new QPushButton(QStringLiteral("Import"), this)),
      markers_(new MarginMarkers(this)) {
    import_->setObjectName(QStringLiteral("importButton"));
    import_->setToolTip(QStringLiteral("Import sizes from the material library"));
    import_->setEnabled(module.mode() == StockMode::Sheet);
    connect(import_, &QPushButton::clicked, this, [this] { importFromLibrary(); });
    auto* side = new QVBoxLayout;
    side->addWidget(markers_);
    side->addWidget(import_);
    side->addStretch(1);
    body()->addLayout(side);
    reload();
}

void SheetWindow::importFromLibrary() {
    const SheetImportResult result = importSheetsFromLibrary(module());
    if (result.outcome == SheetImportResult::Outcome::Imported) reload();
    if (result.openLibrary) {
        MaterialLibraryWindow library(services(), &module().document().changed, this);
        library.exec();
    }
}

void SheetWindow::refreshSide() {
    const GridTable& t = table();
    const int r = currentRow();
    markers_->setMargins(leadingFloat(t.cell(r, kMarginLeft)), leadingFloat(t.cell(r, kMarginTop)),
                         leadingFloat(t.cell(r, kMarginRight)), leadingFloat(t.cell(r, kMarginBottom)));
}

CutWindow::CutWindow(BaseModule& module, const Services& services, QWidget* parent)
    : JobGridWindow(module, JobGrid::Cuts, services, parent),
      total_(new QLabel(this)),
      label_(new QLabel(this)),
      dxf_(new DxfPreview(this)) {
    total_->setObjectName(QStringLiteral("totalQuantity"));
    label_->setObjectName(QStringLiteral("labelPreview"));
    label_->setFixedSize(110, 110);
    label_->setAlignment(Qt::AlignCenter);
    label_->setFrameShape(QFrame::Box);
    label_->setToolTip(QStringLiteral("Label picture"));
    dxf_->setFixedSize(110, 110);
    dxf_->setToolTip(QStringLiteral("DXF outline"));
    auto* side = new QVBoxLayout;
    side->addWidget(label_);
    side->addWidget(dxf_);
    side->addStretch(1);
    body()->addLayout(side);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(new QLabel(QStringLiteral("Total Qty of Cut-Piece(s):"), this));
    bottom->addWidget(total_);
    bottom->addStretch(1);
    layout()->addLayout(bottom);
    applyReportOption();
    reload();
}

void CutWindow::applyReportOption() {
    applyCutVisibility(table(), reportOption(services().workspace));
    applyColumns();
}

QString CutWindow::totalText() const { return total_->text(); }

void CutWindow::refreshSide() {
    GridTable& t = table();
    total_->setText(QString::fromStdString(generalText(totalQuantity(t))));
    const int r = currentRow();
    // File names are the job's: a relative one lies in the working folder, wherever the program
    // was started.
    const Workspace& ws = services().workspace;
    const auto inWorkingFolder = [&ws](const std::string& name) {
        return name.empty() ? name : ws.file(name).string();
    };
    const std::string picture = inWorkingFolder(trimBlanks(t.cell(r, kCutLabelFile)));
    if (picture != shownLabel_) {
        shownLabel_ = picture;
        QPixmap pixmap;
        if (!picture.empty() && fileExists(picture)) pixmap.load(QString::fromStdString(picture));
        if (pixmap.isNull()) {
            label_->clear();
        } else {
            label_->setPixmap(pixmap.scaled(label_->size() - QSize(4, 4), Qt::KeepAspectRatio, Qt::SmoothTransformation));
        }
    }
    dxf_->showFile(inWorkingFolder(trimBlanks(t.cell(r, kCutDxfFile))));
}

}  // namespace veltrix::ui
