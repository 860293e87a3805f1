#include "libraries/product_library.h"

#include <algorithm>

#include "job/settings.h"
#include "libraries/library_records.h"
#include "table/grid_table.h"
#include "base/workspace.h"

namespace veltrix {

const std::vector<std::string>& productLibraryKeys() {
    static const std::vector<std::string> keys{
        "PRODUCT", "DESCRIPTION", "MAT", "GRAIN", "THICK", "LENGTH", "EDGE-1", "REM-1", "EDGE-2", "REM-2",
        "WIDTH", "EDGE-1", "REM-1", "EDGE-2", "REM-2", "QTY", "ALIGN", "LABELFILE", "DXFFILE"};
    return keys;
}

std::filesystem::path productLibraryPath(const Workspace& workspace) {
    return libraryFile(workspace, kProductLibraryFile);
}

std::vector<ProductRow> parseProducts(std::string_view text) { return readFixedRecords<kProductFields>(text); }

std::vector<std::string> productNames(const std::vector<ProductRow>& rows) {
    std::vector<std::string> names;
    for (const ProductRow& row : rows) {
        const std::string& name = row[kProdName];
        if (name.empty() || std::find(names.begin(), names.end(), name) != names.end()) continue;
        names.push_back(name);
    }
    return names;
}

void rebuildProductList(const Workspace& workspace) {
    std::string text;
    for (const std::string& name : productNames(parseProducts(readWholeFile(productLibraryPath(workspace)))))
        text += quotedRecord({name});
    writeFileAtomic(workspace.file(kProductListFile), text);
}

std::vector<std::string> readProductList(const Workspace& workspace) {
    return loadList(workspace.file(kProductListFile));
}

GridTable loadProductLibraryGrid(const Workspace& workspace, std::string_view reportOption) {
    GridTable grid(productLibraryKeys());
    grid.loadText(recordsText(parseProducts(readWholeFile(productLibraryPath(workspace)))));
    grid.setBoundFile(workspace.file(kProductLibraryCopy));
    const bool hide = reportOption != kOptionAreaBanding;
    for (int c : {7, 8, 9, 10, 12, 13, 14, 15}) grid.setHidden(c, hide);
    return grid;
}

void saveProductLibrary(const Workspace& workspace, const GridTable& grid) {
    GridTable sorted = grid;
    sorted.setBoundFile({});
    sorted.sort(1, SortDirection::Ascending);
    rewriteLocked(productLibraryPath(workspace), [&](std::string) { return sorted.saveText(); });
    rebuildProductList(workspace);
}

}  // namespace veltrix
