#include "layouts/labels.h"

#include <gtest/gtest.h>

#include "layouts/sample_result.h"
#include "support/temp_folder.h"
#include "table/error.h"
#include "table/table_file.h"
#include "table/workspace.h"

namespace veltrix::layouts {
namespace {

namespace fs = std::filesystem;

// One layout cut `sheets` times holding one cut-piece item per entry of `kinds`.
engine::LoadedResult oneLayout(const std::vector<int>& kinds, float sheets = 1, int varieties = 7) {
    engine::LoadedResult r;
    r.job.basic.material = "MEL OAK";
    r.job.basic.grain = "YES";
    r.job.basic.thickness = 18;
    r.job.sheets = {engine::SheetVariety{2800, 2070, 6, 1, 0, 0, 0, 0, "RACK A"}};
    for (int v = 1; v <= varieties; ++v) r.job.cuts.push_back(test::piece(600, 400, "PART " + std::to_string(v), 8));
    r.items = {test::item(1, engine::kSheetItem, 0, 0, 2070, 2800, sheets)};
    for (int kind : kinds) r.items.push_back(test::item(1, kind, 0, 0, 400, 600, sheets, 1));
    test::indexLayouts(r);
    return r;
}

LabelSheet sheetOf(int rows, int columns, int rowHeight) {
    LabelSheet s;
    s.rows = rows;
    s.columns = columns;
    s.rowHeight = rowHeight;
    s.showSize = true;
    return s;
}

std::vector<std::string> pageLines(const engine::LoadedResult& r, const LabelSheet& s, const Workspace& w,
                                   const std::string& option = "Area") {
    return splitLines(labelPage(r, s, 1, r.layoutCount(), option, w));
}

int countOf(const std::vector<std::string>& lines, const std::string& line) {
    return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

// Index of the n-th (1-based) line equal to `line`, or -1.
int indexOf(const std::vector<std::string>& lines, const std::string& line, int n = 1) {
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (lines[i] == line && --n == 0) return static_cast<int>(i);
    return -1;
}

TEST(LabelPage, OneRowOfThreeStartsANewPageWithTheFourthLabel) {
    test::TempFolder folder;
    const std::string page =
        labelPage(oneLayout({1, 1, 1, 1}), sheetOf(1, 3, 0), 1, 1, "Area", Workspace(folder.path()));
    const std::string cell =
        "<td align='center' width='33%'>\r\n"
        "<table border='0' width='90%' style='font-family: arial;font-size:9;font-weight:bold;'>\r\n"
        "<tr>\r\n"
        "<td>\r\n"
        "<br>SIZE     : 600 X 400\r\n"
        "</td>\r\n"
        "</tr>\r\n"
        "</table>\r\n"
        "</td>\r\n";
    const std::string expected = "<table width='100%' border='0' style='margin-top:-6px;'>\r\n" + cell + cell + cell +
                                 "</table>\r\n"
                                 "<div style='page-break-after:always; clear:both;'>&nbsp;</div>\r\n"
                                 "<table width='100%' border='0'>\r\n"
                                 "<tr>\r\n" +
                                 cell +
                                 "<td></td>\r\n"
                                 "<td></td>\r\n"
                                 "</tr></table>\r\n";
    EXPECT_EQ(page, expected);
}

TEST(LabelPage, TwoRowsOfTwoWithRowHeights) {
    test::TempFolder folder;
    const auto lines = pageLines(oneLayout({1, 2, 3, 4, 5}), sheetOf(2, 2, 150), Workspace(folder.path()));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.front(), "<table width='100%' border='0'><tr height='150'>");
    const std::string cellStart = "<td align='center' width='50%'>";
    // The third label opens the second row, the fifth a new page.
    const int third = indexOf(lines, cellStart, 3);
    ASSERT_GT(third, 0);
    EXPECT_EQ(lines[third - 1], "</tr><tr height='150'>");
    const int fifth = indexOf(lines, cellStart, 5);
    ASSERT_GT(fifth, 3);
    EXPECT_EQ(lines[fifth - 4], "</table>");
    EXPECT_EQ(lines[fifth - 3], "<div style='page-break-after:always; clear:both;'>&nbsp;</div>");
    EXPECT_EQ(lines[fifth - 2], "<table width='100%' border='0'>");
    EXPECT_EQ(lines[fifth - 1], "<tr height='150'>");
    EXPECT_EQ(countOf(lines, "</tr><tr height='150'>"), 1);
    EXPECT_EQ(countOf(lines, "<td></td>"), 2);  // one label on the last row: padded to three cells
    EXPECT_EQ(lines.back(), "</tr></table>");
}

TEST(LabelPage, PaddingStopsAtThreeCellsWhateverTheColumns) {
    test::TempFolder folder;
    const Workspace w(folder.path());
    EXPECT_EQ(countOf(pageLines(oneLayout({1, 2, 3, 4}), sheetOf(3, 5, 80), w), "<td></td>"), 0);
    EXPECT_EQ(countOf(pageLines(oneLayout({1, 2}), sheetOf(3, 5, 80), w), "<td></td>"), 1);
    // No cut-pieces: the page holds no label cell at all.
    const auto empty = pageLines(oneLayout({}), sheetOf(1, 3, 0), w);
    EXPECT_EQ(empty, (std::vector<std::string>{"<table width='100%' border='0' style='margin-top:-6px;'>",
                                               "</tr></table>"}));
}

TEST(LabelPage, QuantityCountsEveryLabelOfAVariety) {
    // Cut 4 times, two pieces of variety 7 (ordered 8): eight labels counting 1/8 to 8/8.
    test::TempFolder folder;
    LabelSheet s = sheetOf(10, 3, 100);
    s.showSize = false;
    s.showQuantity = true;
    const auto lines = pageLines(oneLayout({7, 7}, 4), s, Workspace(folder.path()));
    std::vector<std::string> quantities;
    for (const auto& l : lines)
        if (l.rfind("<br>QTY", 0) == 0) quantities.push_back(l);
    ASSERT_EQ(quantities.size(), 8u);
    for (int n = 1; n <= 8; ++n)
        EXPECT_EQ(quantities[static_cast<std::size_t>(n - 1)], "<br>QTY      : " + std::to_string(n) + "/8");
}

TEST(LabelPage, LinesInOrderProductWithoutBreakAndBiggerType) {
    test::TempFolder folder;
    engine::LoadedResult r = oneLayout({1});
    r.job.cuts[0].product = "BASE 600";
    r.job.cuts[0].client = "ROSSI";
    LabelSheet s = sheetOf(1, 2, 0);
    s.biggerFont = true;
    s.showClient = s.showMaterial = s.showGrain = s.showThickness = s.showQuantity = s.showDescription =
        s.showProduct = true;
    const auto lines = pageLines(r, s, Workspace(folder.path()));
    const int start = indexOf(lines, "<td>");
    ASSERT_GT(start, 0);
    EXPECT_EQ(lines[static_cast<std::size_t>(start - 2)],
              "<table border='0' width='90%' style='font-family: arial;font-size:10;font-weight:bold;'>");
    const std::vector<std::string> texts(lines.begin() + start + 1, lines.begin() + start + 10);
    EXPECT_EQ(texts, (std::vector<std::string>{"<br>CLIENT   : ROSSI", "<br>MAT      : MEL OAK", "<br>GRAIN    : YES",
                                               "<br>THICK    : 18", "<br>SIZE     : 600 X 400",
                                               "<br>QTY      : 1/8", "<br>DESCR    : PART 1",
                                               "PRODUCT  : BASE 600", "</td>"}));
}

TEST(LabelPage, SizeWithEdgeBanding) {
    test::TempFolder folder;
    engine::LoadedResult r = oneLayout({1});
    engine::CutVariety& v = r.job.cuts[0];
    v.length = 716;
    v.width = 596;
    v.widthBand1 = 1;
    v.widthRemark1 = "OAK";
    v.widthBand2 = 1;
    v.widthRemark2 = "OAK";
    v.lengthBand1 = 0.4f;
    v.lengthRemark1 = "WHITE";
    const auto lines = pageLines(r, sheetOf(1, 3, 0), Workspace(folder.path()), "Area With Edge Banding");
    EXPECT_EQ(countOf(lines, "<br>LENGTH   : OAK 1 + 716 + OAK 1<br>WIDTH    : WHITE 0.4 + 596 +  0"), 1);
}

TEST(LabelPage, TextsFromTheJobAreEscaped) {
    test::TempFolder folder;
    engine::LoadedResult r = oneLayout({1});
    r.job.cuts[0].description = "<b>";
    r.job.cuts[0].client = "O'NEIL \"X\" & CO";
    r.job.cuts[0].product = "</td><script>";
    r.job.basic.material = "<i>OAK";
    LabelSheet s = sheetOf(1, 3, 0);
    s.showClient = s.showDescription = s.showProduct = s.showMaterial = true;
    const std::string page = labelPage(r, s, 1, 1, "Area", Workspace(folder.path()));
    EXPECT_NE(page.find("<br>DESCR    : &lt;b&gt;\r\n"), std::string::npos);
    EXPECT_NE(page.find("<br>CLIENT   : O&#39;NEIL &quot;X&quot; &amp; CO\r\n"), std::string::npos);
    EXPECT_NE(page.find("PRODUCT  : &lt;/td&gt;&lt;script&gt;\r\n"), std::string::npos);
    EXPECT_NE(page.find("<br>MAT      : &lt;i&gt;OAK\r\n"), std::string::npos);
    EXPECT_EQ(page.find("<b>"), std::string::npos);
    EXPECT_EQ(page.find("<script>"), std::string::npos);
}

TEST(LabelPage, PicturesOnlyWhenTheFileExists) {
    test::TempFolder folder;
    folder.write("logo's #1.gif", "GIF89a");
    engine::LoadedResult r = oneLayout({1, 2});
    r.job.cuts[0].labelFile = "logo's #1.gif";
    r.job.cuts[1].labelFile = "missing.gif";
    LabelSheet s = sheetOf(1, 3, 0);
    s.showLogo = true;
    const auto lines = pageLines(r, s, Workspace(folder.path()));
    EXPECT_EQ(countOf(lines, "<td width='1' valign='top'>"), 1);
    // COLS 3: 200 / 3 = 66 pixels square; the address is absolute, with # and the blank encoded
    // and the quote escaped.
    std::string path = fs::absolute(folder / "logo's #1.gif").generic_string().substr(1);
    std::string encoded;
    for (char c : path) encoded += c == ' ' ? std::string("%20") : c == '#' ? std::string("%23") : c == '\'' ? std::string("&#39;") : std::string(1, c);
    EXPECT_EQ(countOf(lines, "<img src='file:///" + encoded + "' height='66' width='66'>"), 1);
}

TEST(LabelPage, RangeOutsideTheResultIsRefused) {
    test::TempFolder folder;
    const auto r = oneLayout({1});
    EXPECT_THROW(labelPage(r, sheetOf(1, 3, 0), 1, 2, "Area", Workspace(folder.path())), std::out_of_range);
    EXPECT_THROW(labelPage(r, sheetOf(1, 3, 0), 0, 1, "Area", Workspace(folder.path())), std::out_of_range);
}

TEST(LabelPage, AbsurdQuantitiesAreRefusedNotPrinted) {
    test::TempFolder folder;
    EXPECT_THROW(labelPage(oneLayout({1, 2}, 1e9f), sheetOf(1, 3, 0), 1, 1, "Area", Workspace(folder.path())),
                 InputError);
}

TEST(LabelDefinition, ThirteenValuesInOrder) {
    const LabelSheet s = parseLabelSheet("\"2\",\"3\",\"150\",\"YES\",\"\",\"YES\",\"\",\"YES\",\"YES\",\"\",\"YES\",\"\",\"X\"\r\n");
    EXPECT_EQ(s.rows, 2);
    EXPECT_EQ(s.columns, 3);
    EXPECT_EQ(s.rowHeight, 150);
    EXPECT_TRUE(s.biggerFont);
    EXPECT_FALSE(s.showClient);
    EXPECT_TRUE(s.showMaterial);
    EXPECT_FALSE(s.showGrain);
    EXPECT_TRUE(s.showThickness);
    EXPECT_TRUE(s.showSize);
    EXPECT_FALSE(s.showQuantity);
    EXPECT_TRUE(s.showDescription);
    EXPECT_FALSE(s.showProduct);
    EXPECT_TRUE(s.showLogo);  // any text counts as on
    // Only exactly "YES" makes the type bigger.
    EXPECT_FALSE(parseLabelSheet("1,1,100,yes,,,,,,,,,\r\n").biggerFont);
}

TEST(LabelDefinition, MissingShortOrUnusableDefinitionsAreClearErrors) {
    test::TempFolder folder;
    try {
        readLabelSheet(Workspace(folder.path()));
        FAIL() << "no error";
    } catch (const InputError& e) {
        EXPECT_NE(std::string(e.what()).find("LBl.def"), std::string::npos);
    }
    EXPECT_THROW(parseLabelSheet("\"2\",\"3\",\"150\""), InputError);
    EXPECT_THROW(parseLabelSheet(""), InputError);
    EXPECT_THROW(parseLabelSheet("2,0,150,,,,,,,,,,\r\n"), InputError);     // no columns
    EXPECT_THROW(parseLabelSheet("ABC,3,150,,,,,,,,,,\r\n"), InputError);   // rows not a number
    EXPECT_THROW(parseLabelSheet("2,40000,150,,,,,,,,,,\r\n"), InputError); // beyond 16 bits
    folder.write("lbl.def", "1,2,100,,,,,,,,,,\r\n");  // found whatever the letter case
    EXPECT_EQ(readLabelSheet(Workspace(folder.path())).columns, 2);
}

}  // namespace
}  // namespace veltrix::layouts
