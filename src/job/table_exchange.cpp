#include "job/table_exchange.h"

#include "table/columns.h"
#include "base/csv.h"
#include "table/editing.h"
#include "base/error.h"
#include "base/file_ops.h"

namespace veltrix {

std::string filterValue(std::string_view key, std::string_view value) {
    const ColumnSpec attributes = lookupColumn(key);
    const std::string trimmed = trimBlanks(value);
    if (attributes.kind == ValueKind::Option) {
        const std::string v = toUpper(trimmed);
        if (v.empty() || v == "NO" || v == "N" || v == "0" || v == "FALSE") return {};
        if (v == "YES" || v == "Y" || v == "1" || v == "TRUE" || v == "X") return "YES";
        if (key == "CRITERIA" && (v == "AND" || v == "OR")) return v;
        throw InputError("the value '" + trimmed + "' of " + std::string(key) + " is neither YES nor empty");
    }
    if (attributes.entry == EntryMethod::DxfDialog || attributes.entry == EntryMethod::PictureDialog) {
        // File paths keep their letter case; only what a table file cannot hold is dropped.
        std::string out;
        for (char c : trimmed)
            if (c >= 32 && c <= 126 && c != '"' && c != ',' && static_cast<int>(out.size()) < attributes.width) out += c;
        return out;
    }
    std::string text;
    for (char c : trimmed) {
        const KeyResult r = acceptCharacter(key, text, static_cast<unsigned char>(c));
        if (r.action == KeyAction::Append) text += r.character;
        else if (r.action == KeyAction::Replace) text = r.text;
    }
    return text;
}

ImportResult importCsv(std::string_view csv, GridTable& grid) {
    const auto rows = parseCsv(csv);
    if (rows.empty()) throw InputError("the CSV file has no header row");
    // Map each CSV column to a grid column.
    std::vector<int> target;
    std::vector<bool> used(static_cast<std::size_t>(grid.columnCount()), false);
    for (const auto& headerCell : rows.front()) {
        const std::string key = toUpper(trimBlanks(headerCell));
        int column = 0;
        for (int c = 1; c < grid.columnCount(); ++c) {
            if (grid.key(c) == key && !used[static_cast<std::size_t>(c)]) {
                column = c;
                break;
            }
        }
        if (column == 0) {
            if (key.empty()) throw InputError("the CSV header has an empty column name");
            if (grid.columnOf(key) != 0) throw InputError("the column " + key + " appears too often in the CSV header");
            std::string known;
            for (const auto& k : grid.keys()) known += (known.empty() ? "" : ", ") + k;
            throw InputError("unknown column " + key + " in the CSV header (columns: " + known + ")");
        }
        used[static_cast<std::size_t>(column)] = true;
        target.push_back(column);
    }
    ImportResult result;
    grid.setRowCount(1);
    for (std::size_t r = 1; r < rows.size(); ++r) {
        const int row = grid.appendRow();
        for (std::size_t i = 0; i < target.size() && i < rows[r].size(); ++i) {
            const std::string& key = grid.key(target[i]);
            std::string stored;
            try {
                stored = filterValue(key, rows[r][i]);
            } catch (const InputError& e) {
                throw InputError("row " + std::to_string(r) + ": " + e.what());
            }
            // A number the typing would change is another number: 1e39 would be stored as 139.
            const ValueKind kind = lookupColumn(key).kind;
            if ((kind == ValueKind::Real || kind == ValueKind::Whole) && stored != trimBlanks(rows[r][i]))
                throw InputError("row " + std::to_string(r) + ": the " + key + " '" + trimBlanks(rows[r][i]) +
                                 "' is not a number the table holds (" +
                                 (kind == ValueKind::Whole ? "digits only" : "digits and one point") + ", at most " +
                                 std::to_string(lookupColumn(key).width) + " characters)");
            if (stored != trimBlanks(rows[r][i]))
                result.notes.push_back(ImportNote{static_cast<int>(r), key, rows[r][i], stored});
            grid.setCell(row, target[i], stored);
        }
    }
    // Rows left empty disappear, and one blank row stands at the end, as after a load.
    grid.loadText(grid.saveText());
    return result;
}

std::string exportCsv(const GridTable& grid) {
    std::string out = csvLine(grid.keys());
    for (int r = 1; r < grid.rowCount(); ++r)
        if (!grid.rowEmpty(r)) out += csvLine(grid.rowTexts(r));
    return out;
}

}  // namespace veltrix
