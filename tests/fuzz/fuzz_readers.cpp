// Feeds arbitrary bytes to the table-file, project-file, plan and CSV readers.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "job/document.h"
#include "job/plan.h"
#include "job/project_file.h"
#include "base/csv.h"
#include "table/grid_table.h"
#include "base/table_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    veltrix::FieldReader reader(text);
    while (!reader.atEnd()) reader.next();
    veltrix::GridTable grid({"LENGTH", "DESCRIPTION", "QTY"});
    grid.loadText(text);
    grid.saveText();
    grid.sort(1, veltrix::SortDirection::Descending);
    const veltrix::Project project = veltrix::parseProject(text);
    const veltrix::Document document = veltrix::documentOfProject(project, veltrix::StockMode::Sheet);
    veltrix::projectText(veltrix::projectOfDocument(document));
    veltrix::planText(veltrix::parsePlan(text));
    veltrix::parseCsv(text);
    return 0;
}
