#include "libraries/material_library.h"

#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "job/settings.h"
#include "support/temp_folder.h"
#include "table/error.h"
#include "table/grid_table.h"
#include "table/workspace.h"

namespace veltrix {
namespace {

using test::TempFolder;

StockRecord stock(std::string mat, std::string grain, std::string thick, std::string length, std::string width,
                  std::string qty, std::string location) {
    return {mat, grain, thick, length, width, qty, location};
}

TEST(MaterialLibraryMerge, EqualStockAddsQuantities) {
    std::vector<StockRecord> records{stock("PB", "", "18", "800", "600", "5", "RACK A"),
                                     stock("PB", "", "18", "800", "600", "-2", "RACK A")};
    mergeStock(records);
    EXPECT_EQ(records[0][kStockQty], "3");
    EXPECT_EQ(stockText(records), "\"PB\",\"\",\"18\",\"800\",\"600\",\"3\",\"RACK A\"\r\n");
}

TEST(MaterialLibraryMerge, SizesCompareByValueTextsExactly) {
    std::vector<StockRecord> records{stock("PB", "", "18", "800", "600", "1", "R"),
                                     stock("PB", "", "18.0", "800.00", "600", "2", "R"),
                                     stock("PB", "", "18", "800", "600", "4", "R2"),     // other location
                                     stock("PB", "YES", "18", "800", "600", "8", "R"),   // other grain
                                     stock("pb", "", "18", "800", "600", "16", "R")};    // other case
    mergeStock(records);
    EXPECT_EQ(records[0][kStockQty], "3");
    EXPECT_EQ(records[1], StockRecord{});
    EXPECT_EQ(records[2][kStockQty], "4");
    EXPECT_EQ(records[3][kStockQty], "8");
    EXPECT_EQ(records[4][kStockQty], "16");
}

TEST(MaterialLibraryMerge, QuantityComingToZeroIsEmptyAndTextCountsZero) {
    std::vector<StockRecord> records{stock("MDF", "", "16", "2440", "1220", "4", "A"),
                                     stock("MDF", "", "16", "2440", "1220", "-4", "A"),
                                     stock("MDF", "", "16", "100", "100", "X", "A"),
                                     stock("MDF", "", "16", "100", "100", "2.5", "A")};
    mergeStock(records);
    EXPECT_EQ(records[0][kStockQty], "");
    EXPECT_EQ(records[2][kStockQty], "2.5");
    // The record itself stays: only all-blank records are dropped.
    EXPECT_EQ(stockText(records),
              "\"MDF\",\"\",\"16\",\"2440\",\"1220\",\"\",\"A\"\r\n\"MDF\",\"\",\"16\",\"100\",\"100\",\"2.5\",\"A\"\r\n");
}

TEST(MaterialLibraryMerge, ScanEndsAfterTheBlockOfTheMaterial) {
    // Unsorted: the second OAK block lies beyond a PB record met after OAK records.
    std::vector<StockRecord> records{stock("OAK", "", "19", "10", "10", "1", ""),
                                     stock("OAK", "", "19", "20", "20", "1", ""),
                                     stock("PB", "", "18", "5", "5", "1", ""),
                                     stock("OAK", "", "19", "10", "10", "1", "")};
    mergeStock(records);
    EXPECT_EQ(records[0][kStockQty], "1");
    EXPECT_EQ(records[3][kStockQty], "1");
    // A record of another material before the first match is passed over.
    std::vector<StockRecord> later{stock("OAK", "", "19", "10", "10", "1", ""), stock("PB", "", "18", "5", "5", "1", ""),
                                   stock("OAK", "", "19", "10", "10", "2", "")};
    mergeStock(later);
    EXPECT_EQ(later[0][kStockQty], "3");
}

TEST(MaterialLibraryMerge, SortGathersTheMaterialAndDropsBlankRecords) {
    std::vector<StockRecord> records{stock("PB", "", "18", "800", "600", "5", "A"),
                                     stock(" ", "", "", "  ", "", "", ""),
                                     stock("MDF", "", "16", "2440", "1220", "3", "A"),
                                     stock(" PB ", "", "18", "800", "600", "2", "A")};
    sortAndMergeStock(records);
    EXPECT_EQ(stockText(records),
              "\"MDF\",\"\",\"16\",\"2440\",\"1220\",\"3\",\"A\"\r\n"
              "\"PB\",\"\",\"18\",\"800\",\"600\",\"7\",\"A\"\r\n");
}

TEST(MaterialLibraryFile, MergeRewritesTheLibraryInTheLibraryFolder) {
    TempFolder work;
    const Workspace ws(work.path());
    work.write("lib/mlm.dat",
               "\"PB\",\"\",\"18\",\"800\",\"600\",\"5\",\"A\"\r\n"
               "\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n"
               "\"MDF\",\"\",\"16\",\"2440\",\"1220\",\"3\",\"A\"\n"
               "\"PB\",\"\",\"18.0\",\"800\",\"600\",\"-5\",\"A\"\r\n");
    writeLibraryFolder(ws, (work.path() / "lib").string());
    mergeMaterialLibrary(ws);
    EXPECT_EQ(work.read("lib/mlm.dat"),
              "\"MDF\",\"\",\"16\",\"2440\",\"1220\",\"3\",\"A\"\r\n"
              "\"PB\",\"\",\"18\",\"800\",\"600\",\"\",\"A\"\r\n");
    EXPECT_FALSE(std::filesystem::exists(work / "mlm.dat"));
}

TEST(MaterialLibraryFile, ShortLineDoesNotShiftLaterRecords) {
    TempFolder work;
    const Workspace ws(work.path());
    work.write("mlm.dat",
               "\"PB\",\"\",\"18\"\r\n"
               "\"PB\",\"\",\"18\",\"800\",\"600\",\"5\",\"A\"\r\n");
    mergeMaterialLibrary(ws);
    EXPECT_EQ(work.read("mlm.dat"),
              "\"PB\",\"\",\"18\",\"\",\"\",\"\",\"\"\r\n"
              "\"PB\",\"\",\"18\",\"800\",\"600\",\"5\",\"A\"\r\n");
}

TEST(MaterialLibraryFile, MissingLibraryFolderIsAFileErrorAndNothingIsCreated) {
    TempFolder work;
    const Workspace ws(work.path());
    writeLibraryFolder(ws, (work.path() / "absent").string());
    EXPECT_THROW(appendToMaterialLibrary(ws, {stock("PB", "", "18", "1", "1", "1", "")}), FileError);
    EXPECT_FALSE(std::filesystem::exists(work / "absent"));
}

TEST(MaterialLibraryFile, UpdateFromTheGridSortsAndMerges) {
    TempFolder work;
    const Workspace ws(work.path());
    work.write("mlm.dat", "\"OLD\",\"\",\"1\",\"1\",\"1\",\"1\",\"\"\r\n");
    GridTable grid = loadMaterialLibraryGrid(ws);
    EXPECT_EQ(grid.boundFile(), work / "mlm.tlf");
    ASSERT_EQ(grid.rowCount(), 3);
    grid.setCell(2, 1, "ASH");
    grid.setCell(2, 3, "19");
    grid.setCell(2, 6, "2");
    saveMaterialLibrary(ws, grid);
    EXPECT_EQ(work.read("mlm.dat"),
              "\"ASH\",\"\",\"19\",\"\",\"\",\"2\",\"\"\r\n\"OLD\",\"\",\"1\",\"1\",\"1\",\"1\",\"\"\r\n");
}

// Each child process appends its own records one export at a time; with the lock held over the
// whole read-merge-write, every record of both children must be in the library at the end.
TEST(MaterialLibraryFile, TwoProcessesMergingTheSameLibraryLoseNothing) {
    TempFolder work;
    const Workspace ws(work.path());
    work.write("mlm.dat", "\"BASE\",\"\",\"1\",\"1\",\"1\",\"1\",\"\"\r\n");
    constexpr int kRounds = 25;
    std::vector<pid_t> children;
    for (const char* material : {"AAA", "ZZZ"}) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            int status = 0;
            try {
                for (int i = 1; i <= kRounds; ++i)
                    appendToMaterialLibrary(ws, {stock(material, "", "18", std::to_string(i), "100", "1", "")});
            } catch (...) {
                status = 1;
            }
            _exit(status);
        }
        children.push_back(pid);
    }
    for (pid_t pid : children) {
        int status = -1;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    const auto records = parseStock(work.read("mlm.dat"));
    ASSERT_EQ(records.size(), 1u + 2 * kRounds);
    for (const char* material : {"AAA", "ZZZ"})
        for (int i = 1; i <= kRounds; ++i) {
            const auto found = std::count_if(records.begin(), records.end(), [&](const StockRecord& r) {
                return r[kStockMat] == material && r[kStockLength] == std::to_string(i) && r[kStockQty] == "1";
            });
            EXPECT_EQ(found, 1) << material << " " << i;
        }
}

}  // namespace
}  // namespace veltrix
