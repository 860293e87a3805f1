#include "layouts/dxf_export.h"

#include <gtest/gtest.h>

#include "dxf/dxflib_reader.h"
#include "layouts/layout_drawing.h"
#include "layouts/sample_result.h"
#include "support/temp_folder.h"
#include "table/error.h"
#include "table/file_ops.h"
#include "table/workspace.h"

namespace veltrix::layouts {
namespace {

namespace fs = std::filesystem;

// Three copies of the sample layout as layouts 1, 2 and 3.
engine::LoadedResult threeLayouts() {
    engine::LoadedResult r = test::sampleResult();
    const auto one = r.items;
    for (int n = 2; n <= 3; ++n)
        for (engine::LayoutItem item : one) {
            item.layout = n;
            r.items.push_back(item);
        }
    test::indexLayouts(r);
    return r;
}

TEST(LayoutExport, AllLayoutsGoToNumberedFilesAndOlderOnesAreRemoved) {
    test::TempFolder folder;
    const fs::path examples = fs::path(VELTRIX_EXAMPLES) / "workshop";
    fs::copy_file(examples / "dxf.hd", folder / "dxf.hd");
    fs::copy_file(examples / "dxf.ft", folder / "dxf.ft");
    folder.write("plan.dxf", "old");
    folder.write("plan_4-4.dxf", "old");
    folder.write("planets.dxf", "keep");
    const Workspace workspace(folder.path());
    const engine::LoadedResult result = threeLayouts();
    const reports::Report report = test::sampleReport(3);
    const LayoutDrawing drawing(workspace, result, report, {});

    const ExportResult done = exportLayouts(drawing, 1, 3, folder / "plan.dxf");
    EXPECT_EQ(done.count, 3);
    EXPECT_EQ(done.message(), "3 Layout(s) exported as DXF file(s)!");
    for (const char* name : {"plan_1-3.dxf", "plan_2-3.dxf", "plan_3-3.dxf"}) {
        const test::ReadBack back = test::readWithDxflib(folder / name);
        ASSERT_TRUE(back.opened) << name;
        EXPECT_EQ(back.lines.size(), 32u) << name;
    }
    EXPECT_FALSE(fileExists(folder / "plan.dxf"));
    EXPECT_FALSE(fileExists(folder / "plan_4-4.dxf"));
    EXPECT_EQ(folder.read("planets.dxf"), "keep");

    // The current layout alone: name_2-3.dxf.
    const ExportResult one = exportLayouts(drawing, 2, 2, folder / "name.dxf");
    EXPECT_EQ(one.count, 1);
    EXPECT_TRUE(fileExists(folder / "name_2-3.dxf"));
    EXPECT_EQ(one.message(), "1 Layout(s) exported as DXF file(s)!");
}

TEST(LayoutExport, MissingTemplatesFailTheExport) {
    test::TempFolder folder;
    const Workspace workspace(folder.path());
    const engine::LoadedResult result = test::sampleResult();
    const reports::Report report = test::sampleReport(1);
    const LayoutDrawing drawing(workspace, result, report, {});
    EXPECT_THROW(exportLayouts(drawing, 1, 1, folder / "x.dxf"), FileError);
    EXPECT_FALSE(fileExists(folder / "x_1-1.dxf"));
}

}  // namespace
}  // namespace veltrix::layouts
