// The commands draw, dxf and labels run as a user runs them: the `veltrix` program on a hand-made
// job with a stored result of two layouts, in a working folder holding the example's templates.

#include <cstdio>
#include <cstdlib>
#include <string>

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include "dxf/dxflib_reader.h"
#include "support/temp_folder.h"
#include "table/file_ops.h"

namespace veltrix {
namespace {

namespace fs = std::filesystem;

const fs::path kExamples = fs::path(VELTRIX_EXAMPLES) / "workshop";

struct Outcome {
    int exit = -1;
    std::string out, err;
};

std::string quoted(const std::string& s) { return "'" + s + "'"; }

// Runs a shell command line, capturing both streams in files of the folder.
Outcome shell(const test::TempFolder& folder, const std::string& command) {
    const fs::path out = folder / ".out", err = folder / ".err";
    const int status = std::system((command + " >" + quoted(out.string()) + " 2>" + quoted(err.string())).c_str());
    Outcome run;
    run.exit = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = test::readFile(out);
    run.err = test::readFile(err);
    return run;
}

struct Workshop {
    test::TempFolder folder;
    fs::path work = folder / "work";
    fs::path job = work / "plan.opt";
    Workshop() {
        fs::create_directories(work);
        for (const char* name : {"dxf.hd", "dxf.ft", "outline-cutout.dxf", "LBl.def", "dia.set"})
            fs::copy_file(kExamples / name, work / name);
        fs::copy_file(test::dataFile("layouts/two-layouts.opt"), job);
    }
    Outcome veltrix(const std::string& args) const {
        return shell(folder, quoted(VELTRIX_PROGRAM) + " --workdir " + quoted(work.string()) + " " + args);
    }
};

int countColor(const QImage& image, QColor color) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor p = image.pixelColor(x, y);
            if (std::abs(p.red() - color.red()) <= 2 && std::abs(p.green() - color.green()) <= 2 &&
                std::abs(p.blue() - color.blue()) <= 2)
                ++n;
        }
    return n;
}

int inked(const QImage& image) { return image.width() * image.height() - countColor(image, Qt::white); }

TEST(DrawCommand, PdfHasOneDrawnPagePerLayout) {
    Workshop w;
    const fs::path pdf = w.folder / "plan.pdf";
    const Outcome run = w.veltrix("draw " + quoted(w.job.string()) + " -o " + quoted(pdf.string()));
    ASSERT_EQ(run.exit, 0) << run.err;
    EXPECT_NE(run.out.find("2 layout(s) drawn"), std::string::npos);

    // Rendered by poppler, an independent reader of the file.
    const Outcome raster = shell(w.folder, "pdftoppm -r 40 -png " + quoted(pdf.string()) + " " +
                                           quoted((w.folder / "page").string()));
    ASSERT_EQ(raster.exit, 0) << raster.err;
    const QImage first(QString::fromStdString((w.folder / "page-1.png").string()));
    const QImage second(QString::fromStdString((w.folder / "page-2.png").string()));
    ASSERT_FALSE(first.isNull());
    ASSERT_FALSE(second.isNull());
    EXPECT_FALSE(fileExists(w.folder / "page-3.png"));
    for (const QImage* page : {&first, &second}) EXPECT_GT(inked(*page), page->width() * page->height() / 20);
    // Layout 1 holds the hob panel (variety 1) and a shelf (variety 2), layout 2 two shelves.
    const QColor hob(255, 185, 185), shelf(255, 191, 149);
    EXPECT_GT(countColor(first, hob), 100);
    EXPECT_GT(countColor(first, shelf), 100);
    EXPECT_EQ(countColor(second, hob), 0);
    EXPECT_GT(countColor(second, shelf), 2 * countColor(first, shelf) - 50);
    // The drawing leaves dxf.tlf and the listing of the last layout drawn in the working folder.
    EXPECT_EQ(test::readFile(w.work / "DiaCur.tlf").substr(0, 16), "Layout No. 2/2\r\n");
    EXPECT_TRUE(fileExists(w.work / "dxf.tlf"));
}

