#pragma once
// Keyboard editing of grid cells, as pure functions of the column key, the cell text and the key.

#include <string>
#include <string_view>

namespace veltrix {

enum class KeyAction {
    Discard,             // nothing happens to the cell
    Append,              // append `character` to the cell
    Replace,             // the cell becomes `text`
    OpenDxfDialog,       // choose a DXF file for the cell
    OpenPictureDialog,   // choose a picture file for the cell
    OpenProductChoice,   // choose a product for the cell
};

struct KeyResult {
    KeyAction action = KeyAction::Discard;
    char character = 0;
    std::string text;
    bool beep = false;
    bool changed = false;  // the key sets the application's changed flag
};

inline constexpr int kBackspace = 8;
inline constexpr int kEnter = 13;

// What a typed character does to a cell of the column `key` holding `text`.
// Letters arrive upper case; widths, value kinds and toggles are enforced here.
KeyResult acceptCharacter(std::string_view key, std::string_view text, int character);

// Whether the Delete key clears a cell of this column (and so sets the changed flag).
bool deleteKeyClears(std::string_view key);

// The answer of the change confirmation asked before a job grid is edited.
enum class ChangeAnswer {
    Refuse,         // the edit does not happen
    GoOn,           // no result exists: edit freely
    GoOnDiscarded,  // the user agreed; the layout result has been emptied
};

}  // namespace veltrix
