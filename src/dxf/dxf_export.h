#pragma once
// File naming of the DXF export: the layouts of a result go to FILE_k-N.dxf beside the name the
// user chose.

#include <filesystem>
#include <string>
#include <vector>

namespace veltrix::dxf {

// The DXF file dialog: the filter and the titles of its two modes.
inline constexpr const char* kDxfFilter = "AutoCAD R12/LT2 DXF (*.dxf)|*.dxf|";
inline constexpr const char* kExportDialogTitle = "Export DXF file(s)...";
inline constexpr const char* kOpenDialogTitle = "Open DXF file...";

// The chosen name without its ".dxf" extension (any letter case). A name without that extension
// is kept whole, so "plan" exports to plan_1-3.dxf rather than losing its last four characters.
std::filesystem::path exportBase(const std::filesystem::path& chosen);

// base + "_" + k + "-" + n + ".dxf": layout 2 of 5 of "plan" is plan_2-5.dxf.
std::filesystem::path exportFileName(const std::filesystem::path& base, long long k, long long n);

// Deletes the files an earlier export to the same base left: every base_<number>-<number>.dxf
// (extension in any letter case) but those in `keep` (the files just written). Only names of that
// form are the export's own: base.dxf itself, the name the user chose, may be a drawing of the
// user's and is kept, as is every other file that merely begins with the base name. Returns the
// number deleted; failures are skipped.
int deleteEarlierExports(const std::filesystem::path& base, const std::vector<std::filesystem::path>& keep = {}) noexcept;

}  // namespace veltrix::dxf
