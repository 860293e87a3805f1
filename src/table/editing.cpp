#include "table/editing.h"

#include "table/columns.h"
#include "base/file_ops.h"

namespace veltrix {
namespace {

bool isYesToggle(std::string_view key) {
    return key == "GRAIN" || key == "ALIGN" || key == "BIGGER FONTSIZE" || key.rfind("SHOW ", 0) == 0;
}

KeyResult discard(bool changed = false) {
    KeyResult r;
    r.changed = changed;
    return r;
}

KeyResult append(char c) {
    KeyResult r;
    r.action = KeyAction::Append;
    r.character = c;
    r.changed = true;
    return r;
}

KeyResult replace(std::string text, bool changed) {
    KeyResult r;
    r.action = KeyAction::Replace;
    r.text = std::move(text);
    r.changed = changed;
    return r;
}

KeyResult open(KeyAction action) {
    KeyResult r;
    r.action = action;
    r.beep = true;
    return r;
}

}  // namespace

KeyResult acceptCharacter(std::string_view key, std::string_view text, int character) {
    const ColumnSpec attributes = lookupColumn(key);
    int ch = character;
    if (ch >= 'a' && ch <= 'z') ch = ch - 'a' + 'A';
    bool discarded = false;

    if (ch == kBackspace) {
        discarded = true;
        if (attributes.kind != ValueKind::Fixed && attributes.kind != ValueKind::Option && !text.empty())
            return replace(std::string(text.substr(0, text.size() - 1)), false);
    }

    switch (attributes.entry) {
        case EntryMethod::DxfDialog: return open(KeyAction::OpenDxfDialog);
        case EntryMethod::PictureDialog: return open(KeyAction::OpenPictureDialog);
        case EntryMethod::ProductChooser: return open(KeyAction::OpenProductChoice);
        case EntryMethod::TypingOrChooser:
            if (ch == kEnter) return open(KeyAction::OpenProductChoice);
            break;
        case EntryMethod::Typing: break;
        case EntryMethod::NoEntry:
        case EntryMethod::None: return discard();
    }

    if (static_cast<int>(text.size()) == attributes.width) return discard();

    switch (attributes.kind) {
        case ValueKind::Option:
            if (key == "ORN") {
                if (!discarded && (ch == '1' || ch == '2')) return append(static_cast<char>(ch));
                return discard(true);
            }
            if (key == "CRITERIA") {
                if (text.empty() || text == "AND") return replace("OR", true);
                if (text == "OR") return replace("AND", true);
                return discard(true);
            }
            if (isYesToggle(key)) {
                if (text.empty()) return replace("YES", true);
                if (text == "YES") return replace("", true);
                return discard(true);
            }
            return discard(true);
        case ValueKind::Real:
            if (!discarded && ch >= '0' && ch <= '9') return append(static_cast<char>(ch));
            if (!discarded && ch == '.' && text.find('.') == std::string_view::npos) return append('.');
            return discard(true);
        case ValueKind::Whole:
            if (!discarded && ch >= '0' && ch <= '9') return append(static_cast<char>(ch));
            return discard(true);
        case ValueKind::Text:
            if (!discarded && ch >= 32 && ch <= 126 && ch != '"' && ch != ',') return append(static_cast<char>(ch));
            return discard(true);
        case ValueKind::Fixed:
        case ValueKind::None: return discard(true);
    }
    return discard(true);
}

bool deleteKeyClears(std::string_view key) {
    switch (lookupColumn(key).entry) {
        case EntryMethod::TypingOrChooser:
        case EntryMethod::Typing:
        case EntryMethod::ProductChooser:
        case EntryMethod::DxfDialog:
        case EntryMethod::PictureDialog: return true;
        default: return false;
    }
}

}  // namespace veltrix
