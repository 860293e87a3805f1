#include "layouts/display_options.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "base/workspace.h"

namespace veltrix::layouts {
namespace {

TEST(DisplayOptions, ReadWhatTheFileHoldsTheRestOff) {
    const std::tuple<const char*, std::string, int> cases[] = {
        // dia.set (none: missing), the 13 options in file order (1 on), the pen width for printing
        {nullptr, "0000000000000", 0},
        {"1\r\n0\r\n0\r\n1\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n1\r\n3\r\n", "1001100000101", 3},
        {"1\nx\n1", "1010000000000", 0},                                        // short, LF, not a number
        {"0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n900\n", "0000000000000", 5}};  // the pen width held at 5
    for (const auto& [file, flags, lineWidth] : cases) {
        test::TempFolder folder;
        if (file) folder.write("dia.set", file);
        const DisplayOptions o = readDisplayOptions(Workspace(folder.path()));
        std::string read;
        for (bool on : o.flags) read += on ? '1' : '0';
        EXPECT_EQ(read, flags) << (file ? file : "missing");
        EXPECT_EQ(o.printLineWidth, lineWidth) << (file ? file : "missing");
    }
    // Writing all fourteen lines is driven through the Layout Settings window (tests/ui).
}

}  // namespace
}  // namespace veltrix::layouts
