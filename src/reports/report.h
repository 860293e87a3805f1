#pragma once
// The report of a loaded result (report.tlf) and the list of the sheets it uses (sheets.Adj):
// yield, stock used, pieces produced against ordered, utilization of the sheet area, cutting
// lengths and saw strokes, edge banding, and one section per layout.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix {
class PrintText;
class Workspace;
struct BasicDetails;
}

namespace veltrix::engine {
struct LoadedResult;
}

namespace veltrix::reports {

// What the report reads from the working folder besides the result.
struct ReportSettings {
    std::string option = "Area";  // report option of misc.set ("Area" when misc.set is missing)
    float increment = 0;          // edge-banding increment
    float density = 0;            // density of the job's material (density.dat)
};

// misc.set and density.dat of the working folder, for a job of `material`.
ReportSettings readReportSettings(const Workspace& workspace, const std::string& material);

struct Report {
    std::string text;        // report.tlf, CR LF line ends
    std::string sheetsUsed;  // sheets.Adj
    // For layout n at index n - 1: the byte position in `text` at which its section begins, and
    // the index in the result's items of its sheet item (its first item).
    std::vector<std::size_t> sectionPosition;
    std::vector<std::size_t> layoutStart;
};

// The report window highlights the lines that begin a part of the report: those beginning with
// "Layout No. " or ending with " Summary" or "Basic Details".
bool isReportHeading(std::string_view line);

inline constexpr const char* kNotOptimizedMessage = "This file was not optimized.";

// The three lines of the basic details shared by the report and the layout listing:
// "Mat=" .. "Grain=" .. "Thk=", "Blade=" .. "Tol=" .. "Kerf=" .. "Min OC=", and "Note: ".
void writeBasicDetailsLines(PrintText& out, const BasicDetails& basic);

// Builds the report. An empty result is no report: throws InputError with kNotOptimizedMessage.
Report buildReport(const engine::LoadedResult& result, const ReportSettings& settings);

}  // namespace veltrix::reports
