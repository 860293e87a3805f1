#include "ui/labels_windows.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/base_module.h"
#include "app/job_commands.h"
#include "app/label_printing.h"
#include "app/layout_viewer.h"
#include "platform/prompt.h"
#include "platform/shell.h"
#include "base/error.h"
#include "ui/grid_window.h"
#include "ui/help_key.h"
#include "ui/services.h"

namespace veltrix::ui {

namespace {

// The definition is one row: typing never adds a second.
class LabelSheetGrid : public GridWindow {
public:
    using GridWindow::GridWindow;

protected:
    bool keepsBlankRow() const override { return false; }
};

// Text lines of a label as the definition shows them (the size takes two with edge banding, one
// is drawn here).
int shownLines(const layouts::LabelSheet& s) {
    int n = 0;
    for (bool on : {s.showClient, s.showMaterial, s.showGrain, s.showThickness, s.showSize, s.showQuantity,
                    s.showDescription, s.showProduct})
        n += on ? 1 : 0;
    return n;
}

}  // namespace

LabelSheetPicture::LabelSheetPicture(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("pagePicture"));
    setMinimumSize(150, 212);
    setToolTip(QStringLiteral("One page of labels"));
}

void LabelSheetPicture::setSheet(const std::optional<layouts::LabelSheet>& sheet) {
    sheet_ = sheet;
    update();
}

void LabelSheetPicture::setCodes(bool on) {
    codes_ = on;
    update();
}

void LabelSheetPicture::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().window());
    // A portrait page (210 x 297) as large as the picture allows.
    const double scale = std::min(width() / 210.0, height() / 297.0);
    const QRectF page((width() - 210 * scale) / 2, (height() - 297 * scale) / 2, 210 * scale, 297 * scale);
    p.fillRect(page, Qt::white);
    p.setPen(Qt::gray);
    p.drawRect(page.adjusted(0, 0, -1, -1));
    if (!sheet_) return;
    // Past a few dozen labels a side the boxes would be thinner than a line: draw that many.
    const int rows = std::min(sheet_->rows, 40);
    const int columns = std::min(sheet_->columns, 40);
    const QRectF area = page.adjusted(page.width() * 0.04, page.height() * 0.03, -page.width() * 0.04, -page.height() * 0.03);
    const double w = area.width() / columns, h = area.height() / rows;
    const int lines = shownLines(*sheet_);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < columns; ++c) {
            const QRectF cell(area.left() + c * w, area.top() + r * h, w, h);
            const QRectF label = cell.adjusted(w * 0.05, h * 0.05, -w * 0.05, -h * 0.05);
            p.setPen(QColor(90, 90, 90));
            p.setBrush(Qt::NoBrush);
            p.drawRect(label);
            double textWidth = label.width() * 0.8;
            if (sheet_->showLogo) {
                const double side = std::min(label.width() * 0.25, label.height() * 0.4);
                p.fillRect(QRectF(label.right() - side - label.width() * 0.04, label.top() + label.height() * 0.08, side, side),
                           QColor(160, 180, 220));
                textWidth = label.width() * 0.6;
            }
            if (codes_) {
                // A barcode across the foot of the label and a QR code above its right end.
                const double foot = label.height() * 0.18;
                const QRectF bars(label.left() + label.width() * 0.06, label.bottom() - foot - label.height() * 0.04,
                                  label.width() * 0.88, foot);
                for (int i = 0; i < 12; ++i)
                    p.fillRect(
                        QRectF(bars.left() + bars.width() * i / 12.0, bars.top(), bars.width() / 24.0, bars.height()),
                        Qt::black);
                const double side = std::min(label.width() * 0.22, label.height() * 0.3);
                p.fillRect(QRectF(bars.right() - side, bars.top() - side - label.height() * 0.03, side, side),
                           QColor(40, 40, 40));
            }
            if (lines == 0) continue;
            const double step = label.height() * (codes_ ? 0.5 : 0.84) / lines;
            const double bar = std::max(0.5, step * (sheet_->biggerFont ? 0.55 : 0.45));
            for (int i = 0; i < lines; ++i)
                p.fillRect(QRectF(label.left() + label.width() * 0.06, label.top() + label.height() * 0.08 + i * step,
                                  textWidth, bar),
                           QColor(110, 110, 110));
        }
    }
}

