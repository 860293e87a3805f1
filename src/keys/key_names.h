#pragma once
// The names a key string may give in braces ({ENTER}, {F11}, {PGDN}) and their virtual keys.

#include <cstdint>
#include <optional>
#include <string_view>

namespace veltrix::keys {

struct NamedKey {
    std::uint16_t vk = 0;
    bool extended = false;  // sent with the extended-key flag
};

// The key of a name, letter case ignored; nothing for a name that is not in the table.
std::optional<NamedKey> findKeyName(std::string_view name);

}  // namespace veltrix::keys
