#pragma once
// The optimization objective: the check marks "Maximum Yield" and "Minimum Layouts", kept in
// options.tlf as two whole numbers (-1 checked, 0 unchecked).

#include <string>
#include <string_view>

namespace veltrix {

struct Objective {
    bool maximumYield = true;
    bool minimumLayouts = false;

    // Choosing either menu item flips both check marks.
    void flip() {
        maximumYield = !maximumYield;
        minimumLayouts = !minimumLayouts;
    }
    // The engine's optimisation mode: 2 when "Minimum Layouts" is checked, else 1 when
    // "Maximum Yield" is, else 0 (only the first complete solution is taken).
    int mode() const { return minimumLayouts ? 2 : (maximumYield ? 1 : 0); }
};

// Reads the two numbers of options.tlf; a number other than 0 checks its item. A missing or
// empty text gives both unchecked.
Objective parseOptions(std::string_view text);
// The options.tlf line, e.g. "-1,0" followed by CR LF.
std::string optionsText(const Objective& objective);

}  // namespace veltrix
