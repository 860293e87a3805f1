#pragma once
// Key strings: the send-keys notation that the keystroke sender types into other windows, and the
// list of key events a key string becomes.
//
//     "602.5"      plain characters, each a key press of the US keyboard
//     "+{tab}"     Shift (+), Ctrl (^) and Alt (%) hold down for the next element
//     "^+(ab)"     a parenthesised group: the modifiers hold for all of it
//     "{F11}"      a named key ({f11} alike); "{TAB 3}" pressed three times; "{}}" and "{{}" braces
//
// The whole string becomes one list of key-down and key-up events, in the order they are sent.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace veltrix::keys {

// Flags of a key event.
inline constexpr std::uint32_t kExtendedKey = 1;
inline constexpr std::uint32_t kKeyUp = 2;
inline constexpr std::uint32_t kUnicodeChar = 4;

// Virtual-key codes the parser itself produces.
inline constexpr std::uint16_t kVkShift = 16;
inline constexpr std::uint16_t kVkControl = 17;
inline constexpr std::uint16_t kVkAlt = 18;

// One keyboard input record. A key event names a virtual key (vk) and leaves scan at 0; a Unicode
// event (flag kUnicodeChar) has vk 0 and carries one UTF-16 unit in scan.
struct KeyEvent {
    std::uint16_t vk = 0;
    std::uint16_t scan = 0;
    std::uint32_t flags = 0;

    bool up() const { return (flags & kKeyUp) != 0; }
    bool extended() const { return (flags & kExtendedKey) != 0; }
    bool unicode() const { return (flags & kUnicodeChar) != 0; }
    bool operator==(const KeyEvent&) const = default;
};

// The events of a key string. Never fails: a name that is not a key is typed as characters (a
// one-character name as that character, a longer one as its first character as written), an
// unclosed brace is typed as a "{" and a ")" outside a group as itself. Text is UTF-8; a byte that
// does not begin a valid UTF-8 sequence is typed as U+FFFD.
std::vector<KeyEvent> parseKeyString(std::string_view text);

// One event as a line of text: "KEY 16 DOWN", "KEY 46 UP EXTENDED", "CHAR 233 DOWN".
std::string eventText(const KeyEvent& event);

}  // namespace veltrix::keys
