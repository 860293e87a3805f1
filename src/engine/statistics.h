#pragma once
// Figures of a solution (a list of layout items), shared by the search and the report.

#include <vector>

#include "engine/types.h"

namespace veltrix::engine {

struct SolutionStatistics {
    double sheetArea = 0;  // sum over sheet items of (x2 - x1)(y2 - y1) x quantity
    double pieceArea = 0;  // the same over cut-piece items
    double yield = 0;      // pieceArea / sheetArea rounded to six decimals; 0 when sheetArea is 0
    int layouts = 0;       // layout number of the last item; 0 when sheetArea is 0
};

// Extents are single, their products and every sum double, accumulated in list order.
SolutionStatistics solutionStatistics(const std::vector<LayoutItem>& items);

// floor(y x 1e6 + 0.5) / 1e6.
double roundYield(double yield);

// Sum over sheet items of area x quantity.
double totalSheetArea(const std::vector<LayoutItem>& items);

// Sum of the areas of the cut-piece items of the last layout (the items from the end backwards
// while their layout number equals the last item's); 0 for an empty list.
double lastLayoutPieceArea(const std::vector<LayoutItem>& items);

// (x2 - x1)(y2 - y1): each extent single, the product double.
inline double itemArea(const LayoutItem& item) {
    const float w = item.x2 - item.x1;
    const float h = item.y2 - item.y1;
    return static_cast<double>(w) * static_cast<double>(h);
}

}  // namespace veltrix::engine
