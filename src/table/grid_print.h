#pragma once
// Printing a grid: the page header (header.tlf) and the body (Print.txt) as text, then the pages
// on a paged surface.

#include <functional>
#include <string>
#include <vector>

namespace veltrix {

class GridTable;
class Surface;

struct GridPrintRequest {
    std::string caption;      // the window caption
    std::string projectPath;  // "File: " line when not empty
    std::string date;         // "dd-mm-yyyy"
    int firstRow = 1, lastRow = 1;  // the rows to print, in either order
    bool reportGrid = false;  // the report grid prints every row and no column heading
    // The material library and off-cut grids add a weight-or-area column: its heading (already in
    // upper case, empty for none) and its text for a row.
    std::string extraHeading;
    std::function<std::string(int row)> extraText;
};

struct GridPrintout {
    std::string header;  // header.tlf
    std::string body;    // Print.txt
};

// 1-based print positions of the visible data columns (0 for hidden ones), indexed by column.
std::vector<int> printPositions(const GridTable& grid);

GridPrintout formatGridPrintout(const GridTable& grid, const GridPrintRequest& request);

// Prints body lines under the header lines on every page: the header in bold "Courier New" 11 pt,
// one empty line, then the body in regular "Courier New" 11 pt; a line that would pass the bottom
// of the page starts the next page.
void printPages(Surface& surface, const std::string& header, const std::string& body);

}  // namespace veltrix
