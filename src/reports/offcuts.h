#pragma once
// The off-cut table offcut.tlf: the usable remnants (off-cut and margin items) of a loaded result,
// the small ones marked "SCRAP" by the scrap criteria of scrap.dat.

#include <string>
#include <string_view>
#include <vector>

namespace veltrix {
class Workspace;
}

namespace veltrix::engine {
struct LoadedResult;
}

namespace veltrix::reports {

inline constexpr const char* kScrapFile = "scrap.dat";

// The scrap criteria: d1 the larger limit, d2 the smaller, and the rule. Only exactly "AND" takes
// the AND rule; any other text (empty included) the OR rule. No criteria (d1 = d2 = 0) mark nothing.
struct ScrapCriteria {
    float d1 = 0;
    float d2 = 0;
    std::string criteria;

    // AND: the off-cut fits inside d1 x d2 either way round. OR: either dimension is within
    // either limit. The dimensions are the inner extents before display rounding.
    bool isScrap(float length, float width) const;
};

// The one row of scrap.dat: DIM-1, CRITERIA, DIM-2 (the limits ordered larger first).
ScrapCriteria parseScrapCriteria(std::string_view text);
// scrap.dat of the working folder; no criteria when it is missing or empty.
ScrapCriteria readScrapCriteria(const Workspace& workspace);

// The columns of the scrap criteria window: DIM-1, CRITERIA, DIM-2.
const std::vector<std::string>& scrapKeys();

// The criteria window shows an empty CRITERIA cell as "OR".
std::string shownCriteria(std::string_view criteria);

// The explanation under the criteria: "Offcut having one dimension <= 300 AND other dimension <=
// 100 will be treated as SCRAP", the limits as numbers.
std::string scrapLabel(std::string_view dim1, std::string_view criteria, std::string_view dim2);

struct OffcutRow {
    int layout = 0;
    float length = 0;  // inner extent along y (y2 - y1 - kerf), display-rounded
    float width = 0;   // inner extent along x, display-rounded
    float quantity = 0;
    bool scrap = false;
};

// Every margin and off-cut item of the result in item order whose inner extents are both greater
// than 0.
std::vector<OffcutRow> offcutRows(const engine::LoadedResult& result, const ScrapCriteria& criteria);

// offcut.tlf: layout, length, width, quantity as table-file numbers and "SCRAP" or an empty text,
// e.g. 3,602.5,300,2,"".
std::string offcutTableText(const std::vector<OffcutRow>& rows);

}  // namespace veltrix::reports
