#pragma once
// The column vocabulary: every grid column is named by one of these keys, which fixes its width,
// the kind of value typed into it and how it is entered.

#include <string>
#include <string_view>
#include <vector>

namespace veltrix {

enum class ValueKind : char {
    None = 0,
    Option = 'O',   // toggles and fixed choices
    Text = 'S',
    Whole = 'L',
    Real = 'R',
    Fixed = 'X',    // not editable
};

enum class EntryMethod : char {
    None = 0,
    Typing = 'T',
    ProductChooser = 'L',       // chosen in the product choice window
    TypingOrChooser = 'C',      // typed; Enter opens the product choice window
    DxfDialog = 'D',
    PictureDialog = 'B',
    NoEntry = 'X',
};

struct ColumnSpec {
    int width = 0;  // most characters typed into a cell
    ValueKind kind = ValueKind::None;
    EntryMethod entry = EntryMethod::None;
};

// The attributes of a key; a key not in the vocabulary has width 0 and no kind or entry.
ColumnSpec lookupColumn(std::string_view key);

// Display width in characters: the larger of the width, 3 and the key's length.
int displayWidth(std::string_view key);

// The header of a grid: "Sr No" then each key padded with blanks to its display width.
std::vector<std::string> headerTexts(const std::vector<std::string>& keys);

}  // namespace veltrix
