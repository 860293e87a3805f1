#include "libraries/material_library.h"

#include <cmath>

#include "job/settings.h"
#include "libraries/library_records.h"
#include "base/file_ops.h"
#include "base/error.h"
#include "table/grid_table.h"
#include "base/number_text.h"
#include "base/workspace.h"

namespace veltrix {
namespace {

// Empty text, text that is no number (it counts as 0), or a number a single-precision field holds.
bool fitsFloat(const std::string& text) { return leadingFloatInRange(text); }

bool sameStock(const StockRecord& a, const StockRecord& b) {
    return a[kStockGrain] == b[kStockGrain] && a[kStockLocation] == b[kStockLocation] &&
           leadingFloat(a[kStockThick]) == leadingFloat(b[kStockThick]) &&
           leadingFloat(a[kStockLength]) == leadingFloat(b[kStockLength]) &&
           leadingFloat(a[kStockWidth]) == leadingFloat(b[kStockWidth]);
}

}  // namespace

const std::vector<std::string>& materialLibraryKeys() {
    static const std::vector<std::string> keys{"MAT", "GRAIN", "THICK", "LENGTH", "WIDTH", "QTY", "LOCATION"};
    return keys;
}

std::filesystem::path materialLibraryPath(const Workspace& workspace) {
    return libraryFile(workspace, kMaterialLibraryFile);
}

std::vector<StockRecord> parseStock(std::string_view text) { return readFixedRecords<kStockFields>(text); }

std::vector<StockRecord> parseStockForRewrite(std::string_view text, const std::filesystem::path& file) {
    std::vector<std::string> problems;
    const std::vector<std::string> lines = splitLines(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (isBlankLine(lines[i])) continue;
        std::string problem = recordProblem(lines[i], kStockFields);
        if (problem.empty()) {
            const auto fields = readRecords(lines[i], kStockFields).front();
            for (int f : {kStockThick, kStockLength, kStockWidth, kStockQty}) {
                if (!fitsFloat(fields[static_cast<std::size_t>(f)])) {
                    problem = materialLibraryKeys()[static_cast<std::size_t>(f)] + " " +
                              trimBlanks(fields[static_cast<std::size_t>(f)]) + " is beyond the numbers it can hold";
                    break;
                }
            }
        }
        if (!problem.empty()) problems.push_back("line " + std::to_string(i + 1) + ": " + problem);
    }
    if (!problems.empty()) {
        std::string message = file.string() + " holds damaged records, so it was not rewritten; mend them first:";
        for (const std::string& p : problems) message += "\n  " + p;
        throw InputError(message);
    }
    return parseStock(text);
}

std::string stockText(const std::vector<StockRecord>& records) { return recordsText(records); }

void sortOnMaterial(std::vector<StockRecord>& records) {
    // The fields are trimmed before they are compared, so that a blank typed or written by hand
    // before a material name cannot put its records outside the material's block (the import
    // reads only the first block of a material).
    GridTable grid(materialLibraryKeys());
    grid.setRowCount(static_cast<int>(records.size()) + 2);
    for (std::size_t r = 0; r < records.size(); ++r)
        for (std::size_t c = 0; c < kStockFields; ++c)
            grid.setCell(static_cast<int>(r) + 1, static_cast<int>(c) + 1, trimBlanks(records[r][c]));
    grid.sort(1, SortDirection::Ascending);
    records.clear();
    for (int r = 1; r < grid.rowCount(); ++r) {
        if (grid.rowEmpty(r)) continue;
        StockRecord record;
        for (std::size_t c = 0; c < kStockFields; ++c) record[c] = grid.cell(r, static_cast<int>(c) + 1);
        records.push_back(std::move(record));
    }
}

void mergeStock(std::vector<StockRecord>& records) {
    for (std::size_t i = 0; i < records.size(); ++i) {
        StockRecord& into = records[i];
        if (into[kStockMat].empty()) continue;
        bool metSame = false;
        for (std::size_t j = i + 1; j < records.size(); ++j) {
            StockRecord& other = records[j];
            if (other[kStockMat].empty()) continue;
            if (other[kStockMat] != into[kStockMat]) {
                if (metSame) break;
                continue;
            }
            metSame = true;
            if (!sameStock(into, other)) continue;
            const float sum = leadingFloat(into[kStockQty]) + leadingFloat(other[kStockQty]);
            if (!std::isfinite(sum))
                throw InputError("The quantities of " + into[kStockMat] + " " + into[kStockLength] + " x " +
                                 into[kStockWidth] + " add up beyond the numbers a quantity can hold.");
            into[kStockQty] = sum == 0 ? std::string() : generalText(sum);
            other = StockRecord{};
        }
    }
}

void sortAndMergeStock(std::vector<StockRecord>& records) {
    sortOnMaterial(records);
    mergeStock(records);
}

namespace {

std::string sortedAndMerged(std::vector<StockRecord> records) {
    sortAndMergeStock(records);
    return stockText(records);
}

}  // namespace

void mergeMaterialLibrary(const Workspace& workspace) {
    const auto path = materialLibraryPath(workspace);
    rewriteLocked(path, [&](std::string text) { return sortedAndMerged(parseStockForRewrite(text, path)); });
}

void saveMaterialLibrary(const Workspace& workspace, const GridTable& grid) {
    std::vector<StockRecord> records;
    for (int r = 1; r < grid.rowCount(); ++r) {
        StockRecord record;
        for (std::size_t c = 0; c < kStockFields; ++c) record[c] = grid.cell(r, static_cast<int>(c) + 1);
        records.push_back(std::move(record));
    }
    rewriteLocked(materialLibraryPath(workspace), [&](std::string) { return sortedAndMerged(records); });
}

void appendToMaterialLibrary(const Workspace& workspace, const std::vector<StockRecord>& records) {
    const auto path = materialLibraryPath(workspace);
    rewriteLocked(path, [&](std::string text) {
        std::vector<StockRecord> all = parseStockForRewrite(text, path);
        all.insert(all.end(), records.begin(), records.end());
        return sortedAndMerged(std::move(all));
    });
}

GridTable loadMaterialLibraryGrid(const Workspace& workspace) {
    GridTable grid(materialLibraryKeys());
    const auto path = materialLibraryPath(workspace);
    grid.loadText(stockText(parseStock(readWholeFile(path))));
    // Sorting in the window saves the rows to the working copy, never to the shared library.
    grid.setBoundFile(workspace.file(kMaterialLibraryCopy));
    return grid;
}

}  // namespace veltrix
