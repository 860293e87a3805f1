#include "table/columns.h"

#include <algorithm>
#include <array>

namespace veltrix {
namespace {

struct Entry {
    std::string_view key;
    ColumnSpec attributes;
};

constexpr ColumnSpec col(int width, char kind, char entry) {
    return ColumnSpec{width, static_cast<ValueKind>(kind), static_cast<EntryMethod>(entry)};
}

constexpr std::array kVocabulary = {
    Entry{"ORN", col(1, 'O', 'T')},
    Entry{"CRITERIA", col(8, 'O', 'T')},
    Entry{"MAT", col(16, 'S', 'T')},
    Entry{"GRAIN", col(5, 'O', 'T')},
    Entry{"ALIGN", col(5, 'O', 'T')},
    Entry{"LAYOUT", col(6, 'L', 'T')},
    Entry{"ROWS", col(6, 'L', 'T')},
    Entry{"COLS", col(6, 'L', 'T')},
    Entry{"HS", col(6, 'L', 'T')},
    Entry{"HP", col(6, 'L', 'T')},
    Entry{"VS", col(6, 'L', 'T')},
    Entry{"VP", col(6, 'L', 'T')},
    Entry{"M(L)", col(6, 'R', 'T')},
    Entry{"M(T)", col(6, 'R', 'T')},
    Entry{"M(R)", col(6, 'R', 'T')},
    Entry{"M(B)", col(6, 'R', 'T')},
    Entry{"THICK", col(6, 'R', 'T')},
    Entry{"MIN OC", col(6, 'R', 'T')},
    Entry{"KERF", col(6, 'R', 'T')},
    Entry{"TOL", col(6, 'R', 'T')},
    Entry{"EDGE-1", col(6, 'R', 'T')},
    Entry{"EDGE-2", col(6, 'R', 'T')},
    Entry{"LENGTH", col(7, 'R', 'T')},
    Entry{"WIDTH", col(7, 'R', 'T')},
    Entry{"BLADE", col(7, 'R', 'T')},
    Entry{"XS", col(7, 'R', 'T')},
    Entry{"YS", col(7, 'R', 'T')},
    Entry{"DIM-X", col(7, 'R', 'T')},
    Entry{"DIM-Y", col(7, 'R', 'T')},
    Entry{"DIM-1", col(7, 'R', 'T')},
    Entry{"DIM-2", col(7, 'R', 'T')},
    Entry{"QTY", col(7, 'L', 'T')},
    Entry{"LOCATION", col(12, 'S', 'T')},
    Entry{"DESCRIPTION", col(12, 'S', 'T')},
    Entry{"CLIENT", col(12, 'S', 'T')},
    Entry{"PRODUCT", col(12, 'S', 'T')},
    Entry{"REM-1", col(5, 'S', 'T')},
    Entry{"REM-2", col(5, 'S', 'T')},
    Entry{"PRODUCTS", col(12, 'S', 'L')},
    Entry{"DENSITY", col(24, 'R', 'T')},
    Entry{"NOTE", col(30, 'S', 'T')},
    Entry{"REPORT", col(76, 'X', 'X')},
    Entry{"PREVIEW", col(108, 'X', 'X')},
    Entry{"DXFFILE", col(255, 'S', 'D')},
    Entry{"LABELFILE", col(255, 'S', 'B')},
    Entry{"CODE", col(12, 'X', 'X')},
    Entry{"POSITION", col(12, 'X', 'X')},
    Entry{"REPEAT", col(12, 'X', 'X')},
    Entry{"DESCRIP", col(24, 'X', 'X')},
    Entry{"BIGGER FONTSIZE", col(5, 'O', 'T')},
    Entry{"SHOW CLIENT", col(5, 'O', 'T')},
    Entry{"SHOW MATERIAL", col(5, 'O', 'T')},
    Entry{"SHOW GRAIN", col(5, 'O', 'T')},
    Entry{"SHOW THICKNESS", col(5, 'O', 'T')},
    Entry{"SHOW SIZE", col(5, 'O', 'T')},
    Entry{"SHOW QTY", col(5, 'O', 'T')},
    Entry{"SHOW DESCRIPTION", col(5, 'O', 'T')},
    Entry{"SHOW PRODUCT", col(5, 'O', 'T')},
    Entry{"SHOW LOGO", col(5, 'O', 'T')},
};

}  // namespace

ColumnSpec lookupColumn(std::string_view key) {
    for (const auto& e : kVocabulary)
        if (e.key == key) return e.attributes;
    return {};
}

int displayWidth(std::string_view key) {
    return std::max({lookupColumn(key).width, 3, static_cast<int>(key.size())});
}

std::vector<std::string> headerTexts(const std::vector<std::string>& keys) {
    std::vector<std::string> header{"Sr No"};
    for (const auto& k : keys) {
        std::string text = k;
        const auto width = static_cast<std::size_t>(displayWidth(k));
        if (text.size() < width) text.append(width - text.size(), ' ');
        header.push_back(std::move(text));
    }
    return header;
}

}  // namespace veltrix