LabelSheetWindow::LabelSheetWindow(const Services& services, QWidget* parent)
    : QDialog(parent),
      services_(services),
      picture_(new LabelSheetPicture(this)),
      barcodes_(new QCheckBox(QStringLiteral("Barcode and QR code on each label"), this)),
      problem_(new QLabel(this)) {
    setObjectName(QStringLiteral("labelSheetWindow"));
    setWindowTitle(QStringLiteral("Define Labels "));
    auto table = std::make_unique<GridTable>(labelSheetKeys());
    table->setBoundFile(services.file(layouts::kLabelDefinitionFile));
    try {
        table->load();
    } catch (const std::exception& e) {
        services.prompt.tell(e.what(), kAttention, Icon::Exclamation);
    }
    // The label sheet is the file's first record.
    table->setRowCount(2);
    table->renumber();
    grid_ = new LabelSheetGrid(std::move(table), services, nullptr, this);
    grid_->setObjectName(QStringLiteral("definition"));
    grid_->setWindowTitle(windowTitle());
    grid_->toolBar()->hide();  // one row: nothing to sort or paste
    barcodes_->setObjectName(QStringLiteral("barcodes"));
    barcodes_->setToolTip(QStringLiteral("A Code 128 barcode and a QR code of the part: job, layout, piece number "
                                         "and size, for the shop's scanners"));
    try {
        barcodes_->setChecked(layouts::readLabelCodesSwitch(services.workspace));
    } catch (const std::exception& e) {
        services.prompt.tell(e.what(), kAttention, Icon::Exclamation);
    }
    connect(barcodes_, &QCheckBox::toggled, picture_, &LabelSheetPicture::setCodes);
    picture_->setCodes(barcodes_->isChecked());
    problem_->setObjectName(QStringLiteral("problem"));
    problem_->setWordWrap(true);
    problem_->setStyleSheet(QStringLiteral("color: #a00000;"));
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    addHelpKey(*this, services);
    connect(grid_, &GridWindow::cellsChanged, this, [this] { refresh(); });

    auto* left = new QVBoxLayout;
    left->addWidget(grid_, 1);
    left->addWidget(barcodes_);
    left->addWidget(problem_);
    left->addWidget(close, 0, Qt::AlignRight);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addWidget(picture_);
    grid_->reload();
    refresh();
    resize(960, 300);
}

LabelSheetWindow::~LabelSheetWindow() = default;

GridTable& LabelSheetWindow::table() { return grid_->table(); }

QString LabelSheetWindow::problem() const { return problem_->text(); }

void LabelSheetWindow::refresh() {
    const GridTable& t = grid_->table();
    if (t.rowEmpty(1)) {
        picture_->setSheet(std::nullopt);
        problem_->setText(QStringLiteral("Type the label rows and columns per page (ROWS, COLS) to print labels."));
        return;
    }
    try {
        picture_->setSheet(layouts::parseLabelSheet(t.saveText()));
        problem_->clear();
    } catch (const std::exception& e) {
        picture_->setSheet(std::nullopt);
        problem_->setText(QString::fromStdString(e.what()));
    }
}

void LabelSheetWindow::done(int result) {
    if (!saved_) {
        saved_ = true;
        try {
            grid_->table().save();
        } catch (const std::exception& e) {
            services_.prompt.tell(e.what(), kAttention, Icon::Exclamation);
        }
        try {
            layouts::writeLabelCodesSwitch(services_.workspace, barcodes_->isChecked());
        } catch (const std::exception& e) {
            services_.prompt.tell(e.what(), kAttention, Icon::Exclamation);
        }
    }
    QDialog::done(result);
}


LabelRangeWindow::LabelRangeWindow(int count, int current, QWidget* parent)
    : QDialog(parent),
      from_(new QComboBox(this)),
      to_(new QComboBox(this)),
      ok_(new QPushButton(QStringLiteral("OK"), this)),
      cancel_(new QPushButton(QStringLiteral("Cancel"), this)) {
    setObjectName(QStringLiteral("labelRangeWindow"));
    setWindowTitle(QStringLiteral("Label Printing"));
    from_->setObjectName(QStringLiteral("fromLayout"));
    to_->setObjectName(QStringLiteral("toLayout"));
    for (int n = 1; n <= count; ++n) {
        from_->addItem(QString::number(n));
        to_->addItem(QString::number(n));
    }
    const int preset = std::clamp(current, 1, std::max(1, count)) - 1;
    from_->setCurrentIndex(preset);
    to_->setCurrentIndex(preset);
    ok_->setObjectName(QStringLiteral("okButton"));
    ok_->setDefault(true);
    cancel_->setObjectName(QStringLiteral("cancelButton"));
    connect(from_, &QComboBox::currentIndexChanged, this, [this] { follow(); });
    connect(to_, &QComboBox::currentIndexChanged, this, [this] { follow(); });
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    // Cancel and Esc: nothing is printed.
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("From Layout"), this), 0, 0);
    grid->addWidget(from_, 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("To Layout"), this), 1, 0);
    grid->addWidget(to_, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok_);
    buttons->addWidget(cancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    follow();
}

int LabelRangeWindow::fromLayout() const { return from_->currentIndex() + 1; }
int LabelRangeWindow::toLayout() const { return to_->currentIndex() + 1; }

void LabelRangeWindow::follow() {
    ok_->setEnabled(from_->count() > 0 && labelRangeValid(fromLayout(), toLayout()));
}

std::optional<std::pair<int, int>> chooseLabelRange(int count, int current, QWidget* parent) {
    LabelRangeWindow window(count, current, parent);
    if (window.exec() != QDialog::Accepted) return std::nullopt;
    return std::make_pair(window.fromLayout(), window.toLayout());
}

void printLabelsOfViewer(const LayoutViewer& viewer, const Services& services, QWidget* parent) {
    const auto range = chooseLabelRange(viewer.layoutCount(), viewer.current(), parent);
    if (!range) return;
    std::filesystem::path page;
    try {
        page = writeJobLabels(viewer.module().document(), services.workspace, range->first, range->second, {});
    } catch (const std::exception& e) {
        services.prompt.tell(e.what(), kAttention, Icon::Exclamation);
        return;
    }
    showLabelPage(page, services.prompt, services.shell);
}

}  // namespace veltrix::ui
