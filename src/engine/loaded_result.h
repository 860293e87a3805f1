#pragma once
// A job's plan read for viewing, reporting, drawing and editing: its layout items together with the
// job's varieties numbered exactly as the engine numbered them.
//
//     const LoadedResult result = loadResult(doc.job(), doc.plan);
//     for (int n = 1; n <= result.layoutCount(); ++n)
//         for (const LayoutItem& item : result.layout(n)) ...
//
// Throws ResultError when the items do not fit the job (an item naming a sheet or cut-piece
// variety the job does not have, a layout not starting with its sheet item, an unknown item
// kind, a quantity that is not a positive number up to kLargestValue, a coordinate that is not a number or lies far
// outside its sheet), or the job holds a value no run can use: the job was edited behind the
// result, or the file was changed by hand.

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

#include "engine/types.h"
#include "job/job.h"
#include "job/plan.h"
#include "base/error.h"

namespace veltrix::engine {

// A layout result that cannot be read against the job. what() is the message for the user.
class ResultError : public InputError {
public:
    using InputError::InputError;
};

struct LoadedResult {
    // The job as every reader prepares it: Prepare input, Add kerf, Sort by area, Remove kerf.
    // In coil mode `job.sheets` is the completed list: sheet variety k belongs to the k-th layout
    // counted from the end, its length the coil length that layout uses.
    PreparedJob job;
    // The layout items in file order, consumed (-3) items left out; coil-completed in coil mode.
    std::vector<LayoutItem> items;
    // The same items before the coil completion (sheet numbers as the engine wrote them); equal to
    // `items` in sheet mode.
    std::vector<LayoutItem> storedItems;
    // layoutStart[n - 1] is the index in `items` of layout n's sheet item, its first item.
    std::vector<std::size_t> layoutStart;

    bool empty() const { return items.empty(); }
    // N: the layout number of the last item, 0 for an empty result.
    int layoutCount() const { return static_cast<int>(layoutStart.size()); }
    // Items of layout n (1 .. layoutCount()): from its start index to the next layout's start.
    std::size_t layoutBegin(int n) const { return layoutStart.at(static_cast<std::size_t>(n - 1)); }
    std::size_t layoutEnd(int n) const {
        return n < layoutCount() ? layoutStart[static_cast<std::size_t>(n)] : items.size();
    }
    std::span<const LayoutItem> layout(int n) const {
        return std::span<const LayoutItem>(items).subspan(layoutBegin(n), layoutEnd(n) - layoutBegin(n));
    }
    // The varieties an item names (1-based numbers as stored).
    const SheetVariety& sheetOf(const LayoutItem& item) const {
        return job.sheets.at(static_cast<std::size_t>(item.sheet - 1));
    }
    const CutVariety& cutOf(const LayoutItem& item) const {
        return job.cuts.at(static_cast<std::size_t>(item.piece() - 1));
    }
};

// Loads a plan against its job. The items must form layouts numbered 1, 2, ... in order, each
// beginning with its sheet item; items of kind -3 are absent wherever they stand.
LoadedResult loadResult(const Job& job, const Plan& plan);

// Coil completion: cuts every layout back to the coil length it uses. Working from the last layout
// backwards (k = 1 for the last), layout k gets a sheet variety of its own, a copy of its coil with
// length = the greatest y2 of its pieces ("used") + the bottom margin; pieces and off-cuts are cut
// off at `used`, sheet, margin and through-cut items at the new length, the bottom margin starts at
// `used`; a layout whose new length is smaller than its width is turned (x and y exchanged,
// placement codes 1 and 2 exchanged). The new list replaces `sheets`. The items must be valid
// layouts (as loadResult checks); throws ResultError otherwise.
void completeCoilLayouts(std::vector<LayoutItem>& items, std::vector<SheetVariety>& sheets);

}  // namespace veltrix::engine
