#pragma once
// The numbers by which the shop finds a part: within its layout, the cut-pieces are numbered 1, 2,
// ... in the order the layout lists them. The drawing shows these numbers, the labels and the
// listing use the same, so a label leads to its part on the sheet.

#include <cstddef>

#include "engine/loaded_result.h"

namespace veltrix::layouts {

// The number of the cut-piece item at `index` of the result's items within its layout (1 for the
// first piece of the layout); 0 when the item is not a cut-piece.
int pieceNumber(const engine::LoadedResult& result, std::size_t index);

}  // namespace veltrix::layouts
