#pragma once
// The US keyboard: which key, with or without Shift, types a character.

#include <cstdint>
#include <optional>

namespace veltrix::keys {

struct CharKey {
    std::uint16_t vk = 0;
    bool shift = false;
};

// The key that types `c` on a US keyboard; nothing for a character it has no key for (those are
// typed as Unicode characters).
std::optional<CharKey> usKeyOfChar(char32_t c);

}  // namespace veltrix::keys
