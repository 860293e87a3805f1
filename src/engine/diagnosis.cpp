#include "engine/diagnosis.h"

#include <algorithm>

#include "engine/prepare.h"
#include "base/file_ops.h"
#include "base/number_text.h"

namespace veltrix::engine {
namespace {

struct Fit {
    bool lengthwise = false;
    bool turned = false;
};

// Whether a piece of kerf-enlarged cutting size along x `across` and along y `along` fits the
// usable area of a kerf-enlarged sheet, as Place block tests the first free region.
bool fits(const SheetVariety& s, float across, float along, float blade, float tolerance) {
    const float stepX = across - tolerance, stepY = along - tolerance;
    if (!(stepX > 0) || !(stepY > 0)) return false;
    const float width = (s.width - s.marginRight) - s.marginLeft;
    const float length = (s.length - s.marginBottom) - s.marginTop;
    return width >= stepX && length >= stepY && blade >= stepY;
}

}  // namespace

std::optional<std::string> unplaceablePieceMessage(const Job& job) {
    PreparedJob stock = prepareInput(job);
    addKerf(stock);
    const float kerf = job.basic.kerf;
    const float blade = job.basic.blade + kerf;
    const float tolerance = job.basic.tolerance;
    const bool grain = job.basic.hasGrain();
    if (stock.sheets.empty()) return std::nullopt;

    for (std::size_t r = 0; r < job.cuts.size(); ++r) {
        const CutRow& row = job.cuts[r];
        const float length = row.length - row.widthBand1 - row.widthBand2;
        const float width = row.width - row.lengthBand1 - row.lengthBand2;
        if (!(length > 0 && width > 0 && row.quantity > 0)) continue;
        const float along = length + kerf, across = width + kerf;
        const bool locked = grain && !trimBlanks(row.align).empty();
        Fit fit;
        float longestSide = 0;
        for (const SheetVariety& s : stock.sheets) {
            fit.lengthwise = fit.lengthwise || fits(s, across, along, blade, tolerance);
            fit.turned = fit.turned || fits(s, along, across, blade, tolerance);
            const float usableLength = (s.length - s.marginBottom) - s.marginTop;
            const float usableWidth = (s.width - s.marginRight) - s.marginLeft;
            longestSide = std::max({longestSide, std::min(usableLength, blade), usableWidth});
        }
        if (fit.lengthwise || (fit.turned && !locked)) continue;
        std::string why;
        if (fit.turned)
            why = "it must follow the grain, and lengthwise it does not fit any sheet; it would fit turned";
        else if (std::max(along, across) - tolerance > longestSide)
            why = "it is longer than every sheet (and the blade)";
        else
            why = "it is wider than every sheet";
        const std::string name = trimBlanks(row.description).empty() ? "" : " " + trimBlanks(row.description);
        return "Cut-piece row " + std::to_string(r + 1) + " (" + generalText(row.length) + " x " +
               generalText(row.width) + name + ") cannot be placed on any sheet: " + why + ".";
    }
    return std::nullopt;
}

}  // namespace veltrix::engine
