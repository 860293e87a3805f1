#include "table/grid_print.h"

#include <algorithm>

#include "platform/surface.h"
#include "table/columns.h"
#include "base/file_ops.h"
#include "table/grid_table.h"
#include "base/print_text.h"
#include "base/table_file.h"

namespace veltrix {

std::vector<int> printPositions(const GridTable& grid) {
    std::vector<int> positions(static_cast<std::size_t>(grid.columnCount()), 0);
    int position = 0;
    for (int c = 1; c < grid.columnCount(); ++c) {
        if (grid.isHidden(c)) continue;
        if (position == 0) {
            position = 1;
        } else {
            const std::string& previous = grid.key(c - 1);
            position += std::max(static_cast<int>(previous.size()), lookupColumn(previous).width) + 2;
        }
        positions[static_cast<std::size_t>(c)] = position;
    }
    return positions;
}

GridPrintout formatGridPrintout(const GridTable& grid, const GridPrintRequest& request) {
    const auto positions = printPositions(grid);
    int lastPosition = 1;
    for (int p : positions) lastPosition = std::max(lastPosition, p);
    const int extraPosition = lastPosition + 14;
    const bool extra = !request.extraHeading.empty() || request.extraText;

    PrintText header;
    header.line();
    if (!request.projectPath.empty()) header.line("File: " + fileNameOfPath(request.projectPath));
    header.line("Date: " + request.date).line().line(request.caption).line();
    if (!request.reportGrid) {
        for (int c = 1; c < grid.columnCount(); ++c)
            if (positions[static_cast<std::size_t>(c)] > 0) header.at(positions[static_cast<std::size_t>(c)], grid.key(c));
        if (extra) header.at(extraPosition, request.extraHeading);
        header.endLine();
    }

    PrintText body;
    const int from = std::max(1, std::min(request.firstRow, request.lastRow));
    const int to = std::min(grid.rowCount() - 1, std::max(request.firstRow, request.lastRow));
    for (int r = from; r <= to; ++r) {
        if (!request.reportGrid && grid.rowEmpty(r)) continue;
        for (int c = 1; c < grid.columnCount(); ++c)
            if (positions[static_cast<std::size_t>(c)] > 0) body.at(positions[static_cast<std::size_t>(c)], grid.cell(r, c));
        if (extra && request.extraText) body.at(extraPosition, request.extraText(r));
        body.endLine();
    }
    return {header.str(), body.str()};
}

void printPages(Surface& surface, const std::string& header, const std::string& body) {
    const double width = surface.deviceWidth(), height = surface.deviceHeight();
    surface.setScale(ScaleSpec{0, 0, width, height});
    const double margin = height * 0.04;
    const double bottom = height - margin;
    const FontSpec headerFont{"Courier New", 11, true};
    const FontSpec bodyFont{"Courier New", 11, false};
    const auto headerLines = splitLines(header);
    const auto bodyLines = splitLines(body);
    double y = margin;
    auto startPage = [&] {
        y = margin;
        surface.setFont(headerFont);
        for (const auto& l : headerLines) {
            surface.text(margin, y, l, colors::kBlack);
            y += surface.textHeight("X");
        }
        y += surface.textHeight("X");  // one empty line
        surface.setFont(bodyFont);
    };
    startPage();
    const double lineHeight = surface.textHeight("X");
    bool pageHasBody = false;
    for (const auto& l : bodyLines) {
        if (pageHasBody && y + lineHeight > bottom) {
            surface.newPage();
            startPage();
            pageHasBody = false;
        }
        surface.text(margin, y, l, colors::kBlack);
        y += lineHeight;
        pageHasBody = true;
    }
}

}  // namespace veltrix
