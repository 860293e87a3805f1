#pragma once
// Where the working folder of the desktop program is.

#include <filesystem>
#include <optional>
#include <string>

namespace veltrix {

struct WorkingFolderSources {
    std::optional<std::filesystem::path> commandLine;  // --workdir DIR
    std::optional<std::filesystem::path> environment;  // VELTRIX_HOME
    std::filesystem::path programFolder;               // the folder of the executable
    std::filesystem::path userDataFolder;              // ~/.local/share/veltrix-suite
    std::filesystem::path templates;                   // the installed example working folder
};

// In order: --workdir; VELTRIX_HOME; the program's folder when it holds the data files and is
// writable (a portable install); else the user's data folder, created on first use and seeded with
// the template files. Throws FileError when the chosen folder cannot be created.
std::filesystem::path chooseWorkingFolder(const WorkingFolderSources& sources);

}  // namespace veltrix
