#include "layouts/piece_numbers.h"

namespace veltrix::layouts {

int pieceNumber(const engine::LoadedResult& result, std::size_t index) {
    if (index >= result.items.size() || !result.items[index].isPiece()) return 0;
    std::size_t start = index;
    while (start > 0 && result.items[start].kind != ItemKind::Sheet) --start;
    int number = 0;
    for (std::size_t i = start; i <= index; ++i)
        if (result.items[i].isPiece()) ++number;
    return number;
}

}  // namespace veltrix::layouts
