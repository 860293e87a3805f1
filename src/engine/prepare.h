#pragma once
// Engine input: the job's rows made the engine's records, filtered, merged, enlarged by the kerf
// and sorted by area. A cut-piece item of a layout names its variety by its position in the
// prepared list, so every reader of a result repeats exactly this preparation
// (prepareNumbering below).

#include <optional>
#include <string>
#include <vector>

#include "engine/types.h"
#include "job/job.h"

namespace veltrix::engine {

// Validation messages, in the order the checks run.
inline constexpr const char* kWrongBladeMessage = "Wrong BLADE specfied.";
inline constexpr const char* kNoSheetsMessage = "No valid SHEETS specified.";
inline constexpr const char* kNoCoilsMessage = "No valid COILS specified.";
inline constexpr const char* kNoCutsMessage = "No valid CUT-PIECES specfied.";

// The quantity every coil gets, whatever the table says.
inline constexpr float kCoilQuantity = 9999999.0f;

// Prepare input: keeps the rows that can be cut, in table order, and merges identical rows.
//  - a sheet is kept when length - (top + bottom margin) > 0, width - (left + right margin) > 0,
//    quantity > 0 and blade length >= width; in coil mode the quantity is 9999999;
//  - a cut-piece is kept when its cutting length, cutting width and quantity are > 0.
PreparedJob prepareInput(const Job& job);

// Merging: the first of several identical varieties takes the summed quantity and the others
// keep their places with quantity 0, so the numbering of later varieties does not change. A
// variety already merged away absorbs nothing. Sheets compare every field but the quantity;
// cut-pieces likewise.
void mergeSheets(std::vector<SheetVariety>& sheets);
void mergeCuts(std::vector<CutVariety>& cuts);

// Add kerf: length and width of every sheet and cut-piece variety grow by the kerf; Remove kerf
// subtracts it again. Margins are not changed. Nothing happens when the kerf is 0.
void addKerf(PreparedJob& job);
void removeKerf(PreparedJob& job);

// Sort by area: a fixed sequence of compare-exchange passes that orders each list by decreasing
// length x width. It is not a full sort, and the numbering of the varieties is exactly its result:
// for gap g from (n + 1) / 2 down to 1, p = round((n + 1) / g) - 1 (halves to even) blocks; in
// block b, each i from 1 + (b - 1)g to min(bg, n - g) is exchanged with i + g when the area of
// i + g is greater (equal areas never move).
void sortByArea(PreparedJob& job);
void sortSheetsByArea(std::vector<SheetVariety>& sheets);
void sortCutsByArea(std::vector<CutVariety>& cuts);

// The numbering every reader of a stored result uses: Prepare input, Add kerf, Sort by area,
// Remove kerf.
PreparedJob prepareNumbering(const Job& job);

// Validation before a run, on the prepared (not yet enlarged) job: the message of the first failing
// check, or nothing. Blade length + kerf = 0; no sheet (coil) kept; no cut-piece kept; more pieces
// in all than a plan can hold in memory (kMostPieces).
std::optional<std::string> validationMessage(const PreparedJob& job);

// A cut-piece whose kerf-enlarged cutting length or width is not greater than the tolerance can
// never be placed: the message naming the first such piece, or nothing.
std::optional<std::string> tooSmallPieceMessage(const PreparedJob& job);

// The iteration budget N: the number of cut-piece varieties (merged-away ones included) times the
// efficiency factor, round(efficiency x 6.4) with halves to even.
long long iterationBudget(std::size_t cutVarieties, int efficiency);

// The work of a run grows with the iterations times the cut-piece varieties each iteration walks
// through; beyond kLongRunWork a run takes an hour or more (600 varieties at the default efficiency,
// measured). A note saying so before such a run, or nothing.
inline constexpr double kLongRunWork = 2.0e7;
std::optional<std::string> longRunWarning(const PreparedJob& job, long long budget);

}  // namespace veltrix::engine
