#include "app/working_folder.h"

#include <unistd.h>

#include "base/error.h"
#include "base/file_ops.h"

namespace fs = std::filesystem;

namespace veltrix {

namespace {

bool holdsDataFiles(const fs::path& folder) {
    return fileExists(folder / "misc.set") || fileExists(folder / "Defaults");
}

bool writable(const fs::path& folder) { return ::access(folder.c_str(), W_OK) == 0; }

}  // namespace

fs::path chooseWorkingFolder(const WorkingFolderSources& sources) {
    if (sources.commandLine && !sources.commandLine->empty()) return *sources.commandLine;
    if (sources.environment && !sources.environment->empty()) return *sources.environment;
    if (!sources.programFolder.empty() && holdsDataFiles(sources.programFolder) && writable(sources.programFolder))
        return sources.programFolder;
    const fs::path folder = sources.userDataFolder;
    std::error_code ec;
    if (!fs::is_directory(folder, ec)) {
        fs::create_directories(folder, ec);
        if (ec) throw FileError(folder, "Cannot create the working folder");
        if (!sources.templates.empty() && fs::is_directory(sources.templates, ec)) {
            for (const auto& entry : fs::directory_iterator(sources.templates, ec)) {
                if (!entry.is_regular_file(ec)) continue;
                fs::copy_file(entry.path(), folder / entry.path().filename(), fs::copy_options::skip_existing, ec);
            }
        }
    }
    return folder;
}

}  // namespace veltrix
