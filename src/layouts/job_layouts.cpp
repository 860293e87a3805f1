#include "layouts/job_layouts.h"

#include <string>

#include "job/job_file.h"
#include "table/error.h"

namespace veltrix::layouts {

JobLayouts loadJobLayouts(const JobFile& job, const Workspace& workspace) {
    JobLayouts layouts;
    layouts.result = reports::loadJobResult(job);
    if (layouts.result.empty()) throw InputError(reports::kNotOptimizedMessage);
    layouts.reports = reports::computeResultReports(workspace, layouts.result);
    return layouts;
}

LayoutRange chooseLayouts(int count, std::optional<int> layout, bool all, bool defaultAll) {
    if (layout && all) throw InputError("Give either --layout N or --all, not both.");
    if (layout) {
        if (*layout < 1 || *layout > count)
            throw InputError("There is no layout " + std::to_string(*layout) + ": the job has layouts 1 to " +
                             std::to_string(count) + ".");
        return {*layout, *layout};
    }
    if (all || defaultAll) return {1, count};
    return {1, 1};
}

}  // namespace veltrix::layouts
