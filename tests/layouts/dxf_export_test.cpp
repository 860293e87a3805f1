#include "layouts/dxf_export.h"

#include <gtest/gtest.h>

#include "dxf/dxflib_reader.h"
#include "layouts/layout_drawing.h"
#include "layouts/sample_result.h"
#include "table/error.h"
#include "table/file_ops.h"
#include "table/workspace.h"

namespace veltrix::layouts {
namespace {

namespace fs = std::filesystem;

TEST(LayoutExport, EachLayoutToItsNumberedFileEarlierExportsRemoved) {
    test::TempFolder folder;
    const Workspace workspace(folder.path());
    const engine::LoadedResult result = test::loadProject("two-layouts.opt");
    const reports::Report report;
    const LayoutDrawing drawing(workspace, result, report, {});
    EXPECT_THROW(exportLayouts(drawing, 1, 1, folder / "x.dxf"), FileError);  // no templates
    EXPECT_FALSE(fileExists(folder / "x_1-2.dxf"));

    for (const char* name : {"dxf.hd", "dxf.ft"})
        fs::copy_file(fs::path(VELTRIX_EXAMPLES) / "workshop" / name, folder / name);
    folder.write("plan.dxf", "old");
    folder.write("plan_4-4.dxf", "old");
    folder.write("planets.dxf", "keep");
    EXPECT_EQ(exportLayouts(drawing, 1, 2, folder / "plan.dxf").message(), "2 Layout(s) exported as DXF file(s)!");
    // Four lines for each of the 11 and 10 items, read by an independent reader.
    EXPECT_EQ(test::readWithDxflib(folder / "plan_1-2.dxf").lines.size(), 44u);
    EXPECT_EQ(test::readWithDxflib(folder / "plan_2-2.dxf").lines.size(), 40u);
    EXPECT_FALSE(fileExists(folder / "plan.dxf") || fileExists(folder / "plan_4-4.dxf"));
    EXPECT_EQ(folder.read("planets.dxf"), "keep");
    const ExportResult single = exportLayouts(drawing, 2, 2, folder / "name.dxf");
    EXPECT_EQ(single.message(), "1 Layout(s) exported as DXF file(s)!");
    EXPECT_EQ(single.files, std::vector<fs::path>{folder / "name_2-2.dxf"});
}

}  // namespace
}  // namespace veltrix::layouts
