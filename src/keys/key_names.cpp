#include "keys/key_names.h"

#include <string>
#include <unordered_map>

namespace veltrix::keys {
namespace {

using Table = std::unordered_map<std::string, NamedKey>;

const Table& keyTable() {
    static const Table table = [] {
        Table t;
        const auto add = [&t](std::initializer_list<const char*> names, std::uint16_t vk, bool extended) {
            for (const char* name : names) t.emplace(name, NamedKey{vk, extended});
        };
        add({"BACKSPACE", "BS", "BKSP"}, 8, false);
        add({"BREAK"}, 19, true);
        add({"CAPSLOCK"}, 20, false);
        add({"DELETE", "DEL"}, 46, true);
        add({"DOWN"}, 40, true);
        add({"END"}, 35, true);
        add({"ENTER"}, 13, false);
        add({"ESC"}, 27, false);
        add({"HELP"}, 47, false);
        add({"HOME"}, 36, true);
        add({"INS", "INSERT"}, 45, true);
        add({"LEFT"}, 37, true);
        add({"NUMLOCK"}, 144, true);
        add({"PGDN"}, 34, true);
        add({"PGUP"}, 33, true);
        add({"PAUSE"}, 19, false);
        add({"PRINT"}, 42, true);
        add({"PRTSC", "PRTSCN", "PRINTSCRN", "PRINTSCREEN"}, 44, true);
        add({"RIGHT"}, 39, true);
        add({"SCROLLLOCK"}, 145, false);
        add({"SELECT"}, 41, false);
        add({"TAB"}, 9, false);
        add({"UP"}, 38, true);
        for (int n = 1; n <= 16; ++n)
            t.emplace("F" + std::to_string(n), NamedKey{static_cast<std::uint16_t>(111 + n), false});
        return t;
    }();
    return table;
}

}  // namespace

std::optional<NamedKey> findKeyName(std::string_view name) {
    std::string upper(name);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    const auto found = keyTable().find(upper);
    if (found == keyTable().end()) return std::nullopt;
    return found->second;
}

}  // namespace veltrix::keys
