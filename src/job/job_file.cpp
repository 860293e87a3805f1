#include "job/job_file.h"

namespace veltrix {

void tablesFromProject(const Project& project, JobTables& tables) {
    tables.basic.loadText(project.text(kBasicSection));
    cutBackToOneRow(tables.basic);
    tables.sheets.loadText(project.text(kSheetSection));
    tables.cuts.loadText(project.text(kCutSection));
}

void tablesIntoProject(const JobTables& tables, const Objective& objective, Project& project) {
    project.setText(kBasicSection, tables.basic.saveText());
    project.setText(kOptionsSection, optionsText(objective));
    project.setText(kSheetSection, tables.sheets.saveText());
    project.setText(kCutSection, tables.cuts.saveText());
}

JobFile readJobFile(const std::filesystem::path& path) {
    JobFile job;
    job.path = path;
    job.mode = isCoilProject(path) ? StockMode::Coil : StockMode::Sheet;
    job.project = readProjectFile(path);
    tablesFromProject(job.project, job.tables);
    job.objective = parseOptions(job.project.text(kOptionsSection));
    applySheetVisibility(job.tables.sheets, job.mode);
    return job;
}

}  // namespace veltrix
