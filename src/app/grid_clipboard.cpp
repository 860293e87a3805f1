#include "app/grid_clipboard.h"

#include <algorithm>

#include "platform/prompt.h"
#include "platform/surface.h"
#include "table/columns.h"
#include "table/file_ops.h"
#include "table/grid_table.h"
#include "table/print_text.h"

namespace veltrix {

namespace {

std::vector<std::string> splitOn(std::string_view text, std::string_view separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (true) {
        const std::size_t at = text.find(separator, start);
        if (at == std::string_view::npos) {
            parts.emplace_back(text.substr(start));
            return parts;
        }
        parts.emplace_back(text.substr(start, at - start));
        start = at + separator.size();
    }
}

// A cell text that a table file can hold: no double quote, no comma, no line breaks.
std::string storable(std::string_view text) {
    std::string out;
    for (char c : text)
        if (c != '"' && c != ',' && c != '\r' && c != '\n') out += c;
    return out;
}

}  // namespace

std::string copySelection(const GridTable& table, int row, int column, int endRow, int endColumn) {
    std::string text;
    if (endRow < row || endColumn < column) return text;
    for (int r = row; r <= endRow && r < table.rowCount(); ++r) {
        for (int c = column; c <= endColumn && c < table.columnCount(); ++c) {
            if (table.isHidden(c)) continue;
            if (c != column) text += '\t';
            text += table.cell(r, c);
        }
        text += "\r\n";
    }
    return text;
}

int pasteText(GridTable& table, int row, int column, std::string_view text) {
    std::string normal(text);
    // Other programs end lines with LF alone; a lone CR is a line end too.
    std::string lines;
    for (std::size_t i = 0; i < normal.size(); ++i) {
        if (normal[i] == '\r') {
            lines += '\n';
            if (i + 1 < normal.size() && normal[i + 1] == '\n') ++i;
        } else {
            lines += normal[i];
        }
    }
    std::vector<std::string> rows = splitOn(lines, "\n");
    // The break after the last line ends it; it starts no further line.
    if (rows.size() > 1 && rows.back().empty()) rows.pop_back();
    int pasted = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int target = row + static_cast<int>(i);
        if (target < 1) continue;
        while (target >= table.rowCount()) table.appendRow();
        const std::vector<std::string> fields = splitOn(rows[i], "\t");
        std::size_t next = 0;
        for (int c = std::max(column, 1); c < table.columnCount() && next < fields.size(); ++c) {
            if (table.isHidden(c)) continue;
            table.setCell(target, c, storable(fields[next++]));
        }
        ++pasted;
    }
    return pasted;
}

bool confirmPaste(Prompt& prompt) {
    return prompt.ask(Message{kPasteQuestion, {}, Icon::Question, Buttons::YesNo, Answer::Yes}) == Answer::Yes;
}

std::vector<int> printPositions(const GridTable& table) {
    std::vector<int> positions(static_cast<std::size_t>(table.dataColumnCount()), 0);
    int position = 0;
    for (int c = 1; c < table.columnCount(); ++c) {
        if (table.isHidden(c)) continue;
        if (position == 0) {
            position = 1;
        } else {
            const std::string& before = table.key(c - 1);
            position += std::max(static_cast<int>(before.size()), lookupColumn(before).width) + 2;
        }
        positions[static_cast<std::size_t>(c - 1)] = position;
    }
    return positions;
}

namespace {

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines = splitOn(text, "\r\n");
    if (!lines.empty() && lines.back().empty()) lines.pop_back();
    return lines;
}

}  // namespace

GridPrintout gridPrintout(const GridTable& table, const GridPrintRequest& request, const std::string& date) {
    GridPrintout out;
    const std::vector<int> positions = printPositions(table);
    int last = 0;
    for (int p : positions) last = std::max(last, p);
    const int extraAt = last + 14;

    out.header.emplace_back();
    if (!request.projectPath.empty()) out.header.push_back("File: " + fileNameOfPath(request.projectPath));
    out.header.push_back("Date: " + date);
    out.header.emplace_back();
    out.header.push_back(request.caption);
    out.header.emplace_back();
    if (!request.everyRow) {
        PrintText keys;
        for (int c = 1; c < table.columnCount(); ++c)
            if (positions[static_cast<std::size_t>(c - 1)] > 0) keys.at(positions[static_cast<std::size_t>(c - 1)], table.key(c));
        if (request.extraHeading) keys.at(extraAt, toUpper(*request.extraHeading));
        for (auto& line : linesOf(keys.endLine().str())) out.header.push_back(line);
    }

    const int first = std::max(1, std::min(request.firstRow, request.lastRow));
    const int lastRow = std::min(std::max(request.firstRow, request.lastRow), table.rowCount() - 1);
    for (int r = first; r <= lastRow; ++r) {
        if (!request.everyRow && table.rowEmpty(r)) continue;
        PrintText line;
        for (int c = 1; c < table.columnCount(); ++c)
            if (positions[static_cast<std::size_t>(c - 1)] > 0) line.at(positions[static_cast<std::size_t>(c - 1)], table.cell(r, c));
        if (request.extraHeading && static_cast<std::size_t>(r) < request.extraTexts.size())
            line.at(extraAt, request.extraTexts[static_cast<std::size_t>(r)]);
        const std::vector<std::string> parts = linesOf(line.endLine().str());
        if (parts.empty()) out.body.emplace_back();
        for (auto& part : parts) out.body.push_back(part);
    }
    return out;
}

void writePrintFiles(const GridPrintout& printout, const std::string& headerFile, const std::string& bodyFile) {
    std::string header, body;
    for (const auto& l : printout.header) header += l + "\r\n";
    for (const auto& l : printout.body) body += l + "\r\n";
    writeFileAtomic(headerFile, header);
    writeFileAtomic(bodyFile, body);
}

int printPages(const GridPrintout& printout, Surface& surface) {
    surface.setScale(ScaleSpec{0, 0, surface.deviceWidth(), surface.deviceHeight()});
    const FontSpec bold{"Courier New", 11, true};
    const FontSpec regular{"Courier New", 11, false};
    const double left = surface.deviceWidth() * 0.06;
    const double top = surface.deviceHeight() * 0.05;
    const double bottom = surface.deviceHeight() * 0.95;
    int pages = 0;
    double y = 0;
    bool fresh = false;  // nothing of the body on this page yet
    auto startPage = [&] {
        fresh = true;
        if (pages > 0) surface.newPage();
        ++pages;
        y = top;
        surface.setFont(bold);
        for (const auto& line : printout.header) {
            surface.text(left, y, line, colors::kBlack);
            y += surface.textHeight("X");
        }
        surface.setFont(regular);
        y += surface.textHeight("X");
    };
    startPage();
    for (const auto& line : printout.body) {
        const double h = surface.textHeight("X");
        if (y + h > bottom && !fresh) startPage();
        fresh = false;
        surface.text(left, y, line, colors::kBlack);
        y += h;
    }
    return pages;
}

}  // namespace veltrix
