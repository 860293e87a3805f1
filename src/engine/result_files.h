#pragma once
// The layout result files: dia.tlf (the best solution) and diaalt.tlf (a second list of layout
// items, same format), s.tlf (sheet varieties) and c.tlf (cut-piece varieties). All are table
// files: one record per line (CR LF), numbers unquoted in their shortest form (.5), texts quoted.
//
// The text functions work in memory; the file functions read a missing file as empty and write
// atomically (a failed write leaves the old file as it was; they throw FileError).

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "engine/types.h"

namespace veltrix::engine {

inline constexpr const char* kAlternateResultFile = "diaalt.tlf";
inline constexpr const char* kSubSheetFile = "s.tlf";
inline constexpr const char* kSubCutFile = "c.tlf";

// One dia.tlf line without its line end: layout number, kind, sheet number, x1, y1, x2, y2,
// quantity, placement code, e.g. "1,-6,1,0,600,2440,600,1,0".
std::string layoutItemRecord(const LayoutItem& item);

// Layout items, nine fields each, in file order; the fields run on across line ends. A field that
// is not a number reads as 0; whole-number fields take the leading number rounded (halves to
// even), 0 when it is out of range. An empty text gives an empty list.
std::vector<LayoutItem> parseLayoutItems(std::string_view text);
std::string layoutItemsText(const std::vector<LayoutItem>& items);

// Sheet varieties as s.tlf holds them: length, width, quantity, grain flag, margins left, top,
// right, bottom, location.
std::vector<SheetVariety> parseSheetVarieties(std::string_view text);
std::string sheetVarietiesText(const std::vector<SheetVariety>& sheets);

// Cut-piece varieties as c.tlf holds them: cutting length, cutting width, quantity, alignment flag,
// description, client, product. The other fields read back empty or 0.
std::vector<CutVariety> parseCutVarieties(std::string_view text);
std::string cutVarietiesText(const std::vector<CutVariety>& cuts);

std::vector<LayoutItem> readLayoutItems(const std::filesystem::path& file);
void writeLayoutItems(const std::filesystem::path& file, const std::vector<LayoutItem>& items);
std::vector<SheetVariety> readSheetVarieties(const std::filesystem::path& file);
void writeSheetVarieties(const std::filesystem::path& file, const std::vector<SheetVariety>& sheets);
std::vector<CutVariety> readCutVarieties(const std::filesystem::path& file);
void writeCutVarieties(const std::filesystem::path& file, const std::vector<CutVariety>& cuts);

}  // namespace veltrix::engine
