#pragma once
// Installation-wide settings of the working folder: the library folder (netpath.set), the report
// option, edge-banding increment and nesting efficiency (misc.set), and the density table.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace veltrix {

class Workspace;

inline constexpr const char* kNetPathFile = "netpath.set";
inline constexpr const char* kMiscFile = "misc.set";
inline constexpr const char* kDensityFile = "density.dat";

inline constexpr const char* kOptionWeight = "Weight";
inline constexpr const char* kOptionArea = "Area";
inline constexpr const char* kOptionAreaBanding = "Area With Edge Banding";

inline constexpr int kDefaultEfficiency = 10;

struct MiscSettings {
    bool exists = false;             // misc.set was found
    std::string reportOption;        // line 1 as written ("" for none)
    std::string incrementText;       // line 2 as written
    float increment = 0;             // line 2 as a number
    int efficiency = kDefaultEfficiency;  // line 3: a whole number from 1 to 100, else 10
    std::string efficiencyProblem;   // why line 3 was not used, for the user; empty when it was
};

MiscSettings readMiscSettings(const Workspace& workspace);

// What is wrong with a number typed into a settings field, as the grids check numbers: digits and
// at most one point, nothing else (no sign, no exponent); empty text counts as 0. Nothing when it
// is a number. The message names the field: "Edge-banding increment: "-5abc" is not a number ...".
std::optional<std::string> settingsNumberProblem(std::string_view field, std::string_view text);

// Writes misc.set: the option quoted, the increment read as a number, the efficiency. Throws
// InputError, writing nothing, when the increment is not a number (settingsNumberProblem) or the
// efficiency is not from 1 to 100; FileError when the file cannot be written.
void writeMiscSettings(const Workspace& workspace, std::string_view reportOption, std::string_view incrementText,
                       int efficiency);

// The report option for readers: line 1 of misc.set, "Area" when the file does not exist.
std::string reportOption(const Workspace& workspace);
// "Weight" for "Weight"; "Area" for "Area" and "Area With Edge Banding"; empty otherwise.
std::string reportHeading(std::string_view option);
// Line 2 of misc.set as a single; 0 when the file does not exist.
float edgeBandingIncrement(const Workspace& workspace);
// Nesting efficiency x 6.4, rounded to the nearest whole number (halves to even).
int efficiencyFactor(int efficiency);
int efficiencyFactor(const Workspace& workspace);

// netpath.set read whole with every line end removed; empty when missing.
std::string readLibraryFolder(const Workspace& workspace);
// Writes netpath.set; a non-empty folder gets a trailing separator when it has none.
void writeLibraryFolder(const Workspace& workspace, std::string folder);
// A library file (mlm.dat, plm.dat) in the library folder; the working folder when none is set.
std::filesystem::path libraryFile(const Workspace& workspace, std::string_view name);

// Density of a material: the first record of density.dat whose material equals `material`
// exactly; 0 when none matches or the density is not a number.
float densityOf(const Workspace& workspace, std::string_view material);

// The weight-or-area value for the report option, or nothing for any other option:
// "Weight": density x thickness x length x width x quantity; "Area", "Area With Edge Banding":
// length x width x quantity. Computed in double, left to right.
std::optional<double> weightOrArea(std::string_view option, float density, float thickness, double length,
                                   double width, double quantity);
// The same formatted with "0.00", or empty text.
std::string weightOrAreaText(std::string_view option, float density, float thickness, double length, double width,
                             double quantity);

}  // namespace veltrix
