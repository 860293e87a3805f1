// Feeds arbitrary bytes to the readers of the library files and the label sheet definition: each
// reads, or refuses with InputError; a library that is accepted for a rewrite also merges.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "layouts/labels.h"
#include "libraries/material_library.h"
#include "libraries/product_library.h"
#include "base/error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    veltrix::parseStock(text);
    veltrix::parseProducts(text);
    try {
        auto records = veltrix::parseStockForRewrite(text, "mlm.dat");
        veltrix::sortAndMergeStock(records);
        veltrix::stockText(records);
    } catch (const veltrix::InputError&) {
    }
    try {
        veltrix::layouts::parseLabelSheet(text);
    } catch (const veltrix::InputError&) {
    }
    return 0;
}
