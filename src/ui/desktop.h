#pragma once
// Start-up of the desktop program: the single-instance lock, the working folder, the launcher,
// and the project file named on the command line (a job double-clicked in the file manager).

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "app/working_folder.h"
#include "platform/file_dialogs.h"

namespace veltrix {
class InstanceLock;
class Prompt;
}

namespace veltrix::ui {

class BaseWindow;
class LauncherWindow;

struct StartOptions {
    WorkingFolderSources folders;
    std::optional<std::filesystem::path> project;  // FILE: a project file to open, made absolute
    bool help = false;
    bool version = false;
    std::string error;  // a command line that cannot be used
};

// Reads --workdir DIR (or --workdir=DIR), --help, --version and one project file (".opt" or
// ".dcm", letter case ignored; any other file is an error); the environment's VELTRIX_HOME; the
// user's data folder and the template folder to seed it from: the example working folder
// installed beside the program (share/veltrix-suite/workshop), else the one of the installation
// it was built for, else that of the source tree.
StartOptions readStartOptions(const std::vector<std::string>& arguments, const std::filesystem::path& programFolder);

// Takes the single-instance lock and settles the working folder (created when missing). When
// another instance holds the lock, shows "Veltrix Suite is already running" and gives nothing;
// likewise, after saying why, when the working folder cannot be used.
std::optional<std::filesystem::path> prepareStart(const StartOptions& options, InstanceLock& lock, Prompt& prompt);

// The program's file dialogs, with one answer given ahead: the project named on the command line
// answers the next Open dialog, so that it is opened exactly as File > Open opens a file.
class StartFileDialogs : public FileDialogs {
public:
    explicit StartFileDialogs(FileDialogs& dialogs) : dialogs_(dialogs) {}
    void answerNextOpen(std::optional<std::filesystem::path> project) { nextOpen_ = std::move(project); }

    std::optional<std::string> openFile(const FileDialogRequest& request) override;
    std::optional<std::string> saveFile(const FileDialogRequest& request) override { return dialogs_.saveFile(request); }
    std::optional<PrintRange> print(bool selectionPreselected) override { return dialogs_.print(selectionPreselected); }

private:
    FileDialogs& dialogs_;
    std::optional<std::filesystem::path> nextOpen_;
};

// Opens the base module of the project's mode (".dcm": coil mode) from the launcher and the
// project in it as File > Open does (the Layouts window shown when the job holds a result). A file
// that cannot be read is told and leaves the base module with its new job. `dialogs` must be the
// file dialogs the launcher's windows use.
BaseWindow* openProjectAtStart(LauncherWindow& launcher, StartFileDialogs& dialogs,
                               const std::filesystem::path& project);

// main() of veltrix-suite.
int runDesktop(int argc, char** argv);

}  // namespace veltrix::ui
