#include "app/job_commands.h"

#include "app/optimize_command.h"
#include "dxf/dxf_export.h"
#include "engine/prepare.h"
#include "job/settings.h"
#include "layouts/labels.h"
#include "layouts/layout_drawing.h"
#include "libraries/material_library.h"
#include "libraries/offcut_export.h"
#include "libraries/sheet_import.h"
#include "platform/prompt.h"
#include "reports/report_pass.h"
#include "base/file_ops.h"
#include "table/grid_table.h"
#include "base/workspace.h"

namespace veltrix {

Document openJob(const std::filesystem::path& path) {
    Document doc = readDocument(path);
    const std::vector<std::string> problems = projectProblems(doc.stored);
    if (!problems.empty()) {
        constexpr std::size_t kShown = 8;
        std::string message = path.string() + " is damaged and was not used:";
        for (std::size_t i = 0; i < problems.size() && i < kShown; ++i) message += "\n  " + problems[i];
        if (problems.size() > kShown) message += "\n  and " + std::to_string(problems.size() - kShown) + " more";
        throw InputError(message);
    }
    return doc;
}

Document openOrStartJob(const std::filesystem::path& path, const Workspace& workspace) {
    if (fileExists(path)) return openJob(path);
    Document doc;
    const auto defaults = workspace.file(kDefaultsFile);
    if (fileExists(defaults)) {
        const Project stored = readProjectFile(defaults);
        Project start;
        start[kBasicSection] = stored[kBasicSection];
        start[kOptionsSection] = stored[kOptionsSection];
        doc = documentOfProject(start, modeOfPath(path));
        doc.stored = Project{};
    } else {
        doc.mode = modeOfPath(path);
        applySheetVisibility(doc.tables.sheets, doc.mode);
    }
    doc.path = path;
    return doc;
}

void checkJobTarget(const Document& doc, const std::filesystem::path& path) {
    if (modeOfPath(path) == doc.mode) return;
    throw UsageError(doc.mode == StockMode::Coil
                         ? "A coil job is stored under \".dcm\", not " + path.string() + " (it would read back as sheets)."
                         : "A sheet job is stored under \".opt\", not " + path.string() + " (it would read back as coils).");
}

void refuseJobAsOutput(const Document& doc, const std::filesystem::path& output) {
    if (!output.empty() && (output == doc.path || sameFile(output, doc.path)))
        throw UsageError("The output " + output.string() + " is the job itself; choose another file.");
}

namespace {

// A name beside `path` for a job that may not go over it: <stem>.result-<n><extension>, the
// first that is not taken.
std::filesystem::path asideName(const std::filesystem::path& path) {
    for (int n = 1;; ++n) {
        std::filesystem::path aside = path;
        aside.replace_filename(path.stem().string() + ".result-" + std::to_string(n) + path.extension().string());
        std::error_code ec;
        if (!std::filesystem::exists(std::filesystem::symlink_status(aside, ec))) return aside;
    }
}

}  // namespace

void saveJob(Document& doc, const std::filesystem::path& path) {
    const std::filesystem::path target = path.empty() ? doc.path : path;
    checkJobTarget(doc, target);
    if ((target == doc.path || sameFile(target, doc.path)) && changedOnDisk(doc)) {
        const std::filesystem::path aside = asideName(target);
        writeDocument(doc, aside);
        throw UsageError(target.string() + " was changed by another program while this command worked on it, so it "
                         "was left as it is. This command's result was saved to " + aside.string() + ".");
    }
    writeDocument(doc, target);
}

TableImport importTables(Document& doc, const std::filesystem::path& sheetsCsv, const std::filesystem::path& cutsCsv) {
    TableImport done;
    // Both files are read before either table changes: a failure leaves the job as it was.
    JobTables tables = doc.tables;
    if (!sheetsCsv.empty()) done.sheetNotes = importCsv(readExistingFile(sheetsCsv), tables.sheets).notes;
    if (!cutsCsv.empty()) done.cutNotes = importCsv(readExistingFile(cutsCsv), tables.cuts).notes;
    doc.tables = std::move(tables);
    done.planDiscarded = !doc.plan.empty();
    doc.plan = {};
    doc.changed = true;
    return done;
}

void exportTables(const Document& doc, const std::filesystem::path& sheetsCsv, const std::filesystem::path& cutsCsv) {
    refuseJobAsOutput(doc, sheetsCsv);
    refuseJobAsOutput(doc, cutsCsv);
    if (!sheetsCsv.empty()) writeFileAtomic(sheetsCsv, exportCsv(doc.tables.sheets));
    if (!cutsCsv.empty()) writeFileAtomic(cutsCsv, exportCsv(doc.tables.cuts));
}

namespace {

// A run refused because a value of the job cannot be cut (a negative kerf, a fractional quantity,
// a number beyond what a run can hold), with the message naming it; nothing when the values do.
std::optional<engine::RunOutcome> refusedForValues(const Document& doc) {
    const auto problem = impossibleValue(doc.tables, doc.mode);
    if (!problem) return std::nullopt;
    engine::RunOutcome refused;
    refused.message = *problem;
    refused.failed = true;
    refused.helpTopic = engine::kFailureHelpTopic;
    return refused;
}

}  // namespace

engine::RunOutcome optimizeJob(Document& doc, const Workspace& workspace, const OptimizeRequest& request,
                               engine::RunObserver& observer, std::stop_token stop, Prompt& prompt) {
    if (request.objective) doc.objective = *request.objective;
    if (request.continueFrom > 0 && doc.plan.empty())
        throw UsageError("The job holds no plan of a stopped run to continue from: optimize it without "
                         "--continue-from.");
    if (auto refused = refusedForValues(doc)) return *refused;
    const Job job = doc.job();
    if (!checkBeforeRun(job, workspace, prompt)) {
        // The check told the user why.
        engine::RunOutcome refused;
        refused.failed = true;
        return refused;
    }
    engine::RunSettings settings = runSettings(workspace, doc, request.continueFrom);
    if (request.efficiency) settings.efficiency = *request.efficiency;
    settings.lanes = request.lanes;
    const engine::PreparedJob prepared = engine::prepareInput(job);
    const long long budget = engine::iterationBudget(prepared.cuts.size(), settings.efficiency);
    if (const auto warning = engine::longRunWarning(prepared, budget)) prompt.tell(*warning, kAttention, Icon::Information);
    const engine::RunOutcome outcome = engine::optimize(job, settings, observer, stop);
    storeRunOutcome(doc, outcome);
    return outcome;
}

engine::DeepOutcome deepSearchJob(Document& doc, const Workspace& workspace, const OptimizeRequest& request,
                                  engine::DeepObserver& observer, std::stop_token stop, Prompt& prompt) {
    if (request.continueFrom > 0) throw UsageError("A deep search starts afresh: it is not continued.");
    if (request.objective) doc.objective = *request.objective;
    engine::DeepOutcome deep;
    if (auto refused = refusedForValues(doc)) {
        deep.outcome = *refused;
        return deep;
    }
    const Job job = doc.job();
    if (!checkBeforeRun(job, workspace, prompt)) {
        deep.outcome.failed = true;
        return deep;
    }
    engine::RunSettings settings = runSettings(workspace, doc, 0);
    if (request.efficiency) settings.efficiency = *request.efficiency;
    settings.lanes = request.lanes;
    deep = engine::optimizeDeep(job, settings, observer, stop);
    storeRunOutcome(doc, deep.outcome);
    return deep;
}

layouts::JobLayouts jobLayouts(const Document& doc, const Workspace& workspace) {
    return layouts::loadJobLayouts(doc, workspace);
}

reports::ResultReports jobReports(const Document& doc, const Workspace& workspace, bool writeFiles) {
    const engine::LoadedResult result = reports::loadJobResult(doc);
    if (result.empty()) throw InputError(reports::kNotOptimizedMessage);
    return writeFiles ? reports::writeResultReports(workspace, result)
                      : reports::computeResultReports(workspace, result);
}

layouts::LayoutRange chooseLayouts(int count, std::optional<int> layout, bool all, bool defaultAll) {
    if (layout && all) throw UsageError("Give either --layout N or --all, not both.");
    if (layout) {
        if (*layout < 1 || *layout > count)
            throw UsageError("There is no layout " + std::to_string(*layout) + ": the job has layouts 1 to " +
                             std::to_string(count) + ".");
        return {*layout, *layout};
    }
    if (all || defaultAll) return {1, count};
    return {1, 1};
}

layouts::ExportResult exportJobDxf(const Document& doc, const Workspace& workspace, layouts::LayoutRange range,
                                   const std::filesystem::path& output) {
    const layouts::JobLayouts loaded = jobLayouts(doc, workspace);
    for (int k = range.first; k <= range.last; ++k)
        refuseJobAsOutput(doc, dxf::exportFileName(dxf::exportBase(output), k, loaded.result.layoutCount()));
    const layouts::LayoutDrawing drawing(workspace, loaded.result, loaded.reports.report,
                                         layouts::readDisplayOptions(workspace));
    return layouts::exportLayouts(drawing, range.first, range.last, output);
}

std::filesystem::path writeJobLabels(const Document& doc, const Workspace& workspace, std::optional<int> from,
                                     std::optional<int> to, const std::filesystem::path& output,
                                     std::optional<bool> barcodes) {
    layouts::LabelSheet sheet;
    try {
        sheet = layouts::readLabelSheet(workspace);
    } catch (const InputError& e) {
        throw UsageError(e.what());
    }
    const layouts::LabelCodes codes{barcodes.value_or(layouts::readLabelCodesSwitch(workspace)),
                                    doc.path.stem().string()};
    const layouts::JobLayouts loaded = jobLayouts(doc, workspace);
    const int count = loaded.result.layoutCount();
    const int first = from.value_or(1);
    const int last = to.value_or(count);
    if (first < 1 || last > count || first > last)
        throw UsageError("Choose layouts from 1 to " + std::to_string(count) + ", the first not after the last.");
    const std::string page =
        layouts::labelPage(loaded.result, sheet, first, last, reportOption(workspace), workspace, codes);
    const auto file = output.empty() ? workspace.file(layouts::kLabelPageFile) : output;
    refuseJobAsOutput(doc, file);
    writeFileAtomic(file, page);
    return file;
}

std::optional<LibrarySizes> librarySizesFor(const Document& doc, const Workspace& workspace) {
    const auto stock = librarySheetsFor(workspace, doc.tables.basic);
    if (stock.empty()) return std::nullopt;
    GridTable defaultSheets = makeSheetGrid();
    const auto defaults = workspace.file(kDefaultsFile);
    if (fileExists(defaults)) defaultSheets.loadText(readProjectFile(defaults).text(kSheetSection));
    LibrarySizes sizes;
    sizes.count = static_cast<int>(stock.size());
    sizes.sheetText = importedSheetText(stock, marginsToKeep(doc.tables.sheets, defaultSheets));
    sizes.replaced = sheetRowNames(doc.tables.sheets);
    return sizes;
}

void applyLibrarySizes(Document& doc, const LibrarySizes& sizes) {
    doc.tables.sheets.clear();
    doc.tables.sheets.loadText(sizes.sheetText);
    doc.plan = {};
    doc.changed = true;
}

std::string importMessage(const LibrarySizes& sizes) {
    std::string message = std::to_string(sizes.count) + kImportedMessage;
    for (std::size_t i = 0; i < sizes.replaced.size(); ++i)
        message += (i == 0 ? "\nReplaced: " : ", ") + sizes.replaced[i];
    return message;
}

LibrarySizes importLibrarySizes(Document& doc, const Workspace& workspace) {
    if (doc.mode == StockMode::Coil)
        throw InputError("Coils are not imported from the material library (sheet mode only).");
    const auto sizes = librarySizesFor(doc, workspace);
    if (!sizes)
        throw InputError("Material specified was not found in MLM (" + materialLibraryPath(workspace).string() + ").");
    applyLibrarySizes(doc, *sizes);
    return *sizes;
}

std::size_t returnOffcutsToLibrary(const Document& doc, const Workspace& workspace) {
    if (!exportAllowed(true, doc.mode))
        throw InputError("The off-cuts of coils are not returned to the material library.");
    const engine::LoadedResult result = reports::loadJobResult(doc);
    if (result.empty()) throw InputError(reports::kNotOptimizedMessage);
    const reports::ResultReports reports = reports::computeResultReports(workspace, result);
    GridTable offcuts(offcutKeys());
    offcuts.loadText(reports.offcutTable);
    return exportRecordsToLibrary(workspace, doc.tables.basic, offcuts, reports.report.sheetsUsed);
}

}  // namespace veltrix
