#include "ui/result_windows.h"

#include <algorithm>

#include <QCloseEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPushButton>
#include <QToolBar>

#include "app/base_module.h"
#include "app/library_commands.h"
#include "job/settings.h"
#include "libraries/offcut_export.h"
#include "platform/prompt.h"
#include "reports/report_pass.h"
#include "base/file_ops.h"
#include "base/number_text.h"
#include "ui/grid_model.h"
#include "ui/grid_view.h"
#include "ui/services.h"

namespace veltrix::ui {

namespace {

bool endsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

std::unique_ptr<GridTable> loadedTable(std::vector<std::string> keys, const std::filesystem::path& file) {
    auto table = std::make_unique<GridTable>(std::move(keys));
    table->setBoundFile(file);
    table->load();
    return table;
}

std::unique_ptr<GridTable> reportTable(const std::string& report) {
    auto table = std::make_unique<GridTable>(std::vector<std::string>{"REPORT"});
    table->loadText(report);
    return table;
}

}  // namespace

bool isReportHeading(const std::string& line) {
    return line.rfind("Layout No. ", 0) == 0 || endsWith(line, " Summary") || endsWith(line, "Basic Details");
}

ReportWindow::ReportWindow(BaseModule& module, const Services& services, const std::string& report, QWidget* parent)
    : GridWindow(reportTable(report), services, nullptr, parent),
      module_(module) {
    setObjectName(QStringLiteral("reportWindow"));
    setWindowTitle(QStringLiteral("Report"));
    // The report's columns line up only in a font of fixed width.
    view()->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    hideSortAndPaste();
    model()->setHighlight([this](int row) { return highlighted(row); });
    reload();
    applyColumns();
    // The one column is as wide as the report's longest line, so that no line is cut short.
    int widest = 0;
    for (int r = 1; r < table().rowCount(); ++r)
        widest = std::max(widest, view()->fontMetrics().horizontalAdvance(QString::fromStdString(table().cell(r, 1))));
    view()->setColumnWidth(0, widest + 16);
}

ReportWindow::~ReportWindow() = default;

bool ReportWindow::highlighted(int row) const {
    return isReportHeading(table().cell(row, 1));
}

std::string ReportWindow::projectPath() const { return module_.projectPath(); }

OffcutWindow::OffcutWindow(BaseModule& module, const Services& services, QWidget* parent)
    : GridWindow(loadedTable(offcutKeys(), services.file(kOffcutFile)), services, &module.document().changed, parent),
      module_(module),
      export_(new QPushButton(QStringLiteral("Export"), this)) {
    setObjectName(QStringLiteral("offcutWindow"));
    setWindowTitle(QStringLiteral("Off-Cut Table"));
    hideSortAndPaste();
    export_->setObjectName(QStringLiteral("exportButton"));
    export_->setEnabled(exportAllowed(module.state().exportMark, module.mode()));
    connect(export_, &QPushButton::clicked, this, [this] { exportToLibrary(); });
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(export_);
    layout()->addLayout(row);
    reload();
}

OffcutWindow::~OffcutWindow() = default;

void OffcutWindow::exportToLibrary() {
    // The grid's rows as they stand now are what goes to the library.
    if (exportOffcutsToLibrary(services().workspace, module_.tables().basic, table(), services().prompt)) {
        module_.state().exportMark = false;
        export_->setEnabled(false);
    }
}

void OffcutWindow::saveFile() {
    try {
        table().save();
    } catch (const std::exception& e) {
        services().prompt.tell(e.what(), kAttention, Icon::Exclamation);
    }
}

std::string OffcutWindow::printExtraHeading() const { return toUpper(reportHeading(reportOption(services().workspace))); }

std::string OffcutWindow::printExtraText(int row) const {
    const Workspace& ws = services().workspace;
    const GridTable& basic = module_.tables().basic;
    const std::string material = basic.cell(1, kMat);
    const GridTable& t = table();
    return weightOrAreaText(reportOption(ws), densityOf(ws, material), leadingFloat(basic.cell(1, kThick)),
                            leadingFloat(t.cell(row, 2)), leadingFloat(t.cell(row, 3)), leadingFloat(t.cell(row, 4)));
}

std::string OffcutWindow::projectPath() const { return module_.projectPath(); }

void OffcutWindow::closeEvent(QCloseEvent* event) {
    saveFile();
    event->accept();
}

}  // namespace veltrix::ui
