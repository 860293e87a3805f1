#include "tools/unit_conversion.h"

#include <cmath>

#include "base/file_ops.h"
#include "base/number_text.h"
#include "base/table_file.h"
#include "base/workspace.h"

namespace veltrix::tools {

namespace {

bool validUnit(int unit) { return unit >= 0 && unit < kUnitCount; }

}  // namespace

std::optional<int> unitIndex(std::string_view unit) {
    for (int i = 0; i < kUnitCount; ++i)
        if (unit == kUnits[static_cast<std::size_t>(i)]) return i;
    return std::nullopt;
}

float factorToMillimetres(int unit) {
    static constexpr std::array<float, 5> factors = {1.0f, 10.0f, 1000.0f, 25.4f, 25.4f * 12.0f};
    return validUnit(unit) ? factors[static_cast<std::size_t>(unit)] : 1.0f;
}

float factorFromMillimetres(int unit) {
    static constexpr std::array<float, 5> factors = {1.0f, 0.1f, 0.001f, static_cast<float>(1.0 / 25.4),
                                                     static_cast<float>(1.0 / 304.8)};
    return validUnit(unit) ? factors[static_cast<std::size_t>(unit)] : 1.0f;
}

std::optional<double> inputValue(std::string_view text) {
    const std::string input = trimBlanks(text);
    const std::size_t slash = input.find('/');
    if (slash == std::string::npos) return leadingDouble(input);
    const std::size_t blank = input.find(' ');
    double whole = 0;
    std::size_t numeratorStart = 0;
    if (blank != std::string::npos) {
        // The blank separates the whole part from the fraction; one after the "/" leaves no
        // numerator to read.
        if (blank > slash) return std::nullopt;
        whole = leadingDouble(std::string_view(input).substr(0, blank));
        numeratorStart = blank + 1;
    }
    const double numerator = leadingDouble(std::string_view(input).substr(numeratorStart, slash - numeratorStart));
    const double denominator = leadingDouble(std::string_view(input).substr(slash + 1));
    if (denominator == 0) return std::nullopt;
    return whole + numerator / denominator;
}

std::optional<std::string> conversionText(std::string_view input, int from, int to) {
    const std::optional<double> value = inputValue(input);
    if (!value) return std::nullopt;
    const double result = static_cast<double>(factorToMillimetres(from)) * *value *
                          static_cast<double>(factorFromMillimetres(to));
    if (!std::isfinite(result)) return std::nullopt;
    return fixedText(result, 4, true);
}

UnitPair readUnitPair(const Workspace& workspace) {
    UnitPair pair;
    const std::string text = readWholeFile(workspace.file(kUnitFile));
    if (text.empty()) return pair;
    FieldReader reader(text);
    if (const auto input = unitIndex(trimBlanks(reader.next()))) pair.input = *input;
    if (const auto output = unitIndex(trimBlanks(reader.next()))) pair.output = *output;
    return pair;
}

std::string unitPairText(UnitPair pair) {
    const int input = validUnit(pair.input) ? pair.input : 0;
    const int output = validUnit(pair.output) ? pair.output : 0;
    return quotedRecord({kUnits[static_cast<std::size_t>(input)], kUnits[static_cast<std::size_t>(output)]});
}

void writeUnitPair(const Workspace& workspace, UnitPair pair) {
    writeFileAtomic(workspace.file(kUnitFile), unitPairText(pair));
}

}  // namespace veltrix::tools
