#include "job/settings.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "table/workspace.h"

namespace veltrix {
namespace {

using test::TempFolder;

TEST(MiscSettings, MissingFileGivesTheDefaults) {
    TempFolder dir;
    Workspace ws(dir.path());
    EXPECT_EQ(reportOption(ws), "Area");
    EXPECT_EQ(edgeBandingIncrement(ws), 0.0f);
    EXPECT_EQ(efficiencyFactor(ws), 64);
    EXPECT_FALSE(readMiscSettings(ws).exists);
    EXPECT_EQ(readMiscSettings(ws).reportOption, "");
}

TEST(MiscSettings, ReadsThreeLinesAndToleratesTwo) {
    TempFolder dir;
    Workspace ws(dir.path());
    dir.write("misc.set", "\"Weight\"\r\n1.5\r\n25\r\n");
    EXPECT_EQ(reportOption(ws), "Weight");
    EXPECT_EQ(edgeBandingIncrement(ws), 1.5f);
    EXPECT_EQ(efficiencyFactor(ws), 160);
    dir.write("misc.set", "\"\"\r\n0\r\n");
    EXPECT_EQ(reportOption(ws), "");
    EXPECT_EQ(readMiscSettings(ws).efficiency, 10);
    dir.write("misc.set", "\"Area\"\r\nabc\r\nxyz\r\n");
    EXPECT_EQ(edgeBandingIncrement(ws), 0.0f);
    EXPECT_EQ(readMiscSettings(ws).efficiency, 10);
}

TEST(MiscSettings, WritesOptionIncrementAndEfficiency) {
    TempFolder dir;
    Workspace ws(dir.path());
    writeMiscSettings(ws, "Area With Edge Banding", "0.5", 25);
    EXPECT_EQ(dir.read("misc.set"), "\"Area With Edge Banding\"\r\n.5\r\n25\r\n");
    writeMiscSettings(ws, "", "two", 100);
    EXPECT_EQ(dir.read("misc.set"), "\"\"\r\n0\r\n100\r\n");
    EXPECT_EQ(efficiencyFactor(ws), 640);
}

TEST(MiscSettings, EfficiencyFactorRoundsHalvesToEven) {
    EXPECT_EQ(efficiencyFactor(10), 64);
    EXPECT_EQ(efficiencyFactor(25), 160);
    EXPECT_EQ(efficiencyFactor(5), 32);
    EXPECT_EQ(efficiencyFactor(4), 26);   // 25.6
    EXPECT_EQ(efficiencyFactor(1), 6);    // 6.4
    EXPECT_EQ(efficiencyFactor(100), 640);
}

TEST(ReportOption, HeadingAndWeightOrArea) {
    EXPECT_EQ(reportHeading("Weight"), "Weight");
    EXPECT_EQ(reportHeading("Area"), "Area");
    EXPECT_EQ(reportHeading("Area With Edge Banding"), "Area");
    EXPECT_EQ(reportHeading(""), "");
    EXPECT_EQ(reportHeading("area"), "");
    EXPECT_EQ(weightOrAreaText("Weight", 0.5f, 2, 10, 10, 3), "300.00");
    EXPECT_EQ(weightOrAreaText("Weight", 0.5f, 2, 10, 10, 1), "100.00");
    EXPECT_EQ(weightOrAreaText("Area", 0.5f, 2, 10, 5, 3), "150.00");
    EXPECT_EQ(weightOrAreaText("Area With Edge Banding", 0, 0, 10, 5, 3), "150.00");
    EXPECT_EQ(weightOrAreaText("", 0.5f, 2, 10, 5, 3), "");
    // Large areas keep their decimals: 2443.2 x 1223.2 = 2988522.24, times 7.
    EXPECT_EQ(weightOrAreaText("Area", 0, 0, 2443.2, 1223.2, 7), "20919655.68");
}

TEST(Density, FirstExactMatchOfTheMaterial) {
    TempFolder dir;
    Workspace ws(dir.path());
    EXPECT_EQ(densityOf(ws, "PB"), 0.0f);
    dir.write("density.dat", "\"PB\",\".5\"\r\n\"MDF\",\"abc\"\r\n\"PB\",\"9\"\r\n");
    EXPECT_EQ(densityOf(ws, "PB"), 0.5f);
    EXPECT_EQ(densityOf(ws, "pb"), 0.0f);
    EXPECT_EQ(densityOf(ws, "MDF"), 0.0f);
    EXPECT_EQ(densityOf(ws, "OAK"), 0.0f);
}

TEST(LibraryFolder, TrailingSeparatorAndLibraryFiles) {
    TempFolder dir;
    Workspace ws(dir.path());
    EXPECT_EQ(libraryFile(ws, "mlm.dat"), dir / "mlm.dat");
    writeLibraryFolder(ws, "\\\\SERVER\\SHARE");
    EXPECT_EQ(dir.read("netpath.set"), "\\\\SERVER\\SHARE\\\r\n");
    EXPECT_EQ(readLibraryFolder(ws), "\\\\SERVER\\SHARE\\");
    const auto lib = dir / "lib";
    std::filesystem::create_directory(lib);
    writeLibraryFolder(ws, lib.string());
    EXPECT_EQ(readLibraryFolder(ws), lib.string() + "/");
    EXPECT_EQ(libraryFile(ws, "mlm.dat"), lib / "mlm.dat");
    writeLibraryFolder(ws, "");
    EXPECT_EQ(dir.read("netpath.set"), "\r\n");
    EXPECT_EQ(libraryFile(ws, "plm.dat"), dir / "plm.dat");
}

}  // namespace
}  // namespace veltrix

namespace veltrix {
namespace {

TEST(SettingsFiles, GarbageNeverBreaksTheReaders) {
    test::TempFolder dir;
    Workspace ws(dir.path());
    const std::string garbage("\"\0\xff,\r\r\n\"unclosed,\n\x01\x02", 18);
    dir.write("misc.set", garbage);
    dir.write("density.dat", garbage + std::string(100000, 'x'));
    dir.write("netpath.set", std::string("lib\r", 4));
    EXPECT_NO_THROW(readMiscSettings(ws));
    EXPECT_EQ(readMiscSettings(ws).efficiency, 10);
    EXPECT_EQ(densityOf(ws, "PB"), 0.0f);
    EXPECT_EQ(readLibraryFolder(ws), "lib");
    dir.write("misc.set", "");
    EXPECT_EQ(reportOption(ws), "");
    EXPECT_EQ(readMiscSettings(ws).efficiency, 10);
}

}  // namespace
}  // namespace veltrix
