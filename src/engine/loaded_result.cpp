#include "engine/loaded_result.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "engine/prepare.h"
#include "base/number_text.h"

namespace veltrix::engine {
namespace {

bool knownKind(const LayoutItem& item) {
    switch (item.kind) {
        case ItemKind::Sheet:
        case ItemKind::Margin:
        case ItemKind::Offcut:
        case ItemKind::ThroughCut: return true;
        default: return item.isPiece();
    }
}

std::string lineText(std::size_t index) { return "line " + std::to_string(index + 1); }

std::string plural(std::size_t count, const char* word) {
    return std::to_string(count) + " " + word + (count == 1 ? "" : "s");
}

// Checks the stored items against the prepared job; returns them without the absent (-3) items.
std::vector<LayoutItem> checkedItems(const std::vector<LayoutItem>& stored, const PreparedJob& job) {
    const char* stockWord = job.stock == StockMode::Coil ? "coil" : "sheet";
    std::vector<LayoutItem> items;
    items.reserve(stored.size());
    int layout = 0;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        const LayoutItem& item = stored[i];
        if (item.kind == ItemKind::Consumed) continue;
        const std::string where = "The layout result does not fit this job (" + lineText(i) + "): ";
        if (!knownKind(item))
            throw ResultError(where + "unknown item kind " + std::to_string(item.kindCode()) + ".");
        if (item.sheet < 1 || static_cast<std::size_t>(item.sheet) > job.sheets.size())
            throw ResultError(where + "it names " + stockWord + " " + std::to_string(item.sheet) +
                              ", but the job has " + plural(job.sheets.size(), stockWord) +
                              ". Optimize the job again.");
        if (item.isPiece() && static_cast<std::size_t>(item.piece()) > job.cuts.size())
            throw ResultError(where + "it names cut-piece " + std::to_string(item.piece()) + ", but the job has " +
                              plural(job.cuts.size(), "cut-piece") + ". Optimize the job again.");
        // The number of sheets cut with the layout: more than none, and no more than a row may hold.
        if (!(item.quantity > 0 && item.quantity <= kLargestValue))
            throw ResultError(where + "its quantity " + generalText(item.quantity) +
                              " is not a number of sheets. Optimize the job again.");
        // Coordinates lie on the sheet named, with room for the kerf and edits near its edges;
        // anything far beyond (or not a number) is a damaged file.
        const SheetVariety& sheet = job.sheets[static_cast<std::size_t>(item.sheet - 1)];
        const float reach = 2 * (std::max(sheet.length, sheet.width) + std::fabs(job.basic.kerf));
        for (const float c : {item.x1, item.y1, item.x2, item.y2}) {
            if (!(std::fabs(c) <= reach))
                throw ResultError(where + "its coordinate " + generalText(c) + " lies far outside its " + stockWord +
                                  ". Optimize the job again.");
        }
        if (item.kind == ItemKind::Sheet) {
            if (item.layout != layout + 1)
                throw ResultError(where + "layout " + std::to_string(item.layout) + " follows layout " +
                                  std::to_string(layout) + "; layouts must be numbered 1, 2, ... in order.");
            layout = item.layout;
        } else if (layout == 0) {
            throw ResultError(where + "the first layout does not begin with its sheet item.");
        } else if (item.layout != layout) {
            throw ResultError(where + "an item of layout " + std::to_string(item.layout) +
                              " stands among the items of layout " + std::to_string(layout) + ".");
        }
        items.push_back(item);
    }
    return items;
}

void clampBelow(float& value, float limit, bool inclusive) {
    if (inclusive ? value >= limit : value > limit) value = limit;
}

}  // namespace

void completeCoilLayouts(std::vector<LayoutItem>& items, std::vector<SheetVariety>& sheets) {
    std::vector<SheetVariety> completed;
    std::size_t end = items.size();
    while (end > 0) {
        std::size_t start = end - 1;
        while (start > 0 && items[start].kind != ItemKind::Sheet) --start;
        const LayoutItem& sheetItem = items[start];
        if (sheetItem.kind != ItemKind::Sheet || sheetItem.sheet < 1 ||
            static_cast<std::size_t>(sheetItem.sheet) > sheets.size())
            throw ResultError("The layout result does not fit this job: a layout without a valid coil item.");
        const int k = static_cast<int>(completed.size()) + 1;

        float used = 0;
        for (std::size_t i = start; i < end; ++i)
            if (items[i].isPiece() && items[i].y2 > used) used = items[i].y2;
        SheetVariety variety = sheets[static_cast<std::size_t>(sheetItem.sheet - 1)];
        variety.length = used + variety.marginBottom;

        for (std::size_t i = start; i < end; ++i) {
            LayoutItem& item = items[i];
            item.sheet = k;
            if (item.isPiece() || item.kind == ItemKind::Offcut) {
                clampBelow(item.y1, used, true);
                clampBelow(item.y2, used, false);
            } else {
                clampBelow(item.y1, variety.length, true);
                clampBelow(item.y2, variety.length, false);
            }
        }
        if (end - start >= 5) items[start + 4].y1 = used;  // the bottom margin starts where the pieces end

        if (variety.length < variety.width) {
            std::swap(variety.length, variety.width);
            for (std::size_t i = start; i < end; ++i) {
                LayoutItem& item = items[i];
                std::swap(item.x1, item.y1);
                std::swap(item.x2, item.y2);
                if (item.placement == Placement::Lengthwise)
                    item.placement = Placement::Turned;
                else if (item.placement == Placement::Turned)
                    item.placement = Placement::Lengthwise;
            }
        }
        completed.push_back(std::move(variety));
        end = start;
    }
    sheets = std::move(completed);
}

LoadedResult loadResult(const Job& job, const Plan& plan) {
    if (!plan.empty()) {
        if (const auto problem = impossibleValue(job)) throw ResultError(*problem + " Mend the job and optimize it again.");
    }
    LoadedResult result;
    result.job = prepareNumbering(job);
    result.storedItems = checkedItems(plan.items, result.job);
    result.items = result.storedItems;
    if (job.mode == StockMode::Coil) completeCoilLayouts(result.items, result.job.sheets);
    for (std::size_t i = 0; i < result.items.size(); ++i)
        if (result.items[i].kind == ItemKind::Sheet) result.layoutStart.push_back(i);
    return result;
}

}  // namespace veltrix::engine
