#pragma once
// Cells exchanged with other programs through the clipboard as tab-separated text (lines ended by
// CR LF, hidden columns taking no field), and the printout of a grid: a header of file name, date,
// window caption and column keys, and one line per row with every visible cell at its column's
// print position.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

class GridTable;
class Prompt;
class Surface;

// The cells from (row, column) to (endRow, endColumn), visible columns only, fields separated by
// tabs, every line ended by CR LF. An end above or left of the start gives an empty text.
std::string copySelection(const GridTable& table, int row, int column, int endRow, int endColumn);

// Fills cells from (row, column) with the clipboard text: line i goes to row + i (a row is
// appended when it is needed), its tab-separated fields to the visible columns from `column` on;
// extra fields are ignored and columns beyond the last field keep their text. A double quote or a
// comma cannot be stored in a table file: pasted cells lose them. A trailing line break adds no
// row. Returns the number of lines pasted.
int pasteText(GridTable& table, int row, int column, std::string_view text);

inline constexpr const char* kPasteQuestion = "Paste from clipboard ?";
// "Paste from clipboard ?" (Yes/No, the application title).
bool confirmPaste(Prompt& prompt);

struct GridPrintout {
    std::vector<std::string> header;  // header.tlf
    std::vector<std::string> body;    // Print.txt
};

struct GridPrintRequest {
    std::string caption;       // the window caption
    std::string projectPath;   // the job's project file ("File: " line only when not empty)
    int firstRow = 1;          // rows printed, both included
    int lastRow = 0;
    bool everyRow = false;     // the report grid prints empty rows too and has no key line
    // The material library and the off-cut grid add the weight or area of each row after the last
    // column: the heading ("WEIGHT" or "AREA", empty for none) and a text per grid row.
    std::optional<std::string> extraHeading;
    std::vector<std::string> extraTexts;  // indexed by grid row
};

// 1-based print positions of the data columns (0 for hidden ones): the first visible column at 1,
// each next visible column max(key length, width) of the column before it plus 2 further.
std::vector<int> printPositions(const GridTable& table);

GridPrintout gridPrintout(const GridTable& table, const GridPrintRequest& request, const std::string& date);

// Writes header.tlf and Print.txt into `folder`'s files (CR LF line ends). Throws FileError.
void writePrintFiles(const GridPrintout& printout, const std::string& headerFile, const std::string& bodyFile);

// Prints the lines on pages: each page starts with the header lines in bold "Courier New" 11 point
// and one empty line, body lines follow in regular "Courier New" 11 point; a line that would pass
// the bottom of the page starts a new page with the header again. Returns the number of pages.
int printPages(const GridPrintout& printout, Surface& surface);

}  // namespace veltrix
