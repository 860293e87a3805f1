// veltrix mlm and veltrix load-products run as a user runs them, on copies of the example folder.
#include <gtest/gtest.h>

#include "libraries/material_library.h"
#include "reports/report_helpers.h"
#include "reports/run_program.h"
#include "support/temp_folder.h"
#include "table/table_file.h"

namespace veltrix {
namespace {

namespace fs = std::filesystem;
using test::quoted;
using test::runVeltrix;
using test::TempFolder;

const fs::path kExample = fs::path(VELTRIX_EXAMPLES) / "workshop";

void copyExample(const TempFolder& folder, std::initializer_list<const char*> files) {
    for (const char* file : files) fs::copy_file(kExample / file, folder / file);
}

TEST(MlmCommand, MergeFoldsTheLibraryOfTheLibraryFolder) {
    TempFolder folder;
    fs::create_directory(folder / "shared");
    folder.write("netpath.set", (folder / "shared").string() + "/\r\n");
    folder.write("shared/mlm.dat",
                 "\"PB\",\"\",\"18\",\"800\",\"600\",\"5\",\"A\"\r\n\"MDF\",\"\",\"16\",\"1\",\"1\",\"1\",\"\"\r\n"
                 "\"PB\",\"\",\"18.0\",\"800\",\"600\",\"-2\",\"A\"\r\n");
    const auto run = runVeltrix("--workdir " + quoted(folder.path()) + " mlm merge", folder.path());
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(folder.read("shared/mlm.dat"),
              "\"MDF\",\"\",\"16\",\"1\",\"1\",\"1\",\"\"\r\n\"PB\",\"\",\"18\",\"800\",\"600\",\"3\",\"A\"\r\n");
    EXPECT_EQ(runVeltrix("--workdir " + quoted(folder.path()) + " mlm", folder.path()).code, 2);
    EXPECT_EQ(runVeltrix("--workdir " + quoted(folder.path()) + " mlm sort", folder.path()).code, 2);
}

TEST(MlmCommand, ImportFillsTheSheetTableOfTheExampleJob) {
    TempFolder folder;
    copyExample(folder, {"mlm.dat", "netpath.set", "kitchen.opt"});
    const auto run = runVeltrix("--workdir " + quoted(folder.path()) + " mlm import " + quoted(folder / "kitchen.opt"),
                                folder.path());
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out, "4 size(s) imported from MLM\n");
    // MEL OAK with grain, 18 thick: the four sizes of the block, without the grain-less record and
    // the scrap.
    const std::string job = folder.read("kitchen.opt");
    EXPECT_NE(job.find("[SHEET.TLF]\r\n"
                       "\"1200\",\"640\",\"1\",\"\",\"\",\"\",\"\",\"OFFCUT 1\"\r\n"
                       "\"2440\",\"1220\",\"10\",\"\",\"\",\"\",\"\",\"RACK B\"\r\n"
                       "\"2800\",\"2070\",\"6\",\"\",\"\",\"\",\"\",\"RACK A\"\r\n"
                       "\"3050\",\"1300\",\"2\",\"\",\"\",\"\",\"\",\"RACK C\"\r\n[END]"),
              std::string::npos)
        << job;
    // A material the library does not hold changes nothing.
    const std::string before = folder.read("kitchen.opt");
    folder.write("mlm.dat", "\"PB\",\"\",\"18\",\"1\",\"1\",\"1\",\"\"\r\n");
    const auto none = runVeltrix("--workdir " + quoted(folder.path()) + " mlm import " + quoted(folder / "kitchen.opt"),
                                 folder.path());
    EXPECT_EQ(none.code, 1);
    EXPECT_NE(none.err.find("not found in MLM"), std::string::npos);
    EXPECT_EQ(folder.read("kitchen.opt"), before);
}

TEST(MlmCommand, ExportReturnsOffcutsAndConsumptionOfAResult) {
    TempFolder folder;
    // The cabinet case: 3.2 kerf, sheets of 2440 x 1220 from RACK A, three layouts.
    const fs::path source = test::dataFile("reports/cabinet-area");
    const std::string project = test::reportCase("cabinet-area").second;
    const auto job = folder.write("cabinet.opt", project);
    folder.write("mlm.dat", "\"PB\",\"\",\"18\",\"2440\",\"1220\",\"20\",\"RACK A\"\r\n");
    const auto run = runVeltrix("--workdir " + quoted(folder.path()) + " mlm export " + quoted(job), folder.path());
    ASSERT_EQ(run.code, 0) << run.err;
    const auto stock = parseStock(folder.read("mlm.dat"));
    // The sheets used (sheets.Adj of the case) come off the 20 in RACK A; every off-cut of the
    // case's table comes in as a record of PB, grain "", 18.
    const std::string usedText = test::readFile(source / "sheets.Adj");
    FieldReader used(usedText);
    const int sheetsUsed = std::stoi(used.next(3)[2]);
    int racks = 0, offcuts = 0;
    for (const auto& r : stock) {
        EXPECT_EQ(r[kStockMat], "PB");
        EXPECT_EQ(r[kStockThick], "18");
        if (r[kStockLocation] == "RACK A") {
            ++racks;
            EXPECT_EQ(r[kStockQty], std::to_string(20 - sheetsUsed));
        } else {
            offcuts += std::stoi(r[kStockQty]);
        }
    }
    EXPECT_EQ(racks, 1);
    int listed = 0;
    for (const auto& line : splitLines(test::readFile(source / "offcut.tlf"))) {
        FieldReader reader(line);
        reader.next(3);
        listed += std::stoi(reader.next());
    }
    EXPECT_EQ(offcuts, listed);
    // Coil results are not returned.
    const auto coil = folder.write("coil.dcm", project);
    EXPECT_EQ(runVeltrix("--workdir " + quoted(folder.path()) + " mlm export " + quoted(coil), folder.path()).code, 1);
}

TEST(LoadProductsCommand, ExampleOrderGivesOneJobPerMaterial) {
    TempFolder folder;
    copyExample(folder, {"plm.dat", "netpath.set", "Defaults", "order.csv", "kitchen.opt"});
    folder.write("K[MAT=OLD,GRAIN=,THICK=1].OPT", "earlier output");
    const auto run = runVeltrix("--workdir " + quoted(folder.path()) + " load-products " +
                                    quoted(folder / "order.csv") + " --prefix K",
                                folder.path());
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_NE(run.err.find("3 '.OPT' file(s) starting from K generated."), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(folder / "K[MAT=OLD,GRAIN=,THICK=1].OPT"));
    EXPECT_TRUE(fs::exists(folder / "kitchen.opt"));
    // The drawer fronts' thickness 18.0 joins the 18 of the other oak pieces; 2 drawer units of 3
    // fronts each make 6.
    const std::string oak = folder.read("K[MAT=MEL OAK,GRAIN=YES,THICK=18].OPT");
    EXPECT_NE(oak.find("\"596\",\"1\",\"OAK\",\"1\",\"OAK\",\"176\",\"1\",\"OAK\",\"1\",\"OAK\",\"6\",\"YES\","
                       "\"DRAWER FRONT\",\"DRAWER 600\",\"ROSSI\""),
              std::string::npos)
        << oak;
    EXPECT_TRUE(fs::exists(folder / "K[MAT=PB,GRAIN=,THICK=16].OPT"));
    EXPECT_TRUE(fs::exists(folder / "K[MAT=HDF,GRAIN=,THICK=3].OPT"));
    // The generated job is a job the tool can read.
    EXPECT_EQ(runVeltrix("show " + quoted(folder / "K[MAT=PB,GRAIN=,THICK=16].OPT"), folder.path()).code, 0);

    folder.write("nothing.csv", "PRODUCTS,QTY,CLIENT\r\nSOFA,1,X\r\n");
    const auto none = runVeltrix("--workdir " + quoted(folder.path()) + " load-products " +
                                     quoted(folder / "nothing.csv") + " --prefix Z --ext .dcm",
                                 folder.path());
    EXPECT_EQ(none.code, 1);
    EXPECT_NE(none.err.find("Could not generate '.DCM' files."), std::string::npos);
    EXPECT_EQ(runVeltrix("--workdir " + quoted(folder.path()) + " load-products " + quoted(folder / "order.csv") +
                             " --prefix K --ext .txt",
                         folder.path())
                  .code,
              2);
    EXPECT_EQ(runVeltrix("load-products " + quoted(folder / "missing.csv") + " --prefix K", folder.path()).code, 2);
}

}  // namespace
}  // namespace veltrix
