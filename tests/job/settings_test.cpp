#include "job/settings.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "base/error.h"
#include "base/workspace.h"

namespace veltrix {
namespace {

using test::TempFolder;

TEST(MiscSettings, ThreeLinesWithDefaultsForWhatIsMissingOrNoNumber) {
    TempFolder dir;
    Workspace ws(dir.path());
    struct Case { const char* text; const char* option; float increment; int factor; };
    for (const Case& c : {Case{nullptr, "Area", 0, 64}, Case{"\"Weight\"\r\n1.5\r\n25\r\n", "Weight", 1.5f, 160},
                          Case{"\"\"\r\nabc\r\n", "", 0, 64}, Case{"\"Area\"\r\n2\r\nxyz\r\n", "Area", 2, 64}}) {
        if (c.text) dir.write("misc.set", c.text);
        EXPECT_EQ(readMiscSettings(ws).exists, c.text != nullptr);
        EXPECT_EQ(reportOption(ws), c.option);
        EXPECT_EQ(edgeBandingIncrement(ws), c.increment);
        EXPECT_EQ(efficiencyFactor(ws), c.factor);  // efficiency 10 when absent or not a number
    }
    writeMiscSettings(ws, "Area With Edge Banding", "0.5", 25);
    EXPECT_EQ(dir.read("misc.set"), "\"Area With Edge Banding\"\r\n.5\r\n25\r\n");
    writeMiscSettings(ws, "", "", 100);
    EXPECT_EQ(dir.read("misc.set"), "\"\"\r\n0\r\n100\r\n");
    // Junk is told, not stored: the file stays as it was.
    for (const char* junk : {"-5abc", "two", "1.2.3", "1e3", "+4"}) {
        EXPECT_THROW(writeMiscSettings(ws, "Area", junk, 10), InputError) << junk;
        EXPECT_EQ(settingsNumberProblem("Edge-banding increment", junk).value_or(""),
                  std::string("Edge-banding increment: \"") + junk +
                      "\" is not a number: type digits and at most one point, nothing negative.");
    }
    EXPECT_THROW(writeMiscSettings(ws, "Area", "1", 0), InputError);
    EXPECT_EQ(dir.read("misc.set"), "\"\"\r\n0\r\n100\r\n");
    EXPECT_FALSE(settingsNumberProblem("x", " 12.5 ").has_value());
    // An efficiency the run cannot use falls back to 10 and says so.
    for (const char* line : {"0", "-5", "0.4", "1e300", "99999", "2147483648"}) {
        dir.write("misc.set", std::string("\"Area\"\r\n0\r\n") + line + "\r\n");
        const MiscSettings misc = readMiscSettings(ws);
        EXPECT_EQ(misc.efficiency, 10) << line;
        EXPECT_NE(misc.efficiencyProblem.find(line), std::string::npos) << misc.efficiencyProblem;
    }
    // Efficiency x 6.4, halves to even: 25.6 -> 26, 6.4 -> 6, 32, 640.
    for (const auto& [efficiency, factor] : std::vector<std::pair<int, int>>{{4, 26}, {1, 6}, {5, 32}, {100, 640}})
        EXPECT_EQ(efficiencyFactor(efficiency), factor) << efficiency;
}

// The weight and area texts of each report option are checked in the published reports; here what
// those do not show.
TEST(ReportOption, NamesMatchExactlyAndLargeAreasKeepTheirDecimals) {
    EXPECT_EQ(reportHeading("area"), "");
    // 2443.2 x 1223.2 = 2988522.24, times 7.
    EXPECT_EQ(weightOrAreaText("Area", 0, 0, 2443.2, 1223.2, 7), "20919655.68");
}

// The first exact match of the material; a line without its density shifts none after it (the
// reader once read the fields in sequence, and ASH weighed 0).
TEST(Density, FirstExactMatchOfTheMaterial) {
    TempFolder dir;
    Workspace ws(dir.path());
    EXPECT_EQ(densityOf(ws, "PB"), 0.0f);
    dir.write("density.dat", "\"PB\",\".5\"\r\n\"MDF\",\"abc\"\r\n\"OAK\"\r\n\"PB\",\"9\"\r\n\"ASH\",\"2\"\r\n");
    EXPECT_EQ(densityOf(ws, "PB"), 0.5f);
    EXPECT_EQ(densityOf(ws, "pb"), 0.0f);
    EXPECT_EQ(densityOf(ws, "MDF"), 0.0f);
    EXPECT_EQ(densityOf(ws, "ASH"), 2.0f);
}

TEST(LibraryFolder, TrailingSeparatorAndLibraryFiles) {
    TempFolder dir;
    Workspace ws(dir.path());
    EXPECT_EQ(libraryFile(ws, "mlm.dat"), dir / "mlm.dat");
    writeLibraryFolder(ws, "\\\\SERVER\\SHARE");
    EXPECT_EQ(dir.read("netpath.set"), "\\\\SERVER\\SHARE\\\r\n");
    writeLibraryFolder(ws, "");
    EXPECT_EQ(dir.read("netpath.set"), "\r\n");
    EXPECT_EQ(libraryFile(ws, "plm.dat"), dir / "plm.dat");
}

TEST(SettingsFiles, GarbageNeverBreaksTheReaders) {
    TempFolder dir;
    Workspace ws(dir.path());
    const std::string garbage("\"\0\xff,\r\r\n\"unclosed,\n\x01\x02", 18);
    dir.write("misc.set", garbage);
    dir.write("density.dat", garbage + std::string(100000, 'x'));
    dir.write("netpath.set", "lib\r");
    EXPECT_EQ(readMiscSettings(ws).efficiency, 10);
    EXPECT_EQ(densityOf(ws, "PB"), 0.0f);
    EXPECT_EQ(readLibraryFolder(ws), "lib");
}

}  // namespace
}  // namespace veltrix
