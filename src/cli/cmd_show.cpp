// veltrix show JOB: the job's tables as aligned text.

#include <algorithm>
#include <ostream>

#include "cli/args.h"
#include "app/job_commands.h"
#include "job/settings.h"
#include "base/number_text.h"
#include "base/workspace.h"

namespace veltrix::cli {
namespace {

// Prints the visible columns of the non-empty rows, each column as wide as its widest text.
void printTable(std::ostream& out, const GridTable& grid, bool serial) {
    std::vector<int> columns;
    for (int c = serial ? 0 : 1; c < grid.columnCount(); ++c)
        if (c == 0 || !grid.isHidden(c)) columns.push_back(c);
    std::vector<int> rows;
    for (int r = 1; r < grid.rowCount(); ++r)
        if (!grid.rowEmpty(r)) rows.push_back(r);
    std::vector<std::size_t> widths;
    for (int c : columns) {
        std::size_t w = c == 0 ? 5 : grid.key(c).size();
        for (int r : rows) w = std::max(w, grid.cell(r, c).size());
        widths.push_back(w);
    }
    auto printRow = [&](auto text) {
        std::string line;
        for (std::size_t i = 0; i < columns.size(); ++i) {
            std::string t = text(columns[i]);
            if (i + 1 < columns.size()) t.resize(widths[i], ' ');
            line += t;
            if (i + 1 < columns.size()) line += "  ";
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out << line << "\n";
    };
    printRow([&](int c) { return c == 0 ? std::string("Sr No") : grid.key(c); });
    int serialNumber = 0;
    for (int r : rows) {
        ++serialNumber;
        printRow([&](int c) { return c == 0 ? std::to_string(serialNumber) : grid.cell(r, c); });
    }
    if (rows.empty()) out << "(none)\n";
}

int show(CommandContext& context) {
    CLI::App app{"Shows the job's basic details, stock and cut-pieces", "veltrix show"};
    std::string job;
    app.add_option("JOB", job, "project file (.opt or .dcm)")->required();
    if (auto done = parseArguments(app, context)) return *done;
    Document jobFile = openJob(job);
    applyCutVisibility(jobFile.tables.cuts, reportOption(Workspace(context.workdir)));
    const bool coil = jobFile.mode == StockMode::Coil;
    std::ostream& out = context.out;
    out << "Job: " << jobFile.path.string() << (coil ? " (coil mode)" : " (sheet mode)") << "\n";
    out << "Objective: "
        << (jobFile.objective.mode() == OptimizationMode::MinimumLayouts ? "Minimum Layouts"
            : jobFile.objective.mode() == OptimizationMode::MaximumYield ? "Maximum Yield"
                                                                         : "none")
        << "\n";
    out << "Layout result: " << (jobFile.plan.empty() ? "none" : "stored") << "\n\n";
    out << "Basic Details\n";
    printTable(out, jobFile.tables.basic, false);
    out << "\n" << (coil ? "Coil Specifications" : "Sheet Specifications") << "\n";
    printTable(out, jobFile.tables.sheets, true);
    out << "\nCut-Piece Specifications\n";
    printTable(out, jobFile.tables.cuts, true);
    out << "\nTotal Qty of Cut-Piece(s): " << generalText(totalQuantity(jobFile.tables.cuts)) << "\n";
    return kExitOk;
}

const CommandRegistration registration({"show", "show JOB", "the job's basic details, stock and cut-pieces as text tables", &show});

}  // namespace
}  // namespace veltrix::cli
