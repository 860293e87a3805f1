#pragma once
// A job read whole from its project file, for work that needs no working-folder table files
// (the command-line tool, batch runs): the sections as stored and the tables they hold.

#include <filesystem>

#include "job/job_tables.h"
#include "job/options.h"
#include "job/project_file.h"

namespace veltrix {

struct JobFile {
    std::filesystem::path path;
    StockMode mode = StockMode::Sheet;  // ".dcm" is coil mode
    Project project;                    // the five sections as stored
    JobTables tables;                   // basic details (one row), sheets, cut-pieces; not bound
    Objective objective;
};

// Reads a project file; throws FileError when it cannot be read.
JobFile readJobFile(const std::filesystem::path& path);

// Fills unbound tables from the sections of a project (basic details cut back to one row).
void tablesFromProject(const Project& project, JobTables& tables);

// Puts the tables back into the project's first, third and fourth sections (as their grids would
// save them) and the objective into its second.
void tablesIntoProject(const JobTables& tables, const Objective& objective, Project& project);

}  // namespace veltrix
