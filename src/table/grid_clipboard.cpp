#include "table/grid_clipboard.h"

#include <vector>

#include "table/grid_table.h"

namespace veltrix {

std::string copySelection(const GridTable& grid, const GridSelection& s) {
    std::string text;
    for (int r = s.row; r <= s.endRow; ++r) {
        for (int c = s.column; c <= s.endColumn; ++c) {
            if (grid.isHidden(c)) continue;
            if (c != s.column) text += '\t';
            text += grid.cell(r, c);
        }
        text += "\r\n";
    }
    return text;
}

namespace {

std::vector<std::string> split(std::string_view text, std::string_view separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const auto pos = text.find(separator, start);
        if (pos == std::string_view::npos) {
            parts.emplace_back(text.substr(start));
            return parts;
        }
        parts.emplace_back(text.substr(start, pos - start));
        start = pos + separator.size();
    }
}

std::string storable(std::string_view field) {
    std::string out;
    for (char c : field)
        if (c != '"' && c != ',' && static_cast<unsigned char>(c) >= 32 && c != 127) out += c;
    return out;
}

}  // namespace

void pasteText(GridTable& grid, int row, int column, std::string_view text) {
    const auto lines = split(text, "\r\n");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int target = row + static_cast<int>(i);
        if (target > grid.rowCount()) break;
        if (target == grid.rowCount()) grid.appendRow();
        const auto fields = split(lines[i], "\t");
        std::size_t next = 0;
        for (int c = column; c < grid.columnCount() && next < fields.size(); ++c) {
            if (grid.isHidden(c)) continue;
            grid.setCell(target, c, storable(fields[next++]));
        }
    }
}

}  // namespace veltrix
