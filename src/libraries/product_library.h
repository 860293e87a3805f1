#pragma once
// The product library plm.dat (products as lists of cut-pieces) and the list of product names
// products.lst that the product chooser shows.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

class GridTable;
class Workspace;

inline constexpr const char* kProductLibraryFile = "plm.dat";
inline constexpr const char* kProductLibraryCopy = "plm.tlf";
inline constexpr const char* kProductListFile = "products.lst";

// Fields of a product library row, in file order (0-based).
enum ProductField {
    kProdName = 0, kProdDescription, kProdMat, kProdGrain, kProdThick,
    kProdLength, kProdLenEdge1, kProdLenRem1, kProdLenEdge2, kProdLenRem2,
    kProdWidth, kProdWidEdge1, kProdWidRem1, kProdWidEdge2, kProdWidRem2,
    kProdQty, kProdAlign, kProdLabelFile, kProdDxfFile
};
inline constexpr std::size_t kProductFields = 19;
using ProductRow = std::array<std::string, kProductFields>;

// PRODUCT, DESCRIPTION, MAT, GRAIN, THICK, LENGTH, EDGE-1, REM-1, EDGE-2, REM-2, WIDTH, EDGE-1,
// REM-1, EDGE-2, REM-2, QTY, ALIGN, LABELFILE, DXFFILE.
const std::vector<std::string>& productLibraryKeys();

std::filesystem::path productLibraryPath(const Workspace& workspace);
std::vector<ProductRow> parseProducts(std::string_view text);

// The distinct non-empty product names in order of first appearance (letter case counts).
std::vector<std::string> productNames(const std::vector<ProductRow>& rows);

// Rewrites products.lst in the working folder from plm.dat: one quoted name a line.
// Throws FileError when the list cannot be written.
void rebuildProductList(const Workspace& workspace);
// The names of products.lst, for the product chooser; nothing when it does not exist.
std::vector<std::string> readProductList(const Workspace& workspace);

// The library window's grid filled from plm.dat, bound to the working copy plm.tlf; with a report
// option other than "Area With Edge Banding" its eight edge-banding columns are hidden (their
// contents are kept and saved).
GridTable loadProductLibraryGrid(const Workspace& workspace, std::string_view reportOption);

// "Update" with Yes: the grid's rows, sorted on PRODUCT, replace plm.dat (locked, atomic) and the
// product list is rebuilt. Throws FileError; the library then stays as it was.
void saveProductLibrary(const Workspace& workspace, const GridTable& grid);

}  // namespace veltrix
