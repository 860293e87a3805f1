#include "layouts/labels.h"

#include <gtest/gtest.h>

#include <map>

#include "support/temp_folder.h"
#include "base/error.h"
#include "base/table_file.h"
#include "base/workspace.h"

namespace veltrix::layouts {
namespace {

namespace fs = std::filesystem;

// One layout of a job of MEL OAK, grain YES, 18 thick, cut `sheets` times, holding one cut-piece
// item per entry of `kinds`; varieties 1 to 7 are 600 x 400, ordered 8 times each.
engine::LoadedResult oneLayout(const std::vector<int>& kinds, float sheets = 1) {
    engine::LoadedResult r;
    r.job.basic = BasicDetails{"MEL OAK", "YES", 18, 3000, 0, 4, 0, ""};
    r.job.sheets = {engine::SheetVariety{2800, 2070, 6, 1, 0, 0, 0, 0, "RACK A"}};
    r.job.cuts.assign(7, engine::CutVariety{.length = 600, .width = 400, .quantity = 8});
    r.items = {LayoutItem{1, ItemKind::Sheet, 1, 0, 0, 2070, 2800, sheets, Placement::None}};
    for (int k : kinds)
        r.items.push_back(LayoutItem{1, pieceKind(k), 1, 0, 0, 404, 604, sheets, Placement::Lengthwise});
    r.layoutStart = {0};
    r.storedItems = r.items;
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

std::vector<std::string> pageLines(const engine::LoadedResult& r, const LabelSheet& s, const fs::path& folder,
                                   const std::string& option = "Area") {
    return splitLines(labelPage(r, s, 1, r.layoutCount(), option, Workspace(folder)));
}

TEST(LabelPage, RowsColumnsPagesAndPadding) {
    const std::string pageBreak = "<div style='page-break-after:always; clear:both;'>&nbsp;</div>";
    const std::string first = "<table width='100%' border='0' style='margin-top:-6px;'>";
    const std::string next = "<table width='100%' border='0'>";
    const std::tuple<int, int, int, int, std::vector<std::string>> cases[] = {
        // rows, columns, row height, labels, the page with each label as CELL. One row of three:
        // the fourth label starts a new page; the last row is padded to three cells.
        {1, 3, 0, 4, {first, "CELL", "CELL", "CELL", "</table>", pageBreak, next, "<tr>", "CELL", "<td></td>",
                      "<td></td>", "</tr></table>"}},
        // Two rows of two, 150 high: the third label opens a row, the fifth a page.
        {2, 2, 150, 5, {next + "<tr height='150'>", "CELL", "CELL", "</tr><tr height='150'>", "CELL", "CELL",
                        "</table>", pageBreak, next, "<tr height='150'>", "CELL", "<td></td>", "<td></td>",
                        "</tr></table>"}},
        // Padding stops at three cells whatever the columns; no cut-pieces, no label cell.
        {3, 5, 80, 4, {next + "<tr height='80'>", "CELL", "CELL", "CELL", "CELL", "</tr></table>"}},
        {3, 5, 80, 2, {next + "<tr height='80'>", "CELL", "CELL", "<td></td>", "</tr></table>"}},
        {1, 3, 0, 0, {first, "</tr></table>"}}};
    for (const auto& [rows, columns, rowHeight, labels, page] : cases) {
        // A cell: 100 / COLS percent wide, type size 9, the size line.
        std::vector<std::string> expected;
        const std::vector<std::string> cell = {
            "<td align='center' width='" + std::to_string(100 / columns) + "%'>",
            "<table border='0' width='90%' style='font-family: arial;font-size:9;font-weight:bold;'>", "<tr>", "<td>",
            "<br>SIZE     : 600 X 400", "</td>", "</tr>", "</table>", "</td>"};
        for (const std::string& line : page) {
            if (line == "CELL") expected.insert(expected.end(), cell.begin(), cell.end());
            else expected.push_back(line);
        }
        test::TempFolder folder;
        EXPECT_EQ(pageLines(oneLayout(std::vector<int>(static_cast<std::size_t>(labels), 1)),
                            sheetOf(rows, columns, rowHeight), folder.path()),
                  expected);
    }
}

// Cut 4 times, two pieces of variety 7 (ordered 8): eight labels counting 1/8 to 8/8. Ranges outside
// the result and absurd quantities are refused.
TEST(LabelPage, QuantityCountsEveryLabelOfAVarietyAbsurdRequestsAreRefused) {
    test::TempFolder folder;
    LabelSheet s = sheetOf(10, 3, 100);
    s.showSize = false;
    s.showQuantity = true;
    std::vector<std::string> quantities, expected;
    for (const auto& l : pageLines(oneLayout({7, 7}, 4), s, folder.path()))
        if (l.rfind("<br>QTY", 0) == 0) quantities.push_back(l);
    for (int n = 1; n <= 8; ++n) expected.push_back("<br>QTY      : " + std::to_string(n) + "/8");
    EXPECT_EQ(quantities, expected);
    const Workspace w(folder.path());
    EXPECT_THROW(labelPage(oneLayout({1}), sheetOf(1, 3, 0), 1, 2, "Area", w), std::out_of_range);
    EXPECT_THROW(labelPage(oneLayout({1}), sheetOf(1, 3, 0), 0, 1, "Area", w), std::out_of_range);
    EXPECT_THROW(labelPage(oneLayout({1, 2}, 1e9f), sheetOf(1, 3, 0), 1, 1, "Area", w), InputError);
}

TEST(LabelPage, EveryLineInOrderEveryTextFromTheJobOrAFileEscaped) {
    test::TempFolder folder;
    folder.write("logo's #1 <b>.gif", "GIF89a");
    engine::LoadedResult r = oneLayout({1, 2});
    r.job.basic.material = "<i>OAK";
    r.job.basic.grain = "A&B";
    r.job.cuts[0] = engine::CutVariety{.length = 716,
                                       .lengthBand1 = 0.4f,
                                       .lengthRemark1 = "\"WHITE\"",
                                       .lengthRemark2 = "it's",
                                       .width = 596,
                                       .widthBand1 = 1,
                                       .widthRemark1 = "<OAK>",
                                       .widthBand2 = 1,
                                       .widthRemark2 = "OAK&",
                                       .quantity = 8,
                                       .description = "<b>",
                                       .product = "</td><script>",
                                       .client = "O'NEIL \"X\" & CO",
                                       .labelFile = "logo's #1 <b>.gif"};
    r.job.cuts[1].labelFile = "missing.gif";  // no picture for a file that is not there
    LabelSheet s = sheetOf(1, 3, 0);
    s.biggerFont = s.showClient = s.showMaterial = s.showGrain = s.showThickness = s.showQuantity = s.showDescription =
        s.showProduct = s.showLogo = true;
    const auto lines = pageLines(r, s, folder.path(), "Area With Edge Banding");
    // The picture at its absolute address, 200 / 3 = 66 pixels square.
    const std::map<char, std::string> coded{{' ', "%20"}, {'#', "%23"}, {'\'', "&#39;"}, {'<', "&lt;"}, {'>', "&gt;"}};
    std::string address;
    for (char c : fs::absolute(folder / "logo's #1 <b>.gif").generic_string().substr(1))
        address += coded.contains(c) ? coded.at(c) : std::string(1, c);
    EXPECT_EQ(
        std::vector<std::string>(lines.begin() + 2, lines.begin() + 19),
        (std::vector<std::string>{
            "<table border='0' width='90%' style='font-family: arial;font-size:10;font-weight:bold;'>", "<tr>", "<td>",
            "<br>CLIENT   : O&#39;NEIL &quot;X&quot; &amp; CO", "<br>MAT      : &lt;i&gt;OAK", "<br>GRAIN    : A&amp;B",
            "<br>THICK    : 18",
            "<br>LENGTH   : &lt;OAK&gt; 1 + 716 + OAK&amp; 1<br>WIDTH    : &quot;WHITE&quot; 0.4 + 596 + it&#39;s 0",
            "<br>QTY      : 1/8", "<br>DESCR    : &lt;b&gt;", "PRODUCT  : &lt;/td&gt;&lt;script&gt;", "</td>",
            "<td width='1' valign='top'>", "<img src='file:///" + address + "' height='66' width='66'>", "</td>",
            "</tr>", "</table>"}));
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "<td width='1' valign='top'>"), 1);
    EXPECT_EQ(escapeHtml("a<b>&\"c'"), "a&lt;b&gt;&amp;&quot;c&#39;");
}

// Two layouts of the job "kitchen": layout 1 cut twice, its margin, a piece of variety 1 (600 x 400),
// an off-cut and a piece of variety 2 (720 x 560); layout 2 once, a piece of variety 1.
engine::LoadedResult twoLayouts() {
    engine::LoadedResult r = oneLayout({});
    r.job.cuts[1] = engine::CutVariety{.length = 720, .width = 560, .quantity = 2};
    r.items = {LayoutItem{1, ItemKind::Sheet, 1, 0, 0, 2070, 2800, 2, Placement::None},
               LayoutItem{1, ItemKind::Margin, 1, 0, 0, 2070, 10, 2, Placement::None},
               LayoutItem{1, pieceKind(1), 1, 0, 10, 404, 614, 2, Placement::Lengthwise},
               LayoutItem{1, ItemKind::Offcut, 1, 404, 10, 2070, 614, 2, Placement::None},
               LayoutItem{1, pieceKind(2), 1, 0, 614, 564, 1338, 2, Placement::Lengthwise},
               LayoutItem{2, ItemKind::Sheet, 1, 0, 0, 2070, 2800, 1, Placement::None},
               LayoutItem{2, pieceKind(1), 1, 0, 0, 404, 604, 1, Placement::Lengthwise}};
    r.layoutStart = {0, 5};
    r.storedItems = r.items;
    return r;
}

TEST(LabelCodes, EachLabelEndsWithTheCodesOfItsPart) {
    // The piece numbers count the cut-pieces of their layout only (not the margin or off-cut
    // between them) and start again in layout 2; each sheet of layout 1 gives its two labels.
    test::TempFolder folder;
    const auto lines = splitLines(labelPage(twoLayouts(), sheetOf(2, 3, 100), 1, 2, "Area", Workspace(folder.path()),
                                            LabelCodes{true, "kitchen"}));
    std::vector<std::string> identities;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i] != "<td colspan='2'>") continue;
        // The code row: after the label's text row, a barcode as wide as the label and 100 / COLS
        // high, a QR code 200 / COLS square, the identity in words; then the label closes.
        ASSERT_LT(i + 6, lines.size());
        EXPECT_EQ(lines[i - 2], "</tr>");
        EXPECT_EQ(lines[i - 1], "<tr>");
        EXPECT_EQ(lines[i + 1].rfind("<svg xmlns='http://www.w3.org/2000/svg' width='100%' height='33' ", 0), 0u);
        EXPECT_EQ(lines[i + 2].rfind("<br><svg xmlns='http://www.w3.org/2000/svg' width='66' height='66' ", 0), 0u);
        EXPECT_NE(lines[i + 1], lines[i + 2].substr(4));
        EXPECT_EQ(lines[i + 3].rfind("<br>", 0), 0u);
        identities.push_back(lines[i + 3].substr(4));
        const auto close = lines.begin() + static_cast<long>(i) + 4;
        EXPECT_EQ(std::vector<std::string>(close, close + 3), (std::vector<std::string>{"</td>", "</tr>", "</table>"}));
    }
    EXPECT_EQ(identities, (std::vector<std::string>{"kitchen L1 P1 600x400", "kitchen L1 P2 720x560",
                                                    "kitchen L1 P1 600x400", "kitchen L1 P2 720x560",
                                                    "kitchen L2 P1 600x400"}));
    // Switched off, the page is the page without codes.
    const Workspace w(folder.path());
    EXPECT_EQ(labelPage(twoLayouts(), sheetOf(2, 3, 100), 1, 2, "Area", w, LabelCodes{false, "kitchen"}),
              labelPage(twoLayouts(), sheetOf(2, 3, 100), 1, 2, "Area", w));
}

