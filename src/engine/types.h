#pragma once
// The engine's records: the basic details of a job, the sheet and cut-piece varieties the engine
// works with, and the layout item, the record of a layout result.
//
// Sizes, coordinates and quantities are single precision, as the result files store them; counts
// and numbers are wide integers (no limit of 32767 varieties or items).

#include <string>
#include <vector>

#include "job/job_tables.h"

namespace veltrix::engine {

// Row 1 of the basic-details table; numbers are the leading number of the cell text, 0 when the
// text does not begin with one.
struct BasicDetails {
    std::string material;
    std::string grain;  // not empty: the job has a grain direction
    float thickness = 0;
    float blade = 0;      // the longest cut the saw can make
    float tolerance = 0;  // how much smaller than asked a piece may come out
    float kerf = 0;       // width lost per cut
    float minOffcut = 0;  // smallest acceptable side of a leftover
    std::string note;
};

// One kept stock row (a coil in coil mode). Field order is that of s.tlf.
struct SheetVariety {
    float length = 0;
    float width = 0;
    float quantity = 0;  // 9999999 for every coil
    int grain = 0;       // 1 when the job has a grain direction
    float marginLeft = 0;
    float marginTop = 0;
    float marginRight = 0;
    float marginBottom = 0;
    std::string location;

    bool operator==(const SheetVariety&) const = default;
};

// One kept cut-piece row. Length and width are the sawn ("cutting") sizes: the finished size less
// the two edge bands glued on the edges across it.
struct CutVariety {
    float length = 0;  // cutting length: LENGTH less the two bands on the width edges
    float lengthBand1 = 0;
    std::string lengthRemark1;
    float lengthBand2 = 0;
    std::string lengthRemark2;
    float width = 0;  // cutting width: WIDTH less the two bands on the length edges
    float widthBand1 = 0;
    std::string widthRemark1;
    float widthBand2 = 0;
    std::string widthRemark2;
    float quantity = 0;  // still to be cut
    int align = 0;       // 1 when the job has a grain and the piece must follow it
    std::string alignText;
    std::string description;
    std::string product;
    std::string client;
    std::string labelFile;
    std::string dxfFile;

    bool operator==(const CutVariety&) const = default;
};

// Item kinds of a layout. Kinds 1 and above are cut-piece items naming their cut-piece variety.
inline constexpr int kSheetItem = -1;     // the whole sheet
inline constexpr int kMarginItem = -2;    // one of the four trim margins
inline constexpr int kConsumedItem = -3;  // absent: a used-up region, or a through cut undone by an edit
inline constexpr int kOffcutItem = -4;    // a leftover rectangle
inline constexpr int kBlockedItem = -5;   // only while a sheet is being filled
inline constexpr int kThroughCut = -6;    // a cut across the whole sheet (x1 = x2 or y1 = y2)

// One record of a layout result (dia.tlf). Coordinates are in the job's unit from the sheet's
// top-left corner, x across the width and y along the length, and include the kerf.
struct LayoutItem {
    int layout = 0;  // layout number 1, 2, ...
    int kind = 0;
    int sheet = 0;  // sheet variety number (1-based position in the prepared list)
    float x1 = 0;
    float y1 = 0;
    float x2 = 0;
    float y2 = 0;
    float quantity = 0;  // identical sheets cut with this layout, the same on all its items
    int placement = 0;   // cut-piece items: 1 length along y, 2 turned; 0 on other kinds

    bool isPiece() const { return kind >= 1; }
    bool operator==(const LayoutItem&) const = default;
};

// The job as the engine reads it. Variety number n (as layout items name it) is element n - 1.
struct PreparedJob {
    BasicDetails basic;
    std::vector<SheetVariety> sheets;
    std::vector<CutVariety> cuts;
    int mode = 1;  // optimisation mode: 1 "Maximum Yield", 2 "Minimum Layouts", 0 neither
    StockMode stock = StockMode::Sheet;
};

}  // namespace veltrix::engine
