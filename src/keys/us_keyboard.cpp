#include "keys/us_keyboard.h"

#include <string_view>

namespace veltrix::keys {
namespace {

// The punctuation keys in virtual-key order 186..192 and 219..222, unshifted and shifted.
constexpr std::string_view kPunctuationLow = ";=,-./`";
constexpr std::string_view kPunctuationLowShifted = ":+<_>?~";
constexpr std::string_view kPunctuationHigh = "[\\]'";
constexpr std::string_view kPunctuationHighShifted = "{|}\"";
// The characters on the digit keys 0..9 with Shift.
constexpr std::string_view kShiftedDigits = ")!@#$%^&*(";

std::optional<CharKey> keyIn(std::string_view keys, char32_t c, int firstVk, bool shift) {
    if (c > 127) return std::nullopt;
    const auto at = keys.find(static_cast<char>(c));
    if (at == std::string_view::npos) return std::nullopt;
    return CharKey{static_cast<std::uint16_t>(firstVk + static_cast<int>(at)), shift};
}

}  // namespace

std::optional<CharKey> usKeyOfChar(char32_t c) {
    if (c >= 'a' && c <= 'z') return CharKey{static_cast<std::uint16_t>(c - 'a' + 65), false};
    if (c >= 'A' && c <= 'Z') return CharKey{static_cast<std::uint16_t>(c - 'A' + 65), true};
    if (c >= '0' && c <= '9') return CharKey{static_cast<std::uint16_t>(c), false};
    switch (c) {
    case ' ': return CharKey{32, false};
    case '\t': return CharKey{9, false};
    case '\r': return CharKey{13, false};
    case '\b': return CharKey{8, false};
    case 0x1b: return CharKey{27, false};
    default: break;
    }
    if (auto key = keyIn(kShiftedDigits, c, 48, true)) return key;
    if (auto key = keyIn(kPunctuationLow, c, 186, false)) return key;
    if (auto key = keyIn(kPunctuationLowShifted, c, 186, true)) return key;
    if (auto key = keyIn(kPunctuationHigh, c, 219, false)) return key;
    if (auto key = keyIn(kPunctuationHighShifted, c, 219, true)) return key;
    return std::nullopt;
}

}  // namespace veltrix::keys
