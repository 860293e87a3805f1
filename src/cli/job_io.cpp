#include "cli/job_io.h"

#include "table/error.h"
#include "table/file_ops.h"

namespace veltrix::cli {

std::optional<JobFile> loadJob(const std::filesystem::path& path, std::ostream& err) {
    try {
        return readJobFile(path);
    } catch (const std::exception& e) {
        err << "veltrix: " << e.what() << "\n";
        return std::nullopt;
    }
}

bool storeProject(const std::filesystem::path& path, const Project& project, std::ostream& err) {
    try {
        writeProjectFile(path, project);
        return true;
    } catch (const std::exception& e) {
        err << "veltrix: " << e.what() << "\n";
        return false;
    }
}

}  // namespace veltrix::cli
