// veltrix keys TEXT: the key events a key string becomes, one a line.

#include <ostream>

#include "cli/args.h"
#include "keys/key_events.h"

namespace veltrix::cli {
namespace {

int keysCommand(CommandContext& context) {
    CLI::App app{"Lists the key events a key string becomes (\"+{tab}\", \"{F11}\", \"602.5\", ...)", "veltrix keys"};
    std::string text;
    app.add_option("TEXT", text, "the key string")->required();
    if (auto done = parseArguments(app, context)) return *done;
    for (const keys::KeyEvent& event : keys::parseKeyString(text)) context.out << keys::eventText(event) << "\n";
    return kExitOk;
}

const CommandRegistration reg({"keys", "keys TEXT", "the key events a key string becomes", &keysCommand});

}  // namespace
}  // namespace veltrix::cli