TEST(LabelCodes, IdentitiesAreTextEveryScannerReadsBack) {
    EXPECT_EQ(partIdentity("kitchen", 3, 12, 799.2f, 300), "kitchen L3 P12 799.2x300");
    EXPECT_EQ(partIdentity("", 1, 1, 600, 400), "L1 P1 600x400");  // a job never saved
    EXPECT_EQ(partIdentity("K\xc3\xbc\tche", 1, 2, 600, 400), "K___che L1 P2 600x400");
    EXPECT_EQ(partIdentity("abcdefghijklmnopqrstuvwxyz0123", 1, 1, 1, 1), "abcdefghijklmnopqrstuvwx L1 P1 1x1");
    // The identity on the label is escaped like every text from the job.
    test::TempFolder folder;
    const auto page = labelPage(oneLayout({1}), sheetOf(1, 3, 0), 1, 1, "Area", Workspace(folder.path()),
                                LabelCodes{true, "O'NEIL & <CO>"});
    EXPECT_NE(page.find("\r\n<br>O&#39;NEIL &amp; &lt;CO&gt; L1 P1 600x400\r\n"), std::string::npos);
    // A text no barcode can hold is refused in words.
    EXPECT_THROW(code128Svg(std::string(400, 'A'), 30), InputError);
}

