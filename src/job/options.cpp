#include "job/options.h"

#include "base/number_text.h"
#include "base/table_file.h"

namespace veltrix {

Objective parseOptions(std::string_view text) {
    FieldReader reader(text);
    Objective o;
    o.maximumYield = leadingDouble(reader.next()) != 0;
    o.minimumLayouts = leadingDouble(reader.next()) != 0;
    return o;
}

std::string optionsText(const Objective& objective) {
    return RecordWriter()
        .number(objective.maximumYield ? -1 : 0)
        .number(objective.minimumLayouts ? -1 : 0)
        .line();
}

}  // namespace veltrix
