#include "engine/statistics.h"

#include <cmath>

namespace veltrix::engine {

double roundYield(double yield) { return std::floor(yield * 1e6 + 0.5) / 1e6; }

SolutionStatistics solutionStatistics(const std::vector<LayoutItem>& items) {
    SolutionStatistics s;
    for (const auto& item : items) {
        if (item.kind == ItemKind::Sheet)
            s.sheetArea += itemArea(item) * static_cast<double>(item.quantity);
        else if (item.isPiece())
            s.pieceArea += itemArea(item) * static_cast<double>(item.quantity);
    }
    if (s.sheetArea == 0) return s;
    s.yield = roundYield(s.pieceArea / s.sheetArea);
    s.layouts = items.back().layout;
    return s;
}

double totalSheetArea(const std::vector<LayoutItem>& items) {
    double total = 0;
    for (const auto& item : items)
        if (item.kind == ItemKind::Sheet) total += itemArea(item) * static_cast<double>(item.quantity);
    return total;
}

double lastLayoutPieceArea(const std::vector<LayoutItem>& items) {
    if (items.empty()) return 0;
    const int last = items.back().layout;
    std::size_t first = items.size();
    while (first > 0 && items[first - 1].layout == last) --first;
    double area = 0;
    for (std::size_t i = first; i < items.size(); ++i)
        if (items[i].isPiece()) area += itemArea(items[i]);
    return area;
}

}  // namespace veltrix::engine
