#pragma once
// Reading and writing jobs for the commands, with errors turned into messages and exit codes.

#include <filesystem>
#include <optional>
#include <ostream>

#include "cli/command.h"
#include "job/job_file.h"

namespace veltrix::cli {

// Reads JOB; on failure prints the reason and returns nothing.
std::optional<JobFile> loadJob(const std::filesystem::path& path, std::ostream& err);

// Writes a project atomically; on failure prints the reason and returns false.
bool storeProject(const std::filesystem::path& path, const Project& project, std::ostream& err);

}  // namespace veltrix::cli
