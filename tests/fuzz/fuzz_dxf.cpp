// Feeds arbitrary bytes to the DXF outline reader: an outline is read or refused with InputError.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "dxf/dxf_reader.h"
#include "dxf/entities.h"
#include "base/error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const veltrix::dxf::EntityList list = veltrix::dxf::parseOutline(text, "fuzz.dxf");
        veltrix::dxf::boundingBox(list);
    } catch (const veltrix::InputError&) {
    }
    return 0;
}
