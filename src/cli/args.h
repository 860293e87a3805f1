#pragma once
// Parsing a command's arguments with CLI11.

#include <optional>

#include <CLI/CLI.hpp>

#include "cli/command.h"

namespace veltrix::cli {

// Parses the context's arguments. Returns an exit code when the command must end at once (help
// printed: 0; usage error printed: 2), nothing when it should go on.
inline std::optional<int> parseArguments(CLI::App& app, CommandContext& context) {
    try {
        std::vector<std::string> reversed(context.args.rbegin(), context.args.rend());
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        const int code = app.exit(e, context.out, context.err);
        return code == 0 ? kExitOk : kExitUsage;
    }
    return std::nullopt;
}

}  // namespace veltrix::cli
