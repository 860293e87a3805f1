#pragma once
// The commands of the `veltrix` tool. Each command lives in its own cmd_<name>.cpp and registers
// itself with a static CommandRegistration, so adding a command touches no shared file.

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace veltrix::cli {

inline constexpr int kExitOk = 0;
inline constexpr int kExitJobFailed = 1;  // validation message, "Optimization failed."
inline constexpr int kExitUsage = 2;      // usage or file errors

struct CommandContext {
    std::vector<std::string> args;      // the arguments after the command name, --workdir removed
    std::filesystem::path workdir;      // --workdir DIR, default the current folder
    std::ostream& out;
    std::ostream& err;
};

using CommandFunction = int (*)(CommandContext&);

struct CommandInfo {
    const char* name;
    const char* usage;    // e.g. "show JOB"
    const char* summary;  // one line for --help
    CommandFunction run;
};

// Registers a command at static initialisation.
struct CommandRegistration {
    explicit CommandRegistration(const CommandInfo& info);
};

const std::vector<CommandInfo>& commands();

// Runs a whole command line (without the program name); returns the exit code.
int run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

}  // namespace veltrix::cli
