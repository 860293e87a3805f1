#pragma once
// A project's layouts ready to draw, export or label: its stored result loaded against its tables
// and the report of that result (whose sections feed the text listings), computed in memory.

#include "engine/loaded_result.h"
#include "reports/report_pass.h"

namespace veltrix {
struct Document;
class Workspace;
}  // namespace veltrix

namespace veltrix::layouts {

struct JobLayouts {
    engine::LoadedResult result;
    reports::ResultReports reports;
};

// Throws InputError ("This file was not optimized." for a project without a result, or the
// loader's message when the result does not fit the job's tables).
JobLayouts loadJobLayouts(const Document& job, const Workspace& workspace);

// A range of layouts, both ends included.
struct LayoutRange {
    int first = 1;
    int last = 1;
};

}  // namespace veltrix::layouts
