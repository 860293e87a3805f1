#include "ui/desktop.h"

#include <cstdlib>
#include <iostream>

#include <QApplication>
#include <QDir>
#include <QPrinter>

#include "app/launcher.h"
#include "platform/instance_lock.h"
#include "platform/prompt.h"
#include "table/error.h"
#include "ui/launcher_window.h"
#include "ui/qt_platform.h"
#include "ui/services.h"

namespace fs = std::filesystem;

namespace veltrix::ui {

namespace {

constexpr const char* kUsage =
    "Usage: veltrix-suite [--workdir DIR]\n"
    "Starts the Veltrix Suite desktop program. The working folder holds the job's tables, the\n"
    "settings and the libraries: --workdir DIR, else $VELTRIX_HOME, else the program's folder when\n"
    "it holds the data files, else ~/.local/share/veltrix-suite (created from the example folder).\n";

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
        } else {
            options.error = "Unknown argument: " + a;
        }
    }
    if (const char* home = std::getenv("VELTRIX_HOME"); home && *home) options.folders.environment = fs::path(home);
    options.folders.programFolder = programFolder;
    options.folders.userDataFolder = userDataFolder();
    // The example folder installed beside the program, else the one of the source tree it was
    // built from.
    std::error_code ec;
    for (const fs::path& candidate : {programFolder / "../share/veltrix-suite/workshop", fs::path(VELTRIX_EXAMPLE_FOLDER)}) {
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

int runDesktop(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("veltrix-suite"));
    QApplication::setApplicationDisplayName(QString::fromLatin1(kApplicationTitle));
    std::vector<std::string> arguments;
    const QStringList args = QApplication::arguments();
    for (int i = 1; i < args.size(); ++i) arguments.push_back(args[i].toStdString());
    const StartOptions options =
        readStartOptions(arguments, fs::path(QApplication::applicationDirPath().toStdString()));
    if (options.help) {
        std::cout << kUsage;
        return 0;
    }
    if (options.version) {
        std::cout << "veltrix-suite " << VELTRIX_VERSION << "\n";
        return 0;
    }
    if (!options.error.empty()) {
        std::cerr << "veltrix-suite: " << options.error << "\n" << kUsage;
        return 2;
    }

    QtPrompt prompt;
    InstanceLock lock(InstanceLock::defaultFolder(), kApplicationTitle);
    const auto folder = prepareStart(options, lock, prompt);
    if (!folder) return 1;

    QtFileDialogs dialogs(*folder);
    QtShell shell;
    QtClipboard clipboard;
    QtEventPump events;
    Services services{Workspace(*folder), prompt, dialogs, shell, clipboard, events,
                      [&dialogs] { return printerJob(dialogs.printer()); }};
    LauncherWindow launcher(services);
    launcher.show();
    return app.exec();
}

}  // namespace veltrix::ui
