#include "job/settings.h"

#include <cctype>
#include <cmath>

#include "base/error.h"
#include "base/file_ops.h"
#include "base/number_text.h"
#include "base/table_file.h"
#include "base/workspace.h"

namespace veltrix {

MiscSettings readMiscSettings(const Workspace& workspace) {
    MiscSettings s;
    const auto path = workspace.file(kMiscFile);
    if (!fileExists(path)) return s;
    s.exists = true;
    const std::string text = readWholeFile(path);
    FieldReader reader(text);
    s.reportOption = reader.next();
    s.incrementText = reader.next();
    s.increment = leadingFloat(s.incrementText);
    if (!reader.atEnd()) {
        const std::string third = trimBlanks(reader.next());
        if (!third.empty() && (std::isdigit(static_cast<unsigned char>(third[0])) || third[0] == '-' || third[0] == '+')) {
            // Only a whole number the slider can show is used: 0 or less ends every run at once,
            // a huge one never ends, and one beyond the range of int cannot even be converted.
            const double value = leadingDouble(third);
            if (value >= 1 && value <= 100 && value == std::floor(value)) {
                s.efficiency = static_cast<int>(value);
            } else {
                s.efficiencyProblem = "The nesting efficiency " + third + " of " + kMiscFile +
                                      " is not a whole number from 1 to 100: " + std::to_string(kDefaultEfficiency) +
                                      " is used.";
            }
        }
    }
    return s;
}

std::optional<std::string> settingsNumberProblem(std::string_view field, std::string_view text) {
    const std::string value = trimBlanks(text);
    bool point = false;
    for (char c : value) {
        if (c >= '0' && c <= '9') continue;
        if (c == '.' && !point) {
            point = true;
            continue;
        }
        return std::string(field) + ": \"" + value +
               "\" is not a number: type digits and at most one point, nothing negative.";
    }
    return std::nullopt;
}

void writeMiscSettings(const Workspace& workspace, std::string_view reportOption, std::string_view incrementText,
                       int efficiency) {
    if (auto problem = settingsNumberProblem("Edge-banding increment", incrementText)) throw InputError(*problem);
    if (efficiency < 1 || efficiency > 100)
        throw InputError("The nesting efficiency is a whole number from 1 to 100, not " + std::to_string(efficiency) + ".");
    std::string text = RecordWriter().text(reportOption).line();
    text += RecordWriter().number(leadingFloat(incrementText)).line();
    text += RecordWriter().number(efficiency).line();
    writeFileAtomic(workspace.file(kMiscFile), text);
}

std::string reportOption(const Workspace& workspace) {
    const MiscSettings s = readMiscSettings(workspace);
    return s.exists ? s.reportOption : std::string(kOptionArea);
}

std::string reportHeading(std::string_view option) {
    if (option == kOptionWeight) return kOptionWeight;
    if (option == kOptionArea || option == kOptionAreaBanding) return kOptionArea;
    return {};
}

float edgeBandingIncrement(const Workspace& workspace) { return readMiscSettings(workspace).increment; }

int efficiencyFactor(int efficiency) { return static_cast<int>(roundHalfEven(efficiency * 6.4)); }

int efficiencyFactor(const Workspace& workspace) { return efficiencyFactor(readMiscSettings(workspace).efficiency); }

std::string readLibraryFolder(const Workspace& workspace) {
    std::string text = readWholeFile(workspace.file(kNetPathFile));
    std::string out;
    for (char c : text)
        if (c != '\r' && c != '\n') out += c;
    return out;
}

void writeLibraryFolder(const Workspace& workspace, std::string folder) {
    if (!folder.empty() && folder.back() != '\\' && folder.back() != '/') {
        // A folder typed the Linux way gets a slash, one typed the network way a backslash.
        folder += (folder.find('/') != std::string::npos && folder.find('\\') == std::string::npos) ? '/' : '\\';
    }
    writeFileAtomic(workspace.file(kNetPathFile), folder + "\r\n");
}

std::filesystem::path libraryFile(const Workspace& workspace, std::string_view name) {
    std::string folder = readLibraryFolder(workspace);
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
    if (folder.empty()) return workspace.file(name);
    std::filesystem::path dir(folder);
    if (dir.is_relative()) dir = workspace.folder() / dir;
    return resolveInFolder(dir, name);
}

float densityOf(const Workspace& workspace, std::string_view material) {
    // One record a line: a line missing its density must not shift the lines after it.
    for (const std::string& line : splitLines(readWholeFile(workspace.file(kDensityFile)))) {
        FieldReader reader(line);
        const std::string mat = reader.next();
        const std::string density = reader.next();
        if (mat == material) return leadingFloat(density);
    }
    return 0;
}

std::optional<double> weightOrArea(std::string_view option, float density, float thickness, double length,
                                   double width, double quantity) {
    if (option == kOptionWeight)
        return static_cast<double>(density) * static_cast<double>(thickness) * length * width * quantity;
    if (option == kOptionArea || option == kOptionAreaBanding) return length * width * quantity;
    return std::nullopt;
}

std::string weightOrAreaText(std::string_view option, float density, float thickness, double length, double width,
                             double quantity) {
    const auto value = weightOrArea(option, density, thickness, length, width, quantity);
    return value ? fixedText(*value, 2, true) : std::string();
}

}  // namespace veltrix
