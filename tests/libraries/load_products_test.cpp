#include "libraries/load_products.h"

#include <gtest/gtest.h>

#include "libraries/product_library.h"
#include "platform/prompt.h"
#include "support/temp_folder.h"
#include "table/error.h"
#include "table/table_file.h"
#include "table/workspace.h"

namespace veltrix {
namespace {

using test::TempFolder;

std::string libraryRow(const std::string& product, const std::string& description, const std::string& mat,
                       const std::string& thick, const std::string& length, const std::string& width,
                       const std::string& qty) {
    std::vector<std::string> f(kProductFields);
    f[kProdName] = product;
    f[kProdDescription] = description;
    f[kProdMat] = mat;
    f[kProdGrain] = "NO";
    f[kProdThick] = thick;
    f[kProdLength] = length;
    f[kProdWidth] = width;
    f[kProdQty] = qty;
    return quotedRecord(f);
}

constexpr const char* kDefaults =
    "[BASIC.TLF]\r\n\"MDF\",\"YES\",\"16\",\"3100\",\"0\",\"3.2\",\"0\",\"SHOP\"\r\n[END]\r\n"
    "[OPTIONS.TLF]\r\n0,-1\r\n[END]\r\n"
    "[SHEET.TLF]\r\n[END]\r\n"
    "[CUT.TLF]\r\n[END]\r\n"
    "[DIA.TLF]\r\n1,-1,1,0,0,10,10,1,0\r\n[END]\r\n";

class LoadProducts : public ::testing::Test {
protected:
    void SetUp() override {
        work.write("Defaults", kDefaults);
        work.write("plm.dat", libraryRow("BENCH", "SEAT", "PB", "18", "1200", "400", "1") +
                                  libraryRow("CHAIR", "SEAT", "PB", "18", "450", "450", "2") +
                                  libraryRow("CHAIR", "", "", "", "", "", "") +
                                  libraryRow("CHAIR", "LEG", "OAK", "30", "700", "40", "4") +
                                  libraryRow("", "LOOSE", "PB", "18", "1", "1", "1") +
                                  libraryRow("CHAIR", "BACK", "PB", "18.0", "450", "300", "1") +
                                  libraryRow("TABLE", "TOP", "PB", "18", "1600", "800", "1") +
                                  libraryRow("CHAIR", "FAR", "PB", "18", "9", "9", "1"));
    }
    TempFolder work;
    Workspace ws{work.path()};
};

TEST_F(LoadProducts, GroupsByMaterialGrainAndThicknessValue) {
    ScriptedPrompt prompt;
    const auto result = loadProducts(ws, {{"CHAIR", "3", "SMITH"}, {"TABLE", "1", "JONES"}}, " JOB ", ".OPT", prompt);
    // Groups in order of first appearance; the CHAIR row without material or thickness is a
    // group of its own.
    ASSERT_EQ(result.files.size(), 3u);
    EXPECT_EQ(result.files[0], work / "JOB[MAT=PB,GRAIN=NO,THICK=18].OPT");
    EXPECT_EQ(result.files[1], work / "JOB[MAT=,GRAIN=NO,THICK=0].OPT");
    EXPECT_EQ(result.files[2], work / "JOB[MAT=OAK,GRAIN=NO,THICK=30].OPT");
    // Basic row from the first piece of the group plus the default's other fields; the chair's
    // rows before the first row of another product only (FAR lies beyond TABLE); 3 x 2 = 6.
    EXPECT_EQ(work.read("JOB[MAT=PB,GRAIN=NO,THICK=18].OPT"),
              "[BASIC.TLF]\r\n\"PB\",\"NO\",\"18\",\"3100\",\"0\",\"3.2\",\"0\",\"SHOP\"\r\n[END]\r\n"
              "[OPTIONS.TLF]\r\n0,-1\r\n[END]\r\n"
              "[SHEET.TLF]\r\n[END]\r\n"
              "[CUT.TLF]\r\n"
              "\"450\",\"\",\"\",\"\",\"\",\"450\",\"\",\"\",\"\",\"\",\"6\",\"\",\"SEAT\",\"CHAIR\",\"SMITH\",\"\",\"\"\r\n"
              "\"450\",\"\",\"\",\"\",\"\",\"300\",\"\",\"\",\"\",\"\",\"3\",\"\",\"BACK\",\"CHAIR\",\"SMITH\",\"\",\"\"\r\n"
              "\"1600\",\"\",\"\",\"\",\"\",\"800\",\"\",\"\",\"\",\"\",\"1\",\"\",\"TOP\",\"TABLE\",\"JONES\",\"\",\"\"\r\n"
              "[END]\r\n"
              "[DIA.TLF]\r\n[END]\r\n");
    EXPECT_NE(work.read("JOB[MAT=OAK,GRAIN=NO,THICK=30].OPT").find("\"700\",\"\",\"\",\"\",\"\",\"40\",\"\",\"\",\"\",\"\",\"12\""),
              std::string::npos);
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, "3 '.OPT' file(s) starting from JOB generated.");
}

TEST_F(LoadProducts, EarlierOutputsOfThePrefixGoButOtherFilesStay) {
    work.write("JOB[MAT=PB,GRAIN=NO,THICK=18].OPT", "old");
    work.write("JOB[MAT=ASH,GRAIN=,THICK=19].OPT", "old");
    work.write("JOB[MAT=ASH,GRAIN=,THICK=19].DCM", "coil");
    work.write("JOBS.OPT", "the user's own job");
    ScriptedPrompt prompt;
    loadProducts(ws, {{"TABLE", "2", ""}}, "JOB", ".opt", prompt);
    EXPECT_FALSE(std::filesystem::exists(work / "JOB[MAT=ASH,GRAIN=,THICK=19].OPT"));
    EXPECT_EQ(work.read("JOB[MAT=ASH,GRAIN=,THICK=19].DCM"), "coil");
    EXPECT_EQ(work.read("JOBS.OPT"), "the user's own job");
    EXPECT_NE(work.read("JOB[MAT=PB,GRAIN=NO,THICK=18].OPT").find("\"1600\""), std::string::npos);
}

TEST_F(LoadProducts, UnknownProductsAndIncompleteLinesGenerateNothing) {
    ScriptedPrompt prompt;
    const auto result =
        loadProducts(ws, {{"SOFA", "1", ""}, {"TABLE", "", "X"}, {"", "2", ""}, {"chair", "1", ""}}, "P", ".DCM", prompt);
    EXPECT_TRUE(result.files.empty());
    ASSERT_EQ(prompt.messages.size(), 1u);
    EXPECT_EQ(prompt.messages[0].text, "Could not generate '.DCM' files.");
}

TEST_F(LoadProducts, QuantityThatIsNoNumberCountsZero) {
    ScriptedPrompt prompt;
    loadProducts(ws, {{"BENCH", "MANY", ""}}, "Q", ".OPT", prompt);
    EXPECT_NE(work.read("Q[MAT=PB,GRAIN=NO,THICK=18].OPT").find("\"400\",\"\",\"\",\"\",\"\",\"0\""), std::string::npos);
}

TEST_F(LoadProducts, WithoutDefaultsTheJobHoldsTheGroupAlone) {
    std::filesystem::remove(work / "Defaults");
    ScriptedPrompt prompt;
    loadProducts(ws, {{"BENCH", "1", "C"}}, "", ".OPT", prompt);
    EXPECT_EQ(work.read("[MAT=PB,GRAIN=NO,THICK=18].OPT"),
              "[BASIC.TLF]\r\n\"PB\",\"NO\",\"18\",\"\",\"\",\"\",\"\",\"\"\r\n[END]\r\n"
              "[OPTIONS.TLF]\r\n-1,0\r\n[END]\r\n"
              "[SHEET.TLF]\r\n[END]\r\n"
              "[CUT.TLF]\r\n"
              "\"1200\",\"\",\"\",\"\",\"\",\"400\",\"\",\"\",\"\",\"\",\"1\",\"\",\"SEAT\",\"BENCH\",\"C\",\"\",\"\"\r\n"
              "[END]\r\n[DIA.TLF]\r\n[END]\r\n");
}

TEST_F(LoadProducts, UnsafePrefixAndExtensionAreRefused) {
    work.write("keep.opt", "mine");
    ScriptedPrompt prompt;
    EXPECT_TRUE(loadProducts(ws, {{"BENCH", "1", ""}}, "*", ".OPT", prompt).files.empty());
    EXPECT_TRUE(loadProducts(ws, {{"BENCH", "1", ""}}, "../x", ".OPT", prompt).files.empty());
    EXPECT_EQ(prompt.messages.size(), 2u);
    EXPECT_EQ(work.read("keep.opt"), "mine");
    EXPECT_THROW(loadProducts(ws, {{"BENCH", "1", ""}}, "P", ".TXT", prompt), InputError);
}

TEST(OrderFile, TableFileAndCsvWithHeader) {
    TempFolder work;
    const auto table = work.write("order.tlf", "\"CHAIR\",\"4\",\"SMITH\"\r\n\"TABLE\",\"1\"\r\n");
    const auto order = readOrderFile(table);
    ASSERT_EQ(order.size(), 2u);
    EXPECT_EQ(order[1].product, "TABLE");
    EXPECT_EQ(order[1].client, "");
    const auto csv = work.write("order.CSV", "client,Products,QTY\r\n\"Smith, J\",CHAIR,4\r\nJONES,TABLE\r\n");
    const auto fromCsv = readOrderFile(csv);
    ASSERT_EQ(fromCsv.size(), 2u);
    EXPECT_EQ(fromCsv[0].product, "CHAIR");
    EXPECT_EQ(fromCsv[0].quantity, "4");
    EXPECT_EQ(fromCsv[0].client, "Smith, J");
    EXPECT_EQ(fromCsv[1].quantity, "");
    EXPECT_THROW(readOrderFile(work.write("bad.csv", "NAME,COUNT\r\nA,1\r\n")), InputError);
    EXPECT_THROW(readOrderFile(work / "missing.csv"), FileError);
}

TEST(OrderFile, GroupKeyNamesTheThicknessAsANumber) {
    EXPECT_EQ(groupKey("PB", "NO", "18.0"), "[MAT=PB,GRAIN=NO,THICK=18]");
    EXPECT_EQ(groupKey("PB", "", "0.50"), "[MAT=PB,GRAIN=,THICK=0.5]");
}

}  // namespace
}  // namespace veltrix
