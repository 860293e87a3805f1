#pragma once
// The material library mlm.dat: stock sheets and kept off-cuts by material, grain, thickness, size
// and location, shared by the workstations through the library folder. Every change of the file
// is a locked, atomic read-merge-write.

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

class GridTable;
class Workspace;

inline constexpr const char* kMaterialLibraryFile = "mlm.dat";
// The working copy the library window's grid is bound to (written by its sort, never read back).
inline constexpr const char* kMaterialLibraryCopy = "mlm.tlf";

// Fields of a stock record, in file order.
enum StockField { kStockMat = 0, kStockGrain, kStockThick, kStockLength, kStockWidth, kStockQty, kStockLocation };
inline constexpr std::size_t kStockFields = 7;
using StockRecord = std::array<std::string, kStockFields>;

// MAT, GRAIN, THICK, LENGTH, WIDTH, QTY, LOCATION.
const std::vector<std::string>& materialLibraryKeys();

// The location of off-cuts too small to keep.
inline constexpr const char* kScrapLocation = "SCRAP";

// The library file in the library folder of netpath.set.
std::filesystem::path materialLibraryPath(const Workspace& workspace);

// The records of a library text, one a line (a short line filled with empty fields, extra fields
// dropped): what the window and the import show.
std::vector<StockRecord> parseStock(std::string_view text);
// The same, for a text about to be rewritten: throws InputError naming every damaged line (its
// number and what is wrong: not seven well-formed fields, a size or quantity beyond the numbers
// the library can hold), so that a merge never turns a damaged record into a wrong one.
std::vector<StockRecord> parseStockForRewrite(std::string_view text, const std::filesystem::path& file);
// The file text: fields trimmed and quoted; records whose fields are all blank are dropped.
std::string stockText(const std::vector<StockRecord>& records);

// Orders the records as the library grid's sort on MAT does: on MAT and every column to its right,
// as text ignoring letter case, equal records keeping their order. Fields are trimmed (before they
// are compared) and records whose fields are all blank are dropped.
void sortOnMaterial(std::vector<StockRecord>& records);

// Folds equal stock together. For each record i with a MAT, the records after it are scanned;
// once one with the same MAT has been met the scan ends at the first record of another MAT (the
// records are in MAT order). A record with the same MAT, GRAIN and LOCATION (exact text) and the
// same THICK, LENGTH and WIDTH (numeric value: 18 equals 18.0) adds its QTY to i's and is emptied.
// A QTY that comes to 0 is written empty. Text that is not a number counts as 0. Throws
// InputError when quantities add up beyond the numbers a quantity can hold.
void mergeStock(std::vector<StockRecord>& records);

// Sort on MAT, then merge: what "Update" with Yes and the automatic merge do to the file.
void sortAndMergeStock(std::vector<StockRecord>& records);

// Sorts and merges the library file in place (locked, atomic). Throws FileError when the file
// cannot be read or written, InputError when it holds damaged records; the library then stays as
// it was.
void mergeMaterialLibrary(const Workspace& workspace);

// "Update" with Yes in the library window: the grid's rows, sorted on MAT and merged, replace the
// library file (locked, atomic). Throws FileError.
void saveMaterialLibrary(const Workspace& workspace, const GridTable& grid);

// Appends records to the library and merges it, as one locked, atomic rewrite: either all the
// records reach the library or, when writing fails, none does. Throws FileError, InputError as
// mergeMaterialLibrary.
void appendToMaterialLibrary(const Workspace& workspace, const std::vector<StockRecord>& records);

// The library window's grid: columns of materialLibraryKeys() filled from the library file, one
// record a line, bound to the working copy mlm.tlf.
GridTable loadMaterialLibraryGrid(const Workspace& workspace);

}  // namespace veltrix
