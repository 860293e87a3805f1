#include "cli/command.h"

#include <algorithm>
#include <filesystem>
#include <new>
#include <ostream>
#include <stdexcept>

#include "app/job_commands.h"
#include "base/error.h"
#include "base/file_ops.h"
#include "veltrix_version.h"

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
        out << "veltrix " << kVersion << "\n";
        return kExitOk;
    }
    std::error_code ec;
    if (!std::filesystem::is_directory(workdir, ec)) {
        err << "veltrix: the working folder "
            << (std::filesystem::exists(workdir, ec) ? "is not a folder: " : "does not exist: ")
            << printableText(workdir.string()) << "\n";
        return kExitUsage;
    }
    for (const auto& c : registry()) {
        if (args[0] != c.name) continue;
        CommandContext context{std::vector<std::string>(args.begin() + 1, args.end()), workdir, out, err};
        // Every command's failures end here, told once and in words (texts from files may hold
        // any byte; only printable ones reach the terminal): the job's own problems exit 1, files
        // and requests that cannot be carried out exit 2.
        const auto tell = [&](const std::string& message) {
            err << "veltrix " << c.name << ": " << printableText(message) << "\n";
        };
        try {
            return c.run(context);
        } catch (const InputError& e) {
            tell(e.what());
            return kExitJobFailed;
        } catch (const FileError& e) {
            tell(e.what());
            return kExitUsage;
        } catch (const UsageError& e) {
            tell(e.what());
            return kExitUsage;
        } catch (const std::bad_alloc&) {
            tell("this job needs more memory than the computer has");
            return kExitJobFailed;
        } catch (const std::length_error&) {
            tell("this job is too large to be held in memory");
            return kExitJobFailed;
        } catch (const std::filesystem::filesystem_error& e) {
            tell("a file operation failed: " + e.code().message() + " (" + e.path1().string() + ")");
            return kExitUsage;
        } catch (const std::exception& e) {
            tell(std::string("the command failed unexpectedly (") + e.what() + ")");
            return kExitUsage;
        }
    }
    err << "veltrix: unknown command '" << printableText(args[0]) << "' (see veltrix --help)\n";
    return kExitUsage;
}

}  // namespace veltrix::cli
