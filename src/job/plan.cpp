#include "job/plan.h"

#include <cmath>

#include "base/number_text.h"
#include "base/table_file.h"

namespace veltrix {
namespace {

int wholeNumber(const std::string& field) {
    const double value = roundHalfEven(leadingDouble(field));
    if (!(std::fabs(value) <= 2147483647.0)) return 0;
    return static_cast<int>(value);
}

}  // namespace

std::string layoutItemRecord(const LayoutItem& item) {
    return RecordWriter()
        .number(item.layout)
        .number(item.kindCode())
        .number(item.sheet)
        .number(item.x1)
        .number(item.y1)
        .number(item.x2)
        .number(item.y2)
        .number(item.quantity)
        .number(static_cast<int>(item.placement))
        .str();
}

Plan parsePlan(std::string_view text) {
    // A blank line holds no item: read as a field it would shift every record after it.
    std::string records;
    for (const std::string& line : splitLines(text))
        if (line.find_first_not_of(" \t") != std::string::npos) records += line + "\r\n";
    Plan plan;
    FieldReader reader(records);
    while (!reader.atEnd()) {
        LayoutItem item;
        item.layout = wholeNumber(reader.next());
        item.kind = static_cast<ItemKind>(wholeNumber(reader.next()));
        item.sheet = wholeNumber(reader.next());
        item.x1 = leadingFloat(reader.next());
        item.y1 = leadingFloat(reader.next());
        item.x2 = leadingFloat(reader.next());
        item.y2 = leadingFloat(reader.next());
        item.quantity = leadingFloat(reader.next());
        item.placement = static_cast<Placement>(wholeNumber(reader.next()));
        plan.items.push_back(item);
    }
    return plan;
}

std::string planText(const Plan& plan) {
    std::string text;
    text.reserve(plan.items.size() * 40);
    for (const auto& item : plan.items) {
        text += layoutItemRecord(item);
        text += "\r\n";
    }
    return text;
}

}  // namespace veltrix
