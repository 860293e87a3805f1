#pragma once
// The optimization objective: the check marks "Maximum Yield" and "Minimum Layouts", kept in
// options.tlf as two whole numbers (-1 checked, 0 unchecked).

#include <string>
#include <string_view>

namespace veltrix {

// What the search keeps of the complete plans it finds.
enum class OptimizationMode {
    FirstComplete = 0,   // neither item checked: the first complete plan stays
    MaximumYield = 1,    // the highest yield, then the fewest layouts
    MinimumLayouts = 2,  // the fewest layouts, then the highest yield
};

struct Objective {
    bool maximumYield = true;
    bool minimumLayouts = false;

    // Choosing either menu item flips both check marks.
    void flip() {
        maximumYield = !maximumYield;
        minimumLayouts = !minimumLayouts;
    }
    // "Minimum Layouts" when checked, else "Maximum Yield" when checked, else the first complete
    // plan.
    OptimizationMode mode() const {
        if (minimumLayouts) return OptimizationMode::MinimumLayouts;
        return maximumYield ? OptimizationMode::MaximumYield : OptimizationMode::FirstComplete;
    }
    bool operator==(const Objective&) const = default;
};

// Reads the two numbers of options.tlf; a number other than 0 checks its item. A missing or
// empty text gives both unchecked.
Objective parseOptions(std::string_view text);
// The options.tlf line, e.g. "-1,0" followed by CR LF.
std::string optionsText(const Objective& objective);

}  // namespace veltrix
