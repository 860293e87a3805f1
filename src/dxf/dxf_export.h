#pragma once
// File naming of the DXF export: the layouts of a result go to FILE_k-N.dxf beside the name the
// user chose.

#include <filesystem>
#include <string>

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

// Deletes the files an earlier export to the same base left: base.dxf and every
// base_<number>-<number>.dxf (extension in any letter case). Other files that merely begin with
// the base name are kept. Returns the number deleted; failures are skipped.
int deleteEarlierExports(const std::filesystem::path& base) noexcept;

}  // namespace veltrix::dxf
