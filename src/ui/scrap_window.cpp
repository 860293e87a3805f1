#include "ui/scrap_window.h"

#include <QLabel>
#include <QPushButton>
#include <QToolBar>
#include <QVBoxLayout>

#include "platform/prompt.h"
#include "reports/offcuts.h"
#include "base/number_text.h"
#include "ui/grid_model.h"
#include "ui/grid_window.h"
#include "ui/help_key.h"
#include "ui/services.h"

namespace veltrix::ui {

namespace {

// The one row of the criteria grid.
class CriteriaGrid : public GridWindow {
public:
    using GridWindow::GridWindow;

protected:
    bool keepsBlankRow() const override { return false; }
};

}  // namespace

std::string scrapExplanation(const GridTable& criteria) {
    return "Offcut having one dimension <= " + generalText(leadingFloat(criteria.cell(1, 1))) + " " +
           criteria.cell(1, 2) + " other dimension <= " + generalText(leadingFloat(criteria.cell(1, 3))) +
           " will be treated as SCRAP";
}

ScrapWindow::ScrapWindow(const Services& services, QWidget* parent)
    : QDialog(parent), services_(services), table_({"DIM-1", "CRITERIA", "DIM-2"}), explanation_(new QLabel(this)) {
    setObjectName(QStringLiteral("scrapWindow"));
    setWindowTitle(QStringLiteral("Scrap Criteria"));
    table_.setBoundFile(services.file(reports::kScrapFile));
    table_.load();
    table_.setRowCount(2);  // one row of criteria
    table_.renumber();
    grid_ = new CriteriaGrid(table_, services, nullptr, this);
    grid_->toolBar()->hide();
    grid_->setWindowTitle(windowTitle());
    explanation_->setObjectName(QStringLiteral("explanation"));
    explanation_->setWordWrap(true);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    close->setObjectName(QStringLiteral("closeButton"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    addHelpKey(*this, services);
    connect(grid_, &GridWindow::cellsChanged, this, [this] { refresh(); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addWidget(explanation_);
    layout->addWidget(close, 0, Qt::AlignRight);
    refresh();
    grid_->reload();
    resize(420, 220);
}

ScrapWindow::~ScrapWindow() = default;

QString ScrapWindow::explanation() const { return explanation_->text(); }

void ScrapWindow::refresh() {
    // An empty rule reads as "OR".
    if (table_.cell(1, 2).empty()) {
        table_.setCell(1, 2, "OR");
        grid_->model()->refresh();
    }
    explanation_->setText(QString::fromStdString(scrapExplanation(table_)));
}

void ScrapWindow::done(int result) {
    if (!saved_) {
        saved_ = true;
        try {
            table_.save();
        } catch (const std::exception& e) {
            services_.prompt.tell(e.what(), kAttention, Icon::Exclamation);
        }
    }
    QDialog::done(result);
}

}  // namespace veltrix::ui
