#pragma once
// Start-up of the desktop program: the single-instance lock, the working folder, the launcher.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/working_folder.h"

namespace veltrix {
class InstanceLock;
class Prompt;
}

namespace veltrix::ui {

struct StartOptions {
    WorkingFolderSources folders;
    bool help = false;
    bool version = false;
    std::string error;  // a command line that cannot be used
};

// Reads --workdir DIR (or --workdir=DIR), --help and --version; the environment's VELTRIX_HOME;
// the user's data folder and the template folders to seed it from.
StartOptions readStartOptions(const std::vector<std::string>& arguments, const std::filesystem::path& programFolder);

// Takes the single-instance lock and settles the working folder (created when missing). When
// another instance holds the lock, shows "Veltrix Suite is already running" and gives nothing;
// likewise, after saying why, when the working folder cannot be used.
std::optional<std::filesystem::path> prepareStart(const StartOptions& options, InstanceLock& lock, Prompt& prompt);

// main() of veltrix-suite.
int runDesktop(int argc, char** argv);

}  // namespace veltrix::ui
