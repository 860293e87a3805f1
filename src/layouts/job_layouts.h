#pragma once
// A project's layouts ready to draw, export or label: its stored result loaded against its tables
// and the report of that result (whose sections feed the text listings), computed in memory.

#include <optional>

#include "engine/loaded_result.h"
#include "reports/report_pass.h"

namespace veltrix {
struct JobFile;
class Workspace;
}  // namespace veltrix

namespace veltrix::layouts {

struct JobLayouts {
    engine::LoadedResult result;
    reports::ResultReports reports;
};

// Throws InputError ("This file was not optimized." for a project without a result, or the
// loader's message when the result does not fit the job's tables).
JobLayouts loadJobLayouts(const JobFile& job, const Workspace& workspace);

struct LayoutRange {
    int first = 1;
    int last = 1;
};

// The layouts a command acts on among `count`: layout n when given, all of them with `all`, else
// all or the first by `defaultAll`. Throws InputError naming the valid numbers when n is not one
// of them, or when both n and all are given.
LayoutRange chooseLayouts(int count, std::optional<int> layout, bool all, bool defaultAll);

}  // namespace veltrix::layouts
