#include "job/document.h"

#include <utility>

#include <sys/stat.h>

#include "base/file_ops.h"
#include "base/table_file.h"

namespace veltrix {
namespace {

// The stored lines of a section when they hold what `fresh` holds, else `fresh`'s lines.
std::vector<std::string> keptSection(const std::vector<std::string>& stored, const std::string& storedContent,
                                     const std::string& fresh) {
    return storedContent == fresh ? stored : splitLines(fresh);
}

// A table's text as its grid would write it, after loading `text`.
std::string normalisedTable(GridTable grid, std::string_view text, bool oneRow) {
    grid.loadText(text);
    if (oneRow) cutBackToOneRow(grid);
    return grid.saveText();
}

}  // namespace

std::optional<FileStamp> fileStamp(const std::filesystem::path& path) noexcept {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return std::nullopt;
    FileStamp stamp;
    stamp.path = path;
    stamp.device = static_cast<std::uintmax_t>(info.st_dev);
    stamp.inode = static_cast<std::uintmax_t>(info.st_ino);
    stamp.size = static_cast<std::uintmax_t>(info.st_size);
    stamp.modifiedNs = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    return stamp;
}

bool changedOnDisk(const Document& document) {
    return document.stamp && document.stamp->path == document.path && fileStamp(document.path) != document.stamp;
}

StockMode modeOfPath(const std::filesystem::path& path) {
    return isCoilProject(path) ? StockMode::Coil : StockMode::Sheet;
}

void tablesFromProject(const Project& project, JobTables& tables) {
    tables.basic.loadText(project.text(kBasicSection));
    cutBackToOneRow(tables.basic);
    tables.sheets.loadText(project.text(kSheetSection));
    tables.cuts.loadText(project.text(kCutSection));
}

Document documentOfProject(const Project& project, StockMode mode) {
    Document doc;
    doc.mode = mode;
    tablesFromProject(project, doc.tables);
    applySheetVisibility(doc.tables.sheets, mode);
    doc.objective = parseOptions(project.text(kOptionsSection));
    doc.plan = parsePlan(project.text(kResultSection));
    doc.stored = project;
    return doc;
}

Project projectOfDocument(const Document& doc) {
    const Project& stored = doc.stored;
    Project project;
    project[kBasicSection] = keptSection(stored[kBasicSection],
                                         normalisedTable(makeBasicGrid(), stored.text(kBasicSection), true),
                                         doc.tables.basic.saveText());
    project[kOptionsSection] = parseOptions(stored.text(kOptionsSection)) == doc.objective
                                   ? stored[kOptionsSection]
                                   : splitLines(optionsText(doc.objective));
    project[kSheetSection] = keptSection(stored[kSheetSection],
                                         normalisedTable(makeSheetGrid(), stored.text(kSheetSection), false),
                                         doc.tables.sheets.saveText());
    project[kCutSection] = keptSection(stored[kCutSection],
                                       normalisedTable(makeCutGrid(), stored.text(kCutSection), false),
                                       doc.tables.cuts.saveText());
    project[kResultSection] =
        parsePlan(stored.text(kResultSection)) == doc.plan ? stored[kResultSection] : splitLines(planText(doc.plan));
    return project;
}

Document readDocument(const std::filesystem::path& path) {
    // Noted before reading: a change made while the file is read counts as a change.
    const std::optional<FileStamp> stamp = fileStamp(path);
    Document doc = documentOfProject(readProjectFile(path), modeOfPath(path));
    doc.path = path;
    doc.stamp = stamp;
    return doc;
}

void writeDocument(Document& document, const std::filesystem::path& path) {
    Project project = projectOfDocument(document);
    writeProjectFile(path, project);
    document.stored = std::move(project);
    document.stamp = fileStamp(path);
}

}  // namespace veltrix
