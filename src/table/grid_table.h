#pragma once
// A grid table: the editable spreadsheet behind every list the user edits. Row 0 is the header,
// column 0 the serial column; data cells are text. The grid may be bound to a table file.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

enum class SortDirection { Ascending = 1, Descending = 2 };

class GridTable {
public:
    // A grid with the header built from `keys` and one blank, numbered row.
    explicit GridTable(std::vector<std::string> keys);

    const std::vector<std::string>& keys() const { return keys_; }
    // Column key of data column c (1-based), trimmed.
    const std::string& key(int column) const { return keys_.at(static_cast<std::size_t>(column - 1)); }
    // Data column of a key, or 0 when the grid has no such column (the first match).
    int columnOf(std::string_view key) const;

    // Rows including the header row; columns including the serial column.
    int rowCount() const { return static_cast<int>(cells_.size()); }
    int columnCount() const { return static_cast<int>(keys_.size()) + 1; }
    int dataColumnCount() const { return static_cast<int>(keys_.size()); }

    // Cell (row, column); row 0 is the header, column 0 the serial number. Out-of-range reads
    // give empty text.
    const std::string& cell(int row, int column) const;
    void setCell(int row, int column, std::string text);
    // The data cells of a row (columns 1..C-1).
    std::vector<std::string> rowTexts(int row) const;

    // Changes the number of rows (header included, at least 1); new rows are empty and unnumbered.
    void setRowCount(int rows);
    // Appends an empty row and numbers it; returns its index.
    int appendRow();
    void removeRow(int row);

    // Hidden columns are loaded and saved but skipped by paste, copy and printing.
    void setHidden(int column, bool hidden);
    bool isHidden(int column) const;

    void setBoundFile(std::filesystem::path file) { boundFile_ = std::move(file); }
    const std::filesystem::path& boundFile() const { return boundFile_; }

    // A data row is empty when every data cell, trimmed of blanks, is empty.
    bool rowEmpty(int row) const;

    // Rows replaced by the records of the text: n lines give rows 1..n filled, row n+1 blank,
    // serial numbers 1..n+1. Fields are read in sequence, C-1 per record. Blank lines hold no
    // record and are not counted.
    void loadText(std::string_view text);
    // Loads the bound file; a missing file gives one blank row.
    void load();
    // The table-file text of the non-empty rows, each cell trimmed and quoted.
    std::string saveText() const;
    // Rewrites the bound file (atomically; throws FileError on failure).
    void save() const;

    // Every data cell emptied; rows and serial column unchanged.
    void clear();
    // Cell (r, 0) = r for every row r >= 1.
    void renumber();
    // When the last row holds any non-empty data cell, appends one numbered row.
    void keepBlankRow();
    // Sorts all data rows on `column` and every column to its right: numerically when the
    // column's value kind is whole or real, else as text ignoring case. Afterwards empty rows are
    // gone, cells are trimmed, one blank row stands at the end, and the bound file (if any) holds
    // the sorted rows.
    void sort(int column, SortDirection direction);

private:
    std::vector<std::string> keys_;
    std::vector<std::vector<std::string>> cells_;
    std::vector<bool> hidden_;
    std::filesystem::path boundFile_;
};

}  // namespace veltrix
