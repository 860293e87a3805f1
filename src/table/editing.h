#pragma once
// Keyboard editing of grid cells, as pure functions of the column key, the cell text and the key,
// and the change confirmation asked before a job grid is edited while a result exists.

#include <filesystem>
#include <string>
#include <string_view>

namespace veltrix {

class Prompt;

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

enum class ChangeAnswer {
    Refuse,         // the edit does not happen
    GoOn,           // no result exists: edit freely
    GoOnDiscarded,  // the user agreed; the layout result has been emptied
};

// Asked before an edit of the basic details, sheet or cut-piece grid. `code` is the typed
// character or key code (a control character other than Backspace is no edit). When the layout
// result `diaFile` holds a result, asks whether to discard it and, on Yes, empties it; the caller
// then closes the result windows and resets the continuation of the run.
ChangeAnswer confirmChange(int code, const std::filesystem::path& diaFile, Prompt& prompt);

inline constexpr const char* kChangeQuestion =
    "You are trying to change data. If you continue, you will need to Optimize again. Continue?";

}  // namespace veltrix