TEST(LabelDefinition, ThirteenValuesInOrder) {
    const LabelSheet s =
        parseLabelSheet("\"2\",\"3\",\"150\",\"YES\",\"\",\"YES\",\"\",\"YES\",\"YES\",\"\",\"YES\",\"\",\"X\"\r\n");
    EXPECT_EQ((std::vector<int>{s.rows, s.columns, s.rowHeight}), (std::vector<int>{2, 3, 150}));
    EXPECT_EQ((std::vector<bool>{s.biggerFont, s.showClient, s.showMaterial, s.showGrain, s.showThickness, s.showSize,
                                 s.showQuantity, s.showDescription, s.showProduct, s.showLogo}),
              (std::vector<bool>{true, false, true, false, true, true, false, true, false, true}));  // any text is on
    EXPECT_FALSE(parseLabelSheet("1,1,100,yes,,,,,,,,,\r\n").biggerFont);  // only exactly "YES"
}

TEST(LabelDefinition, UnusableDefinitionsAreClearErrorsTheCodesSwitchIsKeptBesideIt) {
    test::TempFolder folder;
    try {
        readLabelSheet(Workspace(folder.path()));
        FAIL() << "no error";
    } catch (const InputError& e) {
        EXPECT_NE(std::string(e.what()).find("LBl.def"), std::string::npos);
    }
    // Short (3, none, 12 values), no columns, rows not a number, columns beyond 16 bits.
    for (const char* text : {"\"2\",\"3\",\"150\"", "", "1,2,100,,,,,,,,,\r\n", "2,0,150,,,,,,,,,,\r\n",
                             "ABC,3,150,,,,,,,,,,\r\n", "2,40000,150,,,,,,,,,,\r\n"})
        EXPECT_THROW(parseLabelSheet(text), InputError) << text;
    folder.write("lbl.def", "1,2,100,,,,,,,,,,\r\n");  // found whatever the letter case
    EXPECT_EQ(readLabelSheet(Workspace(folder.path())).columns, 2);
    // The codes switch in labels.set: stored beside the definition by the label sheet window
    // (tests/ui); read as on only for exactly YES, as BIGGER FONTSIZE.
    const Workspace w(folder.path());
    EXPECT_FALSE(readLabelCodesSwitch(w));  // no labels.set: off
    folder.write("labels.set", "yes\r\n");
    EXPECT_FALSE(readLabelCodesSwitch(w));
    folder.write("labels.set", "YES\r\n");
    EXPECT_TRUE(readLabelCodesSwitch(w));
    writeLabelCodesSwitch(w, false);
    EXPECT_FALSE(readLabelCodesSwitch(w));
}

}  // namespace
}  // namespace veltrix::layouts
