#include "ui/desktop.h"

#include <cctype>
#include <cstdlib>
#include <iostream>

#include <QApplication>
#include <QDir>
#include <QPrinter>

#include "app/launcher.h"
#include "job/document.h"
#include "platform/instance_lock.h"
#include "platform/prompt.h"
#include "base/error.h"
#include "ui/base_window.h"
#include "ui/icons.h"
#include "ui/launcher_window.h"
#include "ui/qt_platform.h"
#include "ui/services.h"
#include "veltrix_version.h"

namespace fs = std::filesystem;

namespace veltrix::ui {

namespace {

constexpr const char* kUsage =
    "Usage: veltrix-suite [--workdir DIR] [FILE.opt | FILE.dcm]\n"
    "Starts the Veltrix Suite desktop program; with a project file, opens it in the base module\n"
    "(a .dcm coil job in coil mode). The working folder holds the job's tables, the settings and\n"
    "the libraries: --workdir DIR, else $VELTRIX_HOME, else the program's folder when it holds the\n"
    "data files, else ~/.local/share/veltrix-suite (created from the example folder).\n";

bool isProjectFile(const fs::path& path) {
    std::string ext = path.extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext == ".opt" || ext == ".dcm";
}

fs::path userDataFolder() {
    if (const char* data = std::getenv("XDG_DATA_HOME"); data && *data) return fs::path(data) / "veltrix-suite";
    if (const char* home = std::getenv("HOME"); home && *home) return fs::path(home) / ".local/share/veltrix-suite";
    return fs::temp_directory_path() / "veltrix-suite";
}

}  // namespace

StartOptions readStartOptions(const std::vector<std::string>& arguments, const fs::path& programFolder) {
    StartOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        if (a == "--help" || a == "-h") {
            options.help = true;
        } else if (a == "--version") {
            options.version = true;
        } else if (a == "--workdir") {
            if (i + 1 >= arguments.size() || arguments[i + 1].empty()) {
                options.error = "--workdir needs a folder";
            } else {
                options.folders.commandLine = fs::path(arguments[++i]);
            }
        } else if (a.rfind("--workdir=", 0) == 0) {
            options.folders.commandLine = fs::path(a.substr(10));
        } else if (!a.empty() && a[0] != '-' && !options.project) {
            if (isProjectFile(a)) options.project = fs::absolute(a).lexically_normal();
            else options.error = "Not a project file (.opt or .dcm): " + a;
        } else {
            options.error = "Unknown argument: " + a;
        }
    }
    if (const char* home = std::getenv("VELTRIX_HOME"); home && *home) options.folders.environment = fs::path(home);
    options.folders.programFolder = programFolder;
    options.folders.userDataFolder = userDataFolder();
    // The example folder installed beside the program, else where the installation it was built for
    // puts it, else the one of the source tree it was built from.
    std::error_code ec;
    for (const fs::path& candidate : {programFolder / VELTRIX_TEMPLATES_FROM_PROGRAM,
                                      fs::path(VELTRIX_TEMPLATES_INSTALLED), fs::path(VELTRIX_EXAMPLE_FOLDER)}) {
        if (fs::is_directory(candidate, ec)) {
            options.folders.templates = candidate.lexically_normal();
            break;
        }
    }
    return options;
}

std::optional<fs::path> prepareStart(const StartOptions& options, InstanceLock& lock, Prompt& prompt) {
    if (!lock.acquire()) {
        prompt.tell(alreadyRunningMessage(), {}, Icon::Information);
        return std::nullopt;
    }
    fs::path folder;
    try {
        folder = chooseWorkingFolder(options.folders);
        std::error_code ec;
        if (!fs::is_directory(folder, ec)) {
            fs::create_directories(folder, ec);
            if (ec || !fs::is_directory(folder, ec)) throw FileError(folder, "Cannot create the working folder");
        }
    } catch (const std::exception& e) {
        prompt.tell(e.what(), kAttention, Icon::Critical);
        return std::nullopt;
    }
    return fs::absolute(folder).lexically_normal();
}

std::optional<std::string> StartFileDialogs::openFile(const FileDialogRequest& request) {
    if (nextOpen_) {
        const std::string answer = nextOpen_->string();
        nextOpen_.reset();
        return answer;
    }
    return dialogs_.openFile(request);
}

BaseWindow* openProjectAtStart(LauncherWindow& launcher, StartFileDialogs& dialogs, const fs::path& project) {
    BaseWindow* base = launcher.openBaseModule(modeOfPath(project));
    dialogs.answerNextOpen(project);
    base->module().fileOpen();
    dialogs.answerNextOpen(std::nullopt);
    return base;
}

int runDesktop(int argc, char** argv) {
    // --help and --version answer without a display (before the toolkit needs one).
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            std::cout << kUsage;
            return 0;
        }
        if (a == "--version") {
            std::cout << "veltrix-suite " << kVersion << "\n";
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("veltrix-suite"));
    QApplication::setApplicationVersion(QString::fromLatin1(kVersion));
    QApplication::setApplicationDisplayName(QString::fromLatin1(kApplicationTitle));
    // The menu entry's name: the desktop shows the entry's icon and name for the program's windows.
    QGuiApplication::setDesktopFileName(QStringLiteral("veltrix-suite"));
    QApplication::setWindowIcon(applicationIcon());
    std::vector<std::string> arguments;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) arguments.push_back(args[i].toStdString());
    const StartOptions options =
        readStartOptions(arguments, fs::path(QApplication::applicationDirPath().toStdString()));
    if (!options.error.empty()) {
        std::cerr << "veltrix-suite: " << options.error << "\n" << kUsage;
        return 2;
    }

    QtPrompt prompt;
    InstanceLock lock(InstanceLock::defaultFolder(), kApplicationTitle);
    const auto folder = prepareStart(options, lock, prompt);
    if (!folder) return 1;

    QtFileDialogs qtDialogs(*folder);
    StartFileDialogs dialogs(qtDialogs);
    QtShell shell;
    QtClipboard clipboard;
    QtEventPump events;
    Services services{Workspace(*folder), prompt, dialogs, shell, clipboard, events,
                      [&qtDialogs] { return printerJob(qtDialogs.printer()); }};
    LauncherWindow launcher(services);
    launcher.show();
    if (options.project) openProjectAtStart(launcher, dialogs, *options.project);
    return app.exec();
}

}  // namespace veltrix::ui
