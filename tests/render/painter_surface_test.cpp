#include "render/painter_surface.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>

#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>

#include <gtest/gtest.h>

#include "render/documents.h"
#include "support/temp_folder.h"
#include "base/error.h"

namespace veltrix::render {
namespace {

namespace fs = std::filesystem;

QImage picture(const fs::path& png) { return QImage(QString::fromStdString(png.string())); }

// Pixels of the colour in a rectangle of the picture.
int count(const QImage& image, Rgb c, int x1 = 0, int y1 = 0, int x2 = 1 << 20, int y2 = 1 << 20) {
    int n = 0;
    for (int y = y1; y < std::min(y2, image.height()); ++y)
        for (int x = x1; x < std::min(x2, image.width()); ++x)
            n += image.pixelColor(x, y) == QColor(c.r, c.g, c.b);
    return n;
}

// Pixels that are not white in a rectangle.
int ink(const QImage& image, int x1, int y1, int x2, int y2) {
    return (x2 - x1) * (y2 - y1) - count(image, colors::kWhite, x1, y1, x2, y2);
}

TEST(FontFallback, MissingFontsGetAnInstalledOneOfTheirStyleTheListingFontMonospaced) {
    ensureGuiApplication();
    for (const char* name : {"Courier New", "Century Gothic", "Small Fonts"})
        EXPECT_TRUE(QFontDatabase::families().contains(fontFamilyFor(name), Qt::CaseInsensitive)) << name;
    EXPECT_TRUE(QFontInfo(QFont(fontFamilyFor("Courier New"))).fixedPitch());
}

TEST(PainterSurface, UserCoordinatesFollowTheScaleOutlinesStayUnfilled) {
    test::TempFolder folder;
    ImageDocument image(200, 100);
    Surface& s = image.surface();
    EXPECT_EQ(s.deviceWidth(), 200);
    // X: -10 .. 90 over 200 pixels, Y: -20 .. 30 over 100 pixels: 2 pixels a unit.
    s.setScale({-10, -20, 100, 50});
    s.filledBox(0, 0, 20, 10, colors::kLightYellow);  // pixels (20,40)-(60,60)
    s.filledBox(60, 15, 40, 25, colors::kDarkBlue);   // corners in any order: (100,70)-(140,90)
    s.line(80, -20, 80, 30, colors::kBlack);          // the column x = 180
    s.box(-8, 12, -2, 28, colors::kLightRed);         // (4,64)-(16,96), outline only
    s.circle(70, 5, 5, colors::kLightBlue);           // about (160,50), radius 10
    image.save(folder / "scale.png");
    const QImage png = picture(folder / "scale.png");
    ASSERT_FALSE(png.isNull());
    EXPECT_EQ(count(png, colors::kLightYellow, 21, 41, 59, 59), 38 * 18);
    EXPECT_EQ(count(png, colors::kLightYellow), count(png, colors::kLightYellow, 19, 39, 61, 61));
    EXPECT_EQ(count(png, colors::kDarkBlue, 101, 71, 139, 89), 38 * 18);
    EXPECT_EQ(count(png, colors::kDarkBlue), count(png, colors::kDarkBlue, 99, 69, 141, 91));
    EXPECT_GT(ink(png, 178, 0, 183, 100), 90);
    EXPECT_EQ(ink(png, 62, 0, 98, 60), 0);
    EXPECT_GT(ink(png, 3, 70, 6, 90), 10);  // the box's left side
    EXPECT_EQ(ink(png, 7, 70, 14, 90), 0);  // its inside
    EXPECT_GT(ink(png, 168, 45, 172, 55), 0);
    EXPECT_EQ(ink(png, 155, 45, 165, 55), 0);
}

TEST(PainterSurface, TextSitsBelowAndRightOfItsPointAndKeepsItsPointSize) {
    test::TempFolder folder;
    ImageDocument image(400, 200);
    Surface& s = image.surface();
    s.setScale({0, 0, 400, 200});
    s.setFont({"Courier New", 12});
    const double h = s.textHeight("WWWW"), w = s.textWidth("WWWW");
    s.text(100, 50, "WWWW", colors::kBlack);
    image.save(folder / "text.png");
    const QImage png = picture(folder / "text.png");
    const int x2 = static_cast<int>(100 + w) + 1, y2 = static_cast<int>(50 + h) + 1;
    EXPECT_GT(ink(png, 100, 50, x2, y2), 20);
    EXPECT_EQ(ink(png, 0, 0, 400, 48), 0);  // nothing above its point
    EXPECT_EQ(ink(png, 0, 0, 98, 200), 0);  // nor left of it
    // Measures are in user units: half the units a pixel doubles them; twice the characters of a
    // monospaced font, twice the width.
    s.setScale({0, 0, 800, 400});
    EXPECT_NEAR(s.textHeight("WWWW"), 2 * h, 1e-9);
    EXPECT_NEAR(s.textWidth("WWWWWWWW"), 4 * w, 1e-6);
    s.setFont({"Courier New", 24});
    EXPECT_GT(s.textHeight("W"), 3 * h);
}

TEST(PdfDocument, OnePagePerNewPageAsPopplerDrawsThemAndNothingLeftOnFailure) {
    test::TempFolder folder;
    const fs::path old = folder.write("old.pdf", "OLD");
    {
        PdfDocument unfinished(old);
        unfinished.surface().box(0, 0, 1, 1, colors::kBlack);
    }
    EXPECT_EQ(folder.read("old.pdf"), "OLD");
    EXPECT_THROW(PdfDocument(folder / "no/such/folder/x.pdf"), FileError);
    PdfDocument doc(folder / "two.pdf");
    doc.surface().setScale({0, 0, 100, 141});
    doc.surface().filledBox(10, 10, 90, 90, colors::kLightYellow);
    doc.surface().newPage();
    doc.surface().box(10, 10, 90, 90, colors::kDarkBlue);
    doc.finish();
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 2);  // nothing left beside it
    const std::string command = "pdftoppm -r 20 -png '" + (folder / "two.pdf").string() + "' '" + (folder / "page").string() + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    const QImage first = picture(folder / "page-1.png"), second = picture(folder / "page-2.png");
    EXPECT_GT(count(first, colors::kLightYellow), first.width() * first.height() / 3);
    EXPECT_EQ(count(second, colors::kLightYellow), 0);
    EXPECT_FALSE(fs::exists(folder / "page-3.png"));
}

// A disk that fills up while the PDF is written (here: a file size limit) fails the document and
// leaves the good PDF that was there whole, also through a link to it.
TEST(PdfDocument, AFullDiskLeavesTheEarlierFileWhole) {
    test::TempFolder folder;
    folder.write("good.pdf", "%PDF-1.4 a good earlier file %%EOF");
    fs::create_symlink("good.pdf", folder / "link.pdf");
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit small{200, limit.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
        try {
            PdfDocument doc(folder / "link.pdf");
            doc.surface().setScale({0, 0, 100, 141});
            doc.surface().filledBox(10, 10, 90, 90, colors::kLightYellow);
            doc.finish();
        } catch (const FileError&) {
            _exit(0);
        }
        _exit(1);
    }
    int status = -1;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the PDF was reported written";
    EXPECT_EQ(folder.read("good.pdf"), "%PDF-1.4 a good earlier file %%EOF");
    EXPECT_TRUE(fs::is_symlink(folder / "link.pdf"));
    EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), {}), 2);
}

TEST(SvgDocument, WritesTheColoursAndTexts) {
    test::TempFolder folder;
    SvgDocument svg(folder / "layout.svg", 300, 200);
    svg.surface().setScale({0, 0, 300, 200});
    svg.surface().filledBox(10, 10, 100, 100, Rgb{255, 206, 9});
    svg.surface().setFont({"Small Fonts", 7});
    svg.surface().text(20, 120, "600 X 400", colors::kBlack);
    svg.finish();
    const std::string text = folder.read("layout.svg");
    EXPECT_NE(text.find("<svg"), std::string::npos);
    EXPECT_NE(text.find("#ffce09"), std::string::npos);
    EXPECT_NE(text.find("600 X 400"), std::string::npos);
}

}  // namespace
}  // namespace veltrix::render
