#include "keys/key_events.h"

#include <cstddef>

#include "keys/key_names.h"
#include "keys/us_keyboard.h"

namespace veltrix::keys {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

// Decodes the UTF-8 character at `pos` and moves past it. A byte that does not begin a valid
// sequence (a stray continuation byte, a truncated or overlong sequence, a surrogate) is one
// U+FFFD and is skipped alone.
char32_t decodeAt(std::string_view text, std::size_t& pos) {
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    int length = 0;
    char32_t c = 0;
    char32_t least = 0;
    if ((lead & 0xE0) == 0xC0) length = 2, c = lead & 0x1F, least = 0x80;
    else if ((lead & 0xF0) == 0xE0) length = 3, c = lead & 0x0F, least = 0x800;
    else if ((lead & 0xF8) == 0xF0) length = 4, c = lead & 0x07, least = 0x10000;
    if (length == 0 || pos + static_cast<std::size_t>(length) > text.size()) {
        ++pos;
        return kReplacement;
    }
    for (int i = 1; i < length; ++i) {
        const unsigned char next = byte(pos + static_cast<std::size_t>(i));
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return kReplacement;
        }
        c = (c << 6) | (next & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++pos;
        return kReplacement;
    }
    pos += static_cast<std::size_t>(length);
    return c;
}

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}

    std::vector<KeyEvent> run() {
        while (pos_ < text_.size()) element(false);
        return std::move(events_);
    }

private:
    void key(std::uint16_t vk, bool up, bool extended) {
        std::uint32_t flags = 0;
        if (extended) flags |= kExtendedKey;
        if (up) flags |= kKeyUp;
        events_.push_back(KeyEvent{vk, 0, flags});
    }
    void press(std::uint16_t vk, bool extended) {
        key(vk, false, extended);
        key(vk, true, extended);
    }

    // A character as the US keyboard types it, else one Unicode event pair per UTF-16 unit.
    void typeChar(char32_t c) {
        if (const auto key = usKeyOfChar(c)) {
            if (key->shift) this->key(kVkShift, false, false);
            press(key->vk, false);
            if (key->shift) this->key(kVkShift, true, false);
            return;
        }
        const auto unit = [this](char32_t u) {
            events_.push_back(KeyEvent{0, static_cast<std::uint16_t>(u), kUnicodeChar});
            events_.push_back(KeyEvent{0, static_cast<std::uint16_t>(u), kUnicodeChar | kKeyUp});
        };
        if (c >= 0x10000) {
            unit(0xD800 + ((c - 0x10000) >> 10));
            unit(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            unit(c);
        }
    }

    // "{name}" or "{name count}" at pos_ (which holds the "{").
    void braced() {
        // The name's first character may itself be "}" ("{}}"), so the closing brace is looked
        // for from the second character of the name on.
        const std::size_t close = pos_ + 2 <= text_.size() ? text_.find('}', pos_ + 2) : std::string_view::npos;
        if (close == std::string_view::npos) {
            ++pos_;
            typeChar('{');
            return;
        }
        std::string_view name = text_.substr(pos_ + 1, close - pos_ - 1);
        pos_ = close + 1;
        int count = 1;
        const auto blank = name.rfind(' ');
        if (blank != std::string_view::npos && blank > 0 && blank + 1 < name.size()) {
            const std::string_view digits = name.substr(blank + 1);
            if (digits.size() <= 6 && digits.find_first_not_of("0123456789") == std::string_view::npos) {
                count = 0;
                for (char d : digits) count = count * 10 + (d - '0');
                name = name.substr(0, blank);
            }
        }
        if (const auto named = findKeyName(name)) {
            for (int i = 0; i < count; ++i) press(named->vk, named->extended);
            return;
        }
        // Not a key name: its first character as written (the whole name when it is one character).
        std::size_t at = 0;
        const char32_t c = decodeAt(name, at);
        for (int i = 0; i < count; ++i) typeChar(c);
    }

    // One element at pos_: a modified element, a group, a braced key or a character.
    void element(bool inGroup) {
        const char c = text_[pos_];
        if (c == '+' || c == '^' || c == '%') {
            const std::uint16_t vk = c == '+' ? kVkShift : c == '^' ? kVkControl : kVkAlt;
            ++pos_;
            key(vk, false, false);
            if (pos_ < text_.size() && !(inGroup && text_[pos_] == ')')) element(inGroup);
            key(vk, true, false);
        } else if (c == '(') {
            ++pos_;
            while (pos_ < text_.size() && text_[pos_] != ')') element(true);
            if (pos_ < text_.size()) ++pos_;  // the closing ")"
        } else if (c == '{') {
            braced();
        } else {
            typeChar(decodeAt(text_, pos_));
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::vector<KeyEvent> events_;
};

}  // namespace

std::vector<KeyEvent> parseKeyString(std::string_view text) { return Parser(text).run(); }

std::string eventText(const KeyEvent& event) {
    std::string line = event.unicode() ? "CHAR " + std::to_string(event.scan) : "KEY " + std::to_string(event.vk);
    line += event.up() ? " UP" : " DOWN";
    if (event.extended()) line += " EXTENDED";
    return line;
}

}  // namespace veltrix::keys
