#include "cli/command.h"

#include <algorithm>
#include <new>
#include <ostream>

#include "app/job_commands.h"
#include "table/error.h"

namespace veltrix::cli {
namespace {

std::vector<CommandInfo>& registry() {
    static std::vector<CommandInfo> list;
    return list;
}

void printHelp(std::ostream& out) {
    out << "veltrix - cutting plans for panel saws, from the command line\n\n"
           "usage: veltrix [--workdir DIR] COMMAND [ARGS...]\n"
           "       veltrix --help | --version\n\n"
           "JOB is a project file: \".opt\" for sheets, \".dcm\" for coils.\n"
           "--workdir DIR names the working folder (settings, libraries, templates); default: the\n"
           "current folder.\n\n"
           "commands:\n";
    auto list = registry();
    std::sort(list.begin(), list.end(), [](const CommandInfo& a, const CommandInfo& b) {
        return std::string(a.name) < std::string(b.name);
    });
    for (const auto& c : list) {
        out << "  " << c.usage << "\n      " << c.summary << "\n";
    }
    out << "\nexit codes: 0 success, 1 the job failed, 2 usage or file error\n";
}

}  // namespace

CommandRegistration::CommandRegistration(const CommandInfo& info) { registry().push_back(info); }

const std::vector<CommandInfo>& commands() { return registry(); }

int run(const std::vector<std::string>& argsIn, std::ostream& out, std::ostream& err) {
    std::vector<std::string> args;
    std::filesystem::path workdir = ".";
    for (std::size_t i = 0; i < argsIn.size(); ++i) {
        const std::string& a = argsIn[i];
        if (a == "--workdir") {
            if (i + 1 >= argsIn.size()) {
                err << "veltrix: --workdir needs a folder\n";
                return kExitUsage;
            }
            workdir = argsIn[++i];
        } else if (a.rfind("--workdir=", 0) == 0) {
            workdir = a.substr(10);
        } else {
            args.push_back(a);
        }
    }
    if (args.empty()) {
        printHelp(err);
        return kExitUsage;
    }
    if (args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
        printHelp(out);
        return kExitOk;
    }
    if (args[0] == "--version") {
        out << "veltrix " << VELTRIX_VERSION << "\n";
        return kExitOk;
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(workdir, ec)) {
        err << "veltrix: the working folder does not exist: " << workdir.string() << "\n";
        return kExitUsage;
    }
    for (const auto& c : registry()) {
        if (args[0] != c.name) continue;
        CommandContext context{std::vector<std::string>(args.begin() + 1, args.end()), workdir, out, err};
        // Every command's failures end here, told once: the job's own problems exit 1, files and
        // requests that cannot be carried out exit 2.
        try {
            return c.run(context);
        } catch (const InputError& e) {
            err << "veltrix " << c.name << ": " << e.what() << "\n";
            return kExitJobFailed;
        } catch (const FileError& e) {
            err << "veltrix " << c.name << ": " << e.what() << "\n";
            return kExitUsage;
        } catch (const UsageError& e) {
            err << "veltrix " << c.name << ": " << e.what() << "\n";
            return kExitUsage;
        } catch (const std::bad_alloc&) {
            err << "veltrix " << c.name << ": not enough memory for this job\n";
            return kExitJobFailed;
        }
    }
    err << "veltrix: unknown command '" << args[0] << "' (see veltrix --help)\n";
    return kExitUsage;
}

}  // namespace veltrix::cli