TEST(DrawCommand, PicturesTakeOneLayout) {
    Workshop w;
    const fs::path png = w.folder / "two.png";
    Outcome run = w.veltrix("draw " + quoted(w.job.string()) + " --layout 2 -o " + quoted(png.string()));
    ASSERT_EQ(run.exit, 0) << run.err;
    const QImage image(QString::fromStdString(png.string()));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.width(), image.height());
    EXPECT_GT(countColor(image, QColor(255, 191, 149)), 1000);
    EXPECT_EQ(countColor(image, QColor(255, 185, 185)), 0);

    run = w.veltrix("draw " + quoted(w.job.string()) + " --layout 1 -o " + quoted((w.folder / "one.svg").string()));
    ASSERT_EQ(run.exit, 0) << run.err;
    EXPECT_NE(test::readFile(w.folder / "one.svg").find("#ffb9b9"), std::string::npos);

    run = w.veltrix("draw " + quoted(w.job.string()) + " --all -o " + quoted((w.folder / "all.png").string()));
    EXPECT_EQ(run.exit, 2);
    EXPECT_FALSE(fileExists(w.folder / "all.png"));
    run = w.veltrix("draw " + quoted(w.job.string()) + " --layout 3 -o " + quoted((w.folder / "x.pdf").string()));
    EXPECT_EQ(run.exit, 2);
    EXPECT_NE(run.err.find("layouts 1 to 2"), std::string::npos);
    run = w.veltrix("draw " + quoted(w.job.string()) + " -o " + quoted((w.folder / "x.bmp").string()));
    EXPECT_EQ(run.exit, 2);
}

TEST(DrawCommand, FailuresAreMessagesWithTheirExitCodes) {
    Workshop w;
    fs::copy_file(test::dataFile("layouts/not-optimized.opt"), w.work / "new.opt");
    Outcome run = w.veltrix("draw " + quoted((w.work / "new.opt").string()) + " -o " +
                        quoted((w.folder / "x.pdf").string()));
    EXPECT_EQ(run.exit, 1);
    EXPECT_NE(run.err.find("This file was not optimized."), std::string::npos);
    run = w.veltrix("draw " + quoted(w.job.string()) + " -o " + quoted((w.folder / "no/such/x.pdf").string()));
    EXPECT_EQ(run.exit, 2);
    EXPECT_NE(run.err.find("x.pdf"), std::string::npos);
    run = w.veltrix("draw " + quoted((w.folder / "missing.opt").string()) + " -o " +
                    quoted((w.folder / "x.pdf").string()));
    EXPECT_EQ(run.exit, 2);
}

TEST(DxfCommand, OneFilePerLayoutReadableByDxflib) {
    Workshop w;
    w.folder.write("plan.dxf", "an older export");
    const Outcome run = w.veltrix("dxf " + quoted(w.job.string()) + " -o " + quoted((w.folder / "plan.dxf").string()));
    ASSERT_EQ(run.exit, 0) << run.err;
    EXPECT_NE(run.out.find("2 Layout(s) exported as DXF file(s)!"), std::string::npos);
    EXPECT_FALSE(fileExists(w.folder / "plan.dxf"));

    // Layout 1: ten rectangles (sheet, four margins, a shelf, three off-cuts, a through cut) and
    // the hob panel's outline, four sides and its cut-out.
    const test::ReadBack first = test::readWithDxflib(w.folder / "plan_1-2.dxf");
    ASSERT_TRUE(first.opened);
    EXPECT_EQ(first.lines.size(), 44u);
    ASSERT_EQ(first.circles.size(), 1u);
    // The panel stands turned (560 across, 720 down) at (12, 12): the cut-out's centre is at
    // (12 + 280, 12 + 360); DXF's Y points up inside the sheet's 1204: 1204 - 372 = 832.
    EXPECT_NEAR(first.circles[0].cx, 292, 1e-9);
    EXPECT_NEAR(first.circles[0].cy, 832, 1e-9);
    EXPECT_NEAR(first.circles[0].r, 40, 1e-9);
    const test::ReadBack second = test::readWithDxflib(w.folder / "plan_2-2.dxf");
    ASSERT_TRUE(second.opened);
    EXPECT_EQ(second.lines.size(), 40u);
    EXPECT_TRUE(second.circles.empty());

    const Outcome one = w.veltrix("dxf " + quoted(w.job.string()) + " --layout 2 -o " + quoted((w.folder / "one.dxf").string()));
    ASSERT_EQ(one.exit, 0) << one.err;
    EXPECT_TRUE(fileExists(w.folder / "one_2-2.dxf"));
    EXPECT_FALSE(fileExists(w.folder / "one_1-2.dxf"));
}

