#include "render/painter_surface.h"

#include <cstdio>
#include <string>

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>

#include <gtest/gtest.h>

#include "render/documents.h"
#include "support/temp_folder.h"
#include "table/error.h"

namespace veltrix::render {
namespace {

namespace fs = std::filesystem;

QImage drawn(const fs::path& png) { return QImage(QString::fromStdString(png.string())); }

bool isColor(const QImage& image, int x, int y, Rgb c) {
    const QColor p = image.pixelColor(x, y);
    return p.red() == c.r && p.green() == c.g && p.blue() == c.b;
}

// Non-white pixels in a rectangle of the picture.
int inked(const QImage& image, int x1, int y1, int x2, int y2) {
    int n = 0;
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x)
            if (image.pixelColor(x, y) != QColor(Qt::white)) ++n;
    return n;
}

TEST(FontFallback, MissingFontsGetAnInstalledOneOfTheirStyle) {
    ensureGuiApplication();
    const QStringList installed = QFontDatabase::families();
    for (const char* name : {"Courier New", "Century Gothic", "Small Fonts"}) {
        const QString family = fontFamilyFor(name);
        EXPECT_TRUE(installed.contains(family, Qt::CaseInsensitive)) << name << " -> " << family.toStdString();
    }
    // The listing font must stay monospaced, or its columns would not line up.
    QFont mono(fontFamilyFor("Courier New"));
    EXPECT_TRUE(QFontInfo(mono).fixedPitch()) << fontFamilyFor("Courier New").toStdString();
    if (!installed.contains("Courier New", Qt::CaseInsensitive) && installed.contains("Liberation Mono")) {
        EXPECT_EQ(fontFamilyFor("Courier New"), QString("Liberation Mono"));
    }
}

TEST(PainterSurface, UserCoordinatesFollowTheScale) {
    test::TempFolder folder;
    ImageDocument image(200, 100);
    Surface& s = image.surface();
    EXPECT_EQ(s.deviceWidth(), 200);
    EXPECT_EQ(s.deviceHeight(), 100);
    // X: -10 .. 90 over 200 pixels (2 per unit); Y: -10 .. 40 over 100 pixels (2 per unit).
    s.setScale({-10, -10, 100, 50});
    s.filledBox(0, 0, 20, 10, colors::kLightYellow);  // pixels (20,20)-(60,40)
    s.filledBox(60, 25, 40, 35, Rgb{0, 0, 128});      // corners given in any order: (100,70)-(140,90)
    s.setPenWidth(1);
    s.line(80, -10, 80, 40, colors::kBlack);          // a column of pixels at x = 180
    image.save(folder / "scale.png");

    const QImage png = drawn(folder / "scale.png");
    ASSERT_FALSE(png.isNull());
    EXPECT_TRUE(isColor(png, 40, 30, colors::kLightYellow));
    EXPECT_TRUE(isColor(png, 15, 30, colors::kWhite));
    EXPECT_TRUE(isColor(png, 40, 45, colors::kWhite));
    EXPECT_TRUE(isColor(png, 120, 80, (Rgb{0, 0, 128})));
    EXPECT_TRUE(isColor(png, 95, 80, colors::kWhite));
    EXPECT_GT(inked(png, 178, 0, 183, 100), 90);
    EXPECT_EQ(inked(png, 150, 0, 175, 60), 0);
}

TEST(PainterSurface, OutlinesAndCirclesStayUnfilled) {
    test::TempFolder folder;
    ImageDocument image(100, 100);
    Surface& s = image.surface();
    s.setScale({0, 0, 100, 100});
    s.box(10, 10, 50, 50, colors::kBlack);
    s.circle(75, 75, 10, colors::kLightRed);
    image.save(folder / "outline.png");
    const QImage png = drawn(folder / "outline.png");
    EXPECT_TRUE(isColor(png, 30, 30, colors::kWhite));  // inside the box
    EXPECT_GT(inked(png, 9, 20, 12, 40), 0);           // its left side
    EXPECT_TRUE(isColor(png, 75, 75, colors::kWhite));  // centre of the circle
    EXPECT_GT(inked(png, 83, 70, 87, 80), 0);           // its right side
}

TEST(PainterSurface, TextSitsBelowAndRightOfItsPoint) {
    test::TempFolder folder;
    ImageDocument image(400, 200);
    Surface& s = image.surface();
    s.setScale({0, 0, 400, 200});
    s.setFont({"Courier New", 12});
    const double h = s.textHeight("WWWW");
    const double w = s.textWidth("WWWW");
    EXPECT_GT(h, 5);
    EXPECT_GT(w, 10);
    s.text(100, 50, "WWWW", colors::kBlack);
    image.save(folder / "text.png");
    const QImage png = drawn(folder / "text.png");
    EXPECT_GT(inked(png, 100, 50, static_cast<int>(100 + w) + 1, static_cast<int>(50 + h) + 1), 20);
    EXPECT_EQ(inked(png, 0, 0, 400, 48), 0);
    EXPECT_EQ(inked(png, 0, 0, 98, 200), 0);

    // Heights and widths are in user units: halving the units per pixel doubles them.
    s.setScale({0, 0, 800, 400});
    EXPECT_NEAR(s.textHeight("WWWW"), 2 * h, 1e-9);
    EXPECT_NEAR(s.textWidth("WWWW"), 2 * w, 1e-9);
    // A monospaced font: twice the characters, twice the width.
    EXPECT_NEAR(s.textWidth("WWWWWWWW"), 4 * w, 1e-6);
    // A larger font is taller.
    s.setFont({"Courier New", 24});
    EXPECT_GT(s.textHeight("W"), 2 * h * 1.5);
}

TEST(PdfDocument, OnePagePerNewPageAndNothingLeftOnFailure) {
    test::TempFolder folder;
    const fs::path pdf = folder / "two.pdf";
    {
        PdfDocument doc(pdf);
        Surface& s = doc.surface();
        s.setScale({0, 0, 100, 141});
        s.filledBox(10, 10, 90, 90, colors::kLightYellow);
        s.newPage();
        s.box(10, 10, 90, 90, colors::kBlack);
        doc.finish();
    }
    const std::string text = test::readFile(pdf);
    ASSERT_EQ(text.substr(0, 5), "%PDF-");
    // Count the pages as poppler sees them.
    const std::string command = "pdfinfo '" + pdf.string() + "' 2>/dev/null | grep '^Pages:'";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char buf[128] = {};
    const std::string line = fgets(buf, sizeof buf, pipe) ? buf : "";
    pclose(pipe);
    EXPECT_NE(line.find(" 2"), std::string::npos) << line;
    // Nothing but the finished file in the folder: the temporary file was renamed.
    int files = 0;
    for ([[maybe_unused]] const auto& e : fs::directory_iterator(folder.path())) ++files;
    EXPECT_EQ(files, 1);

    EXPECT_THROW(PdfDocument(folder / "no/such/folder/x.pdf"), FileError);
}

TEST(PdfDocument, UnfinishedDocumentLeavesTheOldFile) {
    test::TempFolder folder;
    const fs::path pdf = folder.write("old.pdf", "OLD");
    {
        PdfDocument doc(pdf);
        doc.surface().box(0, 0, 1, 1, colors::kBlack);
    }
    EXPECT_EQ(folder.read("old.pdf"), "OLD");
}

TEST(SvgDocument, WritesAnSvgDrawing) {
    test::TempFolder folder;
    SvgDocument svg(folder / "layout.svg", 300, 200);
    Surface& s = svg.surface();
    s.setScale({0, 0, 300, 200});
    s.filledBox(10, 10, 100, 100, Rgb{255, 206, 9});
    s.setFont({"Small Fonts", 7});
    s.text(20, 120, "600 X 400", colors::kBlack);
    svg.finish();
    const std::string text = folder.read("layout.svg");
    EXPECT_NE(text.find("<svg"), std::string::npos);
    EXPECT_NE(text.find("#ffce09"), std::string::npos);
    EXPECT_NE(text.find("600 X 400"), std::string::npos);
}

}  // namespace
}  // namespace veltrix::render
