#include "reports/report_pass.h"

#include "engine/loaded_result.h"
#include "job/document.h"
#include "base/file_ops.h"
#include "base/workspace.h"

namespace veltrix::reports {

engine::LoadedResult loadJobResult(const Document& document) {
    return engine::loadResult(document.job(), document.plan);
}

ResultReports computeResultReports(const Workspace& workspace, const engine::LoadedResult& result) {
    ResultReports out;
    out.report = buildReport(result, readReportSettings(workspace, result.job.basic.material));
    out.offcutTable = offcutTableText(offcutRows(result, readScrapCriteria(workspace)));
    return out;
}

ResultReports writeResultReports(const Workspace& workspace, const engine::LoadedResult& result) {
    ResultReports out = computeResultReports(workspace, result);
    writeFileAtomic(workspace.file(kOffcutFile), out.offcutTable);
    writeFileAtomic(workspace.file(kSheetsUsedFile), out.report.sheetsUsed);
    return out;
}

}  // namespace veltrix::reports