TEST(LabelsCommand, PageWithEscapedTextsRendersInABrowser) {
    Workshop w;
    const Outcome run = w.veltrix("labels " + quoted(w.job.string()));
    ASSERT_EQ(run.exit, 0) << run.err;
    const std::string page = test::readFile(w.work / "lbl.htm");
    // Four labels: the hob panel and three shelves, counted per variety.
    int cells = 0;
    for (std::size_t p = page.find("<td align='center'"); p != std::string::npos; p = page.find("<td align='center'", p + 1))
        ++cells;
    EXPECT_EQ(cells, 4);
    EXPECT_NE(page.find("<br>QTY      : 3/3\r\n"), std::string::npos);
    EXPECT_NE(page.find("<br>DESCR    : SHELF &lt;B&gt;\r\n"), std::string::npos);
    EXPECT_NE(page.find("<br>CLIENT   : O&#39;NEIL\r\n"), std::string::npos);
    EXPECT_EQ(page.find("<B>"), std::string::npos);

    // Headless Chromium draws the page: text in black on white.
    const fs::path shot = w.folder / "labels.png";
    const Outcome browser = shell(w.folder, "timeout 120 chromium --headless --no-sandbox --disable-gpu --no-first-run "
                                        "--disable-background-networking --disable-component-update --disable-sync "
                                        "--disable-quic --user-data-dir=" +
                                            quoted((w.folder / "profile").string()) + " --screenshot=" +
                                            quoted(shot.string()) + " --window-size=800,600 " +
                                            quoted("file://" + (w.work / "lbl.htm").string()));
    ASSERT_TRUE(fileExists(shot)) << browser.err;
    const QImage image(QString::fromStdString(shot.string()));
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(countColor(image, Qt::black), 200);

    // A range of one layout, to a file of the user's choice.
    const Outcome second = w.veltrix("labels " + quoted(w.job.string()) + " --from 2 --to 2 -o " +
                                 quoted((w.folder / "two.htm").string()));
    ASSERT_EQ(second.exit, 0) << second.err;
    EXPECT_NE(test::readFile(w.folder / "two.htm").find("<br>QTY      : 2/3\r\n"), std::string::npos);
    EXPECT_EQ(w.veltrix("labels " + quoted(w.job.string()) + " --from 2 --to 1").exit, 2);
}

TEST(LabelsCommand, MissingDefinitionWritesNoPage) {
    Workshop w;
    fs::remove(w.work / "LBl.def");
    Outcome run = w.veltrix("labels " + quoted(w.job.string()));
    EXPECT_EQ(run.exit, 2);
    EXPECT_NE(run.err.find("LBl.def"), std::string::npos);
    EXPECT_FALSE(fileExists(w.work / "lbl.htm"));
    w.folder.write("work/LBl.def", "\"2\",\"3\"\r\n");
    run = w.veltrix("labels " + quoted(w.job.string()));
    EXPECT_EQ(run.exit, 2);
    EXPECT_NE(run.err.find("2 of its 13 values"), std::string::npos);
    EXPECT_FALSE(fileExists(w.work / "lbl.htm"));
}

}  // namespace
}  // namespace veltrix
