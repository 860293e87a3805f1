#include "layouts/job_layouts.h"

#include "job/document.h"
#include "base/error.h"

namespace veltrix::layouts {

JobLayouts loadJobLayouts(const Document& job, const Workspace& workspace) {
    JobLayouts layouts;
    layouts.result = reports::loadJobResult(job);
    if (layouts.result.empty()) throw InputError(reports::kNotOptimizedMessage);
    layouts.reports = reports::computeResultReports(workspace, layouts.result);
    return layouts;
}

}  // namespace veltrix::layouts
