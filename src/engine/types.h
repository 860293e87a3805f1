#pragma once
// The engine's records: the sheet and cut-piece varieties it works with, prepared from a job.
//
// Sizes, coordinates and quantities are single precision, as the result files store them; counts
// and numbers are wide integers (no limit of 32767 varieties or items).

#include <string>
#include <vector>

#include "job/job.h"
#include "job/plan.h"

namespace veltrix::engine {

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

// The eight ways of filling a sheet, numbered 1 to 8. Strategies 1, 2, 5 and 6 fill across the
// sheet (the next free region is the topmost, then the leftmost) and need the usable width within
// the blade; 3, 4, 7 and 8 fill along it (leftmost, then topmost) and need the usable length within
// the blade. In the ordered phase odd strategies place pieces as entered, even ones turned. The
// cut that frees the rest of a region after a block: 1 and 2 rows first at the left margin, else
// columns first; 3 and 4 columns first at the top margin, else rows first; 5 and 6 always rows
// first; 7 and 8 always columns first.
enum class FillStrategy : int {
    AcrossFromMargin = 1,
    AcrossFromMarginTurned = 2,
    AlongFromMargin = 3,
    AlongFromMarginTurned = 4,
    AcrossRowsFirst = 5,
    AcrossRowsFirstTurned = 6,
    AlongColumnsFirst = 7,
    AlongColumnsFirstTurned = 8,
};
inline constexpr int kStrategyCount = 8;
constexpr int strategyNumber(FillStrategy s) { return static_cast<int>(s); }
constexpr FillStrategy strategyOfNumber(int number) { return static_cast<FillStrategy>(number); }

// The job as the engine reads it. Variety number n (as layout items name it) is element n - 1.
struct PreparedJob {
    BasicDetails basic;
    std::vector<SheetVariety> sheets;
    std::vector<CutVariety> cuts;
    OptimizationMode mode = OptimizationMode::MaximumYield;
    StockMode stock = StockMode::Sheet;
};

}  // namespace veltrix::engine
