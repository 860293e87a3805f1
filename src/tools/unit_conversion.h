#pragma once
// The unit conversion tool: a length converted between millimetres, centimetres, metres, inches
// and feet, the input read as a number or as a mixed fraction ("1 1/2"), the result shown with
// four decimals. The unit pair used last is kept in unit.tlf in the working folder.
//
//     conversionText("1 1/2", unitIndex("in").value(), unitIndex("mm").value())  // "38.1000"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace veltrix {
class Workspace;
}

namespace veltrix::tools {

inline constexpr const char* kUnitFile = "unit.tlf";

// The units in list order.
inline constexpr std::array<const char*, 5> kUnits = {"mm", "cm", "mt", "in", "ft"};
inline constexpr int kUnitCount = static_cast<int>(kUnits.size());

// Position of a unit text in the list (letter case as listed), nothing for any other text.
std::optional<int> unitIndex(std::string_view unit);

// The single-precision factors: an input unit to millimetres, millimetres to an output unit.
// Out-of-range units count as millimetres.
float factorToMillimetres(int unit);
float factorFromMillimetres(int unit);

// The value of an input text, trimmed of blanks. With a "/" it is a mixed fraction: the whole part
// before the first blank (none without a blank), the numerator from there to the "/", the
// denominator after it. Otherwise the text's leading number (0 when it has none). Nothing when
// the text cannot be read: a zero denominator, a blank only after the "/".
std::optional<double> inputValue(std::string_view text);

// The result text of the tool, "0.0000" pattern: factor-to-mm(from) x value x factor-from-mm(to).
// Nothing when the input cannot be read or the result is not a finite number; the window then
// keeps the result it showed before.
std::optional<std::string> conversionText(std::string_view input, int from, int to);

// The units used last: input and output unit, each "mm" when not stored.
struct UnitPair {
    int input = 0;
    int output = 0;
    bool operator==(const UnitPair&) const = default;
};

// Reads unit.tlf; a missing file, or a unit that is not in the list, leaves "mm".
UnitPair readUnitPair(const Workspace& workspace);
// unit.tlf: one record of the two unit texts, quoted ("in","mm").
std::string unitPairText(UnitPair pair);
// Rewrites unit.tlf (atomically). Throws FileError when it cannot be written.
void writeUnitPair(const Workspace& workspace, UnitPair pair);

}  // namespace veltrix::tools
