#include "reports/offcuts.h"

#include <utility>

#include "engine/loaded_result.h"
#include "base/file_ops.h"
#include "base/number_text.h"
#include "base/table_file.h"
#include "base/workspace.h"

namespace veltrix::reports {

bool ScrapCriteria::isScrap(float length, float width) const {
    if (criteria == "AND") return (length <= d1 && width <= d2) || (width <= d1 && length <= d2);
    return length <= d1 || width <= d2 || width <= d1 || length <= d2;
}

ScrapCriteria parseScrapCriteria(std::string_view text) {
    FieldReader reader(text);
    ScrapCriteria c;
    c.d1 = leadingFloat(reader.next());
    c.criteria = reader.next();
    c.d2 = leadingFloat(reader.next());
    if (c.d1 < c.d2) std::swap(c.d1, c.d2);
    return c;
}

ScrapCriteria readScrapCriteria(const Workspace& workspace) {
    return parseScrapCriteria(readWholeFile(workspace.file(kScrapFile)));
}

const std::vector<std::string>& scrapKeys() {
    static const std::vector<std::string> keys{"DIM-1", "CRITERIA", "DIM-2"};
    return keys;
}

std::string shownCriteria(std::string_view criteria) { return criteria.empty() ? "OR" : std::string(criteria); }

std::string scrapLabel(std::string_view dim1, std::string_view criteria, std::string_view dim2) {
    return "Offcut having one dimension <= " + generalText(leadingFloat(dim1)) + " " + std::string(criteria) + " " +
           "other dimension <= " + generalText(leadingFloat(dim2)) + " will be treated as SCRAP";
}

std::vector<OffcutRow> offcutRows(const engine::LoadedResult& result, const ScrapCriteria& criteria) {
    const float kerf = result.job.basic.kerf;
    std::vector<OffcutRow> rows;
    for (const LayoutItem& item : result.items) {
        if (item.kind != ItemKind::Offcut && item.kind != ItemKind::Margin) continue;
        const float length = item.y2 - item.y1 - kerf;
        const float width = item.x2 - item.x1 - kerf;
        if (!(length > 0 && width > 0)) continue;
        rows.push_back({item.layout, displayRound(length), displayRound(width), item.quantity,
                        criteria.isScrap(length, width)});
    }
    return rows;
}

std::string offcutTableText(const std::vector<OffcutRow>& rows) {
    std::string text;
    for (const OffcutRow& row : rows)
        text += RecordWriter()
                    .number(row.layout)
                    .number(row.length)
                    .number(row.width)
                    .number(row.quantity)
                    .text(row.scrap ? "SCRAP" : "")
                    .line();
    return text;
}

}  // namespace veltrix::reports
