#include "engine/result_files.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "table/error.h"

namespace veltrix::engine {
namespace {

LayoutItem item(int layout, int kind, int sheet, float x1, float y1, float x2, float y2, float qty, int placement) {
    return LayoutItem{layout, kind, sheet, x1, y1, x2, y2, qty, placement};
}

TEST(LayoutItemsText, WritesNumbersInTheirShortestForm) {
    EXPECT_EQ(layoutItemRecord(item(1, -6, 1, 0, 600, 2440, 600, 1, 0)), "1,-6,1,0,600,2440,600,1,0");
    EXPECT_EQ(layoutItemRecord(item(2, 3, 1, 12, 0.5f, 579.2f, 1861.6001f, 3, 2)), "2,3,1,12,.5,579.2,1861.6001,3,2");
    EXPECT_EQ(layoutItemRecord(item(40000, 40000, 33000, 0, 0, 1e6f, 0.25f, 9999999, 1)),
              "40000,40000,33000,0,0,1000000,.25,9999999,1");
}

TEST(LayoutItemsText, TwoLayoutsFirstRepeatedOnThreeSheets) {
    const std::vector<LayoutItem> items{
        item(1, -1, 1, 0, 0, 1224, 2444, 3, 0), item(1, 2, 1, 10, 10, 314, 514, 3, 1),
        item(2, -1, 2, 0, 0, 1224, 1834, 1, 0), item(2, 1, 2, 10, 10, 364, 714, 1, 2)};
    const std::string text = layoutItemsText(items);
    EXPECT_EQ(text,
              "1,-1,1,0,0,1224,2444,3,0\r\n1,2,1,10,10,314,514,3,1\r\n"
              "2,-1,2,0,0,1224,1834,1,0\r\n2,1,2,10,10,364,714,1,2\r\n");
    EXPECT_EQ(parseLayoutItems(text), items);
    EXPECT_EQ(layoutItemsText({}), "");
    EXPECT_TRUE(parseLayoutItems("").empty());
}

TEST(LayoutItemsText, ReadingRunsOnAcrossLineEndsAndToleratesBadFields) {
    const auto items = parseLayoutItems("1,-1,1,0,0\n1224,2444,1,0\n1,x,1,  .5 ,7,8,9,2.5,2.5\r\n");
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0], item(1, -1, 1, 0, 0, 1224, 2444, 1, 0));
    EXPECT_EQ(items[1].kind, 0);          // not a number
    EXPECT_EQ(items[1].x1, 0.5f);
    EXPECT_EQ(items[1].quantity, 2.5f);
    EXPECT_EQ(items[1].placement, 2);     // whole numbers round halves to even

    // A record cut short: the missing fields are empty, so 0.
    const auto shortened = parseLayoutItems("1,-1,1,0,0,1224");
    ASSERT_EQ(shortened.size(), 1u);
    EXPECT_EQ(shortened[0].y2, 0.0f);
    // Numbers out of the range of a whole number read as 0 instead of overflowing.
    EXPECT_EQ(parseLayoutItems("1e12,-1,99999999999,0,0,0,0,0,0")[0].layout, 0);
    EXPECT_EQ(parseLayoutItems("1e12,-1,99999999999,0,0,0,0,0,0")[0].sheet, 0);
}

TEST(LayoutItemsText, BinaryGarbageReadsWithoutCrashing) {
    std::string garbage;
    for (int i = 0; i < 2000; ++i) garbage.push_back(static_cast<char>((i * 131 + 7) % 256));
    const auto items = parseLayoutItems(garbage);
    EXPECT_FALSE(items.empty());
}

TEST(SheetVarietiesText, NineFieldsWithQuotedLocation) {
    SheetVariety s{2440, 1220, 1, 1, 10, 12.5f, 10, 0.5f, "RACK,A"};
    const std::string text = sheetVarietiesText({s});
    EXPECT_EQ(text, "2440,1220,1,1,10,12.5,10,.5,\"RACK,A\"\r\n");
    const auto back = parseSheetVarieties(text);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0], s);
}

TEST(CutVarietiesText, SevenFieldsClientBeforeProduct) {
    CutVariety c;
    c.length = 716;
    c.width = 396.5f;
    c.quantity = 2;
    c.align = 1;
    c.description = "DOOR";
    c.client = "SMITH";
    c.product = "WALL UNIT";
    c.lengthBand1 = 2;  // not stored
    c.labelFile = "door.gif";
    const std::string text = cutVarietiesText({c});
    EXPECT_EQ(text, "716,396.5,2,1,\"DOOR\",\"SMITH\",\"WALL UNIT\"\r\n");
    const auto back = parseCutVarieties(text);
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(back[0].description, "DOOR");
    EXPECT_EQ(back[0].client, "SMITH");
    EXPECT_EQ(back[0].product, "WALL UNIT");
    EXPECT_EQ(back[0].lengthBand1, 0.0f);
    EXPECT_EQ(back[0].labelFile, "");
    EXPECT_EQ(back[0].width, 396.5f);
}

TEST(ResultFiles, FileWrappersReplaceWholeFilesAndReadMissingAsEmpty) {
    test::TempFolder folder;
    EXPECT_TRUE(readLayoutItems(folder / "dia.tlf").empty());
    const std::vector<LayoutItem> items{item(1, -1, 1, 0, 0, 100, 200, 1, 0)};
    writeLayoutItems(folder / "dia.tlf", items);
    EXPECT_EQ(folder.read("dia.tlf"), "1,-1,1,0,0,100,200,1,0\r\n");
    writeLayoutItems(folder / "dia.tlf", {});
    EXPECT_EQ(folder.read("dia.tlf"), "");

    writeSheetVarieties(folder / "s.tlf", {SheetVariety{100, 50, 1, 0, 0, 0, 0, 0, ""}});
    EXPECT_EQ(readSheetVarieties(folder / "s.tlf").size(), 1u);
    CutVariety c;
    c.length = 10, c.width = 5, c.quantity = 3;
    writeCutVarieties(folder / "c.tlf", {c, c});
    EXPECT_EQ(readCutVarieties(folder / "c.tlf").size(), 2u);

    EXPECT_THROW(writeLayoutItems(folder / "no-such-folder" / "dia.tlf", items), FileError);
}

}  // namespace
}  // namespace veltrix::engine
