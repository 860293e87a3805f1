// veltrix convert VALUE --from U --to U: a length converted between mm, cm, mt, in and ft as the
// unit conversion tool converts it (mixed fractions such as "1 1/2" included), four decimals.

#include <ostream>
#include <regex>
#include <string>

#include "cli/args.h"
#include "base/file_ops.h"
#include "tools/unit_conversion.h"

namespace veltrix::cli {
namespace {

// A number ("25.4", ".5", "-3", "1e3") or a mixed fraction ("1 1/2", "3/4"), blanks around it
// allowed: the window reads anything else as 0, which a command must not print as a result.
bool isLength(const std::string& text) {
    static const std::regex number(R"(\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*)");
    static const std::regex fraction(R"(\s*[+-]?(\d+\.?\d*\s+)?(\d+\.?\d*|\.\d+)\s*/\s*(\d+\.?\d*|\.\d+)\s*)");
    return std::regex_match(text, number) || std::regex_match(text, fraction);
}

std::string unitList() {
    std::string list;
    for (const char* unit : tools::kUnits) list += (list.empty() ? "" : ", ") + std::string(unit);
    return list;
}

int convert(CommandContext& context) {
    CLI::App app{"Converts a length between units (" + unitList() + "); the value may be a mixed fraction "
                 "such as \"1 1/2\"",
                 "veltrix convert"};
    std::string value, from, to;
    app.add_option("VALUE", value, "the length, e.g. 25.4 or \"1 1/2\"")->required();
    app.add_option("--from", from, "unit of the value")->required();
    app.add_option("--to", to, "unit of the result")->required();
    if (auto done = parseArguments(app, context)) return *done;

    const auto fromUnit = tools::unitIndex(from);
    const auto toUnit = tools::unitIndex(to);
    for (const auto& [unit, index] : {std::pair{from, fromUnit}, std::pair{to, toUnit}})
        if (!index) {
            context.err << "veltrix convert: unknown unit \"" << unit << "\"; the units are " << unitList() << "\n";
            return kExitUsage;
        }
    const auto result = isLength(value) ? tools::conversionText(value, *fromUnit, *toUnit) : std::nullopt;
    if (!result) {
        context.err << "veltrix convert: \"" << printableText(value)
                    << "\" is not a length: give a number such as 25.4 or a fraction such as \"1 1/2\"\n";
        return kExitJobFailed;
    }
    context.out << *result << "\n";
    return kExitOk;
}

const CommandRegistration reg({"convert", "convert VALUE --from U --to U",
                               "a length converted between mm, cm, mt, in and ft", &convert});

}  // namespace
}  // namespace veltrix::cli
