#include "table/grid_table.h"

#include <algorithm>

#include "table/columns.h"
#include "base/file_ops.h"
#include "base/number_text.h"
#include "base/table_file.h"

namespace veltrix {
namespace {
const std::string kEmpty;
}

GridTable::GridTable(std::vector<std::string> keys) : keys_(std::move(keys)) {
    hidden_.assign(keys_.size() + 1, false);
    cells_.push_back(headerTexts(keys_));
    cells_.emplace_back(static_cast<std::size_t>(columnCount()));
    renumber();
}

int GridTable::columnOf(std::string_view key) const {
    for (std::size_t i = 0; i < keys_.size(); ++i)
        if (keys_[i] == key) return static_cast<int>(i) + 1;
    return 0;
}

const std::string& GridTable::cell(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return kEmpty;
    return cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

void GridTable::setCell(int row, int column, std::string text) {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount()) return;
    cells_[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)] = std::move(text);
}

std::vector<std::string> GridTable::rowTexts(int row) const {
    std::vector<std::string> texts;
    for (int c = 1; c < columnCount(); ++c) texts.push_back(cell(row, c));
    return texts;
}

void GridTable::setRowCount(int rows) {
    rows = std::max(rows, 1);
    cells_.resize(static_cast<std::size_t>(rows), std::vector<std::string>(static_cast<std::size_t>(columnCount())));
}

int GridTable::appendRow() {
    cells_.emplace_back(static_cast<std::size_t>(columnCount()));
    const int row = rowCount() - 1;
    cells_.back()[0] = std::to_string(row);
    return row;
}

void GridTable::removeRow(int row) {
    if (row >= 1 && row < rowCount()) cells_.erase(cells_.begin() + row);
}

void GridTable::setHidden(int column, bool hidden) {
    if (column >= 0 && column < columnCount()) hidden_[static_cast<std::size_t>(column)] = hidden;
}

bool GridTable::isHidden(int column) const {
    return column >= 0 && column < columnCount() && hidden_[static_cast<std::size_t>(column)];
}

bool GridTable::rowEmpty(int row) const {
    for (int c = 1; c < columnCount(); ++c)
        if (!trimBlanks(cell(row, c)).empty()) return false;
    return true;
}

void GridTable::loadText(std::string_view text) {
    setRowCount(2);
    const auto lines = nonBlankLineCount(text);
    setRowCount(static_cast<int>(lines) + 2);
    for (auto& row : cells_) {
        if (&row == &cells_.front()) continue;
        std::fill(row.begin(), row.end(), std::string());
    }
    renumber();
    FieldReader reader(text);
    for (std::size_t r = 1; r <= lines && !reader.atEnd(); ++r)
        for (int c = 1; c < columnCount(); ++c) cells_[r][static_cast<std::size_t>(c)] = reader.next();
}

void GridTable::load() {
    if (!fileExists(boundFile_)) {
        loadText({});
        return;
    }
    loadText(readWholeFile(boundFile_));
}

std::string GridTable::saveText() const {
    std::string out;
    for (int r = 1; r < rowCount(); ++r) {
        if (rowEmpty(r)) continue;
        RecordWriter w;
        for (int c = 1; c < columnCount(); ++c) w.text(trimBlanks(cell(r, c)));
        out += w.line();
    }
    return out;
}

void GridTable::save() const { writeFileAtomic(boundFile_, saveText()); }

void GridTable::clear() {
    for (int r = 1; r < rowCount(); ++r)
        for (int c = 1; c < columnCount(); ++c) cells_[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)].clear();
}

void GridTable::renumber() {
    for (int r = 1; r < rowCount(); ++r) cells_[static_cast<std::size_t>(r)][0] = std::to_string(r);
}

void GridTable::keepBlankRow() {
    if (!rowEmpty(rowCount() - 1) || rowCount() < 2) appendRow();
}

void GridTable::sort(int column, SortDirection direction) {
    if (column < 1 || column >= columnCount()) return;
    const ValueKind kind = lookupColumn(key(column)).kind;
    const bool numeric = kind == ValueKind::Whole || kind == ValueKind::Real;
    const bool ascending = direction == SortDirection::Ascending;
    auto compare = [&](const std::vector<std::string>& a, const std::vector<std::string>& b) {
        for (int c = column; c < columnCount(); ++c) {
            const auto& x = a[static_cast<std::size_t>(c)];
            const auto& y = b[static_cast<std::size_t>(c)];
            int order = 0;
            if (numeric) {
                const double dx = leadingDouble(x), dy = leadingDouble(y);
                order = dx < dy ? -1 : (dx > dy ? 1 : 0);
            } else {
                const std::string lx = toLower(x), ly = toLower(y);
                order = lx < ly ? -1 : (lx > ly ? 1 : 0);
            }
            if (order != 0) return ascending ? order < 0 : order > 0;
        }
        return false;
    };
    std::stable_sort(cells_.begin() + 1, cells_.end(), compare);
    renumber();
    // As the grid does: written to its file and read back, which drops empty rows, trims the
    // cells and leaves one blank row at the end.
    const std::string text = saveText();
    if (!boundFile_.empty()) writeFileAtomic(boundFile_, text);
    loadText(text);
}

}  // namespace veltrix
