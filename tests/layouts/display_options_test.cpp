#include "layouts/display_options.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "table/workspace.h"

namespace veltrix::layouts {
namespace {

TEST(DisplayOptions, MissingFileLeavesEverythingOff) {
    test::TempFolder folder;
    const DisplayOptions o = readDisplayOptions(Workspace(folder.path()));
    for (bool on : o.flags) EXPECT_FALSE(on);
    EXPECT_EQ(o.printLineWidth, 0);
}

TEST(DisplayOptions, FourteenLinesInFileOrder) {
    test::TempFolder folder;
    folder.write("dia.set", "1\r\n0\r\n0\r\n1\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n0\r\n1\r\n3\r\n");
    const DisplayOptions o = readDisplayOptions(Workspace(folder.path()));
    EXPECT_TRUE(o[Show::BasicDetailsList]);
    EXPECT_FALSE(o[Show::SheetDimensions]);
    EXPECT_TRUE(o[Show::OnlyFirstInBlock]);
    EXPECT_TRUE(o[Show::PieceDimensions]);
    EXPECT_TRUE(o[Show::OffcutList]);
    EXPECT_FALSE(o[Show::CutLineDimensions]);
    EXPECT_TRUE(o[Show::DxfOutline]);
    EXPECT_EQ(o.printLineWidth, 3);
}

TEST(DisplayOptions, ShortOrBadFilesReadWhatTheyHold) {
    test::TempFolder folder;
    folder.write("dia.set", "1\nx\n1");
    DisplayOptions o = readDisplayOptions(Workspace(folder.path()));
    EXPECT_TRUE(o[Show::BasicDetailsList]);
    EXPECT_FALSE(o[Show::SheetDimensions]);
    EXPECT_TRUE(o[Show::MarginDimensions]);
    EXPECT_FALSE(o[Show::DxfOutline]);
    EXPECT_EQ(o.printLineWidth, 0);
    // A pen width beyond the selector's 1..5 is held at 5.
    folder.write("dia.set", "0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n0\n900\n");
    EXPECT_EQ(readDisplayOptions(Workspace(folder.path())).printLineWidth, 5);
}

TEST(DisplayOptions, WritingRewritesAllFourteenLines) {
    test::TempFolder folder;
    const Workspace workspace(folder.path());
    DisplayOptions o;
    o.set(Show::SheetDimensions, true);
    o.set(Show::DxfOutline, true);
    o.printLineWidth = 2;
    writeDisplayOptions(workspace, o);
    EXPECT_EQ(folder.read("dia.set"), "0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n1\r\n2\r\n");
    EXPECT_EQ(readDisplayOptions(workspace), o);
    // Nothing changed still rewrites the whole file.
    folder.write("dia.set", "0\r\n1\r\n");
    writeDisplayOptions(workspace, readDisplayOptions(workspace));
    EXPECT_EQ(folder.read("dia.set"), "0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n");
}

}  // namespace
}  // namespace veltrix::layouts
