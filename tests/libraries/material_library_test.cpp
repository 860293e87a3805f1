// The material library: merging stock, the shared file, the import of sheets and the export of
// off-cuts; all library operations on damaged files.
#include "libraries/material_library.h"

#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <csignal>
#include <random>

#include "job/job_tables.h"
#include "job/settings.h"
#include "libraries/library_records.h"
#include "libraries/load_products.h"
#include "libraries/offcut_export.h"
#include "libraries/product_library.h"
#include "libraries/sheet_import.h"
#include "support/temp_folder.h"
#include "base/error.h"
#include "table/grid_table.h"
#include "base/workspace.h"

namespace veltrix {
namespace {

using test::TempFolder;

// Records written compactly: fields separated by ",", records by "|".
std::vector<StockRecord> stock(const std::string& compact) {
    std::vector<StockRecord> records;
    std::size_t field = 0;
    records.emplace_back();
    for (char c : compact) {
        if (c == '|') records.emplace_back(), field = 0;
        else if (c == ',') ++field;
        else records.back()[field] += c;
    }
    return records;
}

// The library file text of compact records: every field quoted, CR LF line ends.
std::string file(const std::string& compact) {
    std::string text;
    for (const StockRecord& r : stock(compact)) {
        for (std::size_t i = 0; i < r.size(); ++i) text += (i ? ",\"" : "\"") + r[i] + "\"";
        text += "\r\n";
    }
    return compact.empty() ? "" : text;
}

TEST(MaterialLibraryMerge, EqualStockFoldsTogether) {
    struct Case { const char* name; bool sort; const char* records; const char* merged; };
    const std::vector<Case> cases{
        {"quantities add", false, "PB,,18,800,600,5,RACK A|PB,,18,800,600,-2,RACK A", "PB,,18,800,600,3,RACK A"},
        {"sizes compare by value, texts exactly", false,
         "PB,,18,800,600,1,R|PB,,18.0,800.00,600,2,R|PB,,18,800,600,4,R2|PB,YES,18,800,600,8,R|pb,,18,800,600,16,R",
         "PB,,18,800,600,3,R|PB,,18,800,600,4,R2|PB,YES,18,800,600,8,R|pb,,18,800,600,16,R"},
        {"zero is written empty, text counts 0", false,
         "MDF,,16,2440,1220,4,A|MDF,,16,2440,1220,-4,A|MDF,,16,100,100,X,A|MDF,,16,100,100,2.5,A",
         "MDF,,16,2440,1220,,A|MDF,,16,100,100,2.5,A"},
        {"the scan ends after the block of the material", false,
         "OAK,,19,10,10,1,|OAK,,19,20,20,1,|PB,,18,5,5,1,|OAK,,19,10,10,1,",
         "OAK,,19,10,10,1,|OAK,,19,20,20,1,|PB,,18,5,5,1,|OAK,,19,10,10,1,"},
        {"another material before the first match is passed over", false,
         "OAK,,19,10,10,1,|PB,,18,5,5,1,|OAK,,19,10,10,2,", "OAK,,19,10,10,3,|PB,,18,5,5,1,"},
        {"sorting gathers the material, trims and drops blank records", true,
         "PB,,18,800,600,5,A| ,,,  ,,,|MDF,,16,2440,1220,3,A| PB ,,18,800,600,2,A|mdf,,16,1,1,1,",
         "mdf,,16,1,1,1,|MDF,,16,2440,1220,3,A|PB,,18,800,600,7,A"}};  // LENGTH as text: "1" before "2440"
    for (const Case& c : cases) {
        std::vector<StockRecord> records = stock(c.records);
        c.sort ? sortAndMergeStock(records) : mergeStock(records);
        EXPECT_EQ(stockText(records), file(c.merged)) << c.name;
    }
}

TEST(MaterialLibraryFile, MergedInTheLibraryFolderUnlessARecordIsDamaged) {
    TempFolder work;
    const Workspace ws(work.path());
    // Damaged records are named and nothing is rewritten: a short line, an unbalanced quote that
    // would shift QTY to the location, an extra column, a quantity no number can hold.
    const std::string damaged = file("PB,,18,800,600,5,A|,,,,,,") + "\"PB\",\"\",\"18\"\n" +
                                "\"PB\",\"\",\"18\",\"2800\",\"2070,\"5\",\"RACK A\"\r\n" +
                                "\"MDF\",\"\",\"16\",\"2440\",\"1220\",\"3\",\"A\",\"X\"\r\n" +
                                file("PB,,18,1,1,1e39,A|PB,,18,1,1,3e38,A");
    work.write("lib/mlm.dat", damaged);
    writeLibraryFolder(ws, (work / "lib").string());
    try {
        mergeMaterialLibrary(ws);
        ADD_FAILURE() << "a damaged library was rewritten";
    } catch (const InputError& e) {
        const std::string message = e.what();
        for (const char* named : {"line 3: 3 fields where 7 belong", "line 4: text follows the closing quote of field 5",
                                  "line 5: 8 fields where 7 belong", "line 6: QTY 1e39 is beyond"})
            EXPECT_NE(message.find(named), std::string::npos) << named << "\n" << message;
        EXPECT_EQ(message.find("line 7"), std::string::npos) << message;
    }
    EXPECT_THROW(appendToMaterialLibrary(ws, stock("PB,,18,1,1,1,")), InputError);
    EXPECT_EQ(work.read("lib/mlm.dat"), damaged);
    // Quantities that add up beyond any number leave the library as it was too.
    work.write("lib/mlm.dat", file("PB,,18,1,1,3e38,A|PB,,18,1,1,3e38,A"));
    EXPECT_THROW(mergeMaterialLibrary(ws), InputError);
    EXPECT_EQ(work.read("lib/mlm.dat"), file("PB,,18,1,1,3e38,A|PB,,18,1,1,3e38,A"));

    work.write("lib/mlm.dat", file("PB,,18,800,600,5,A|,,,,,,") + "\r\n" + file("MDF,,16,2440,1220,3,A|PB,,18.0,800,600,-5,A"));
    mergeMaterialLibrary(ws);
    EXPECT_EQ(work.read("lib/mlm.dat"), file("MDF,,16,2440,1220,3,A|PB,,18,800,600,,A"));
    EXPECT_FALSE(std::filesystem::exists(work / "mlm.dat"));
    // (The library window's Update into the library folder is driven through the window, tests/ui.)
    // A library folder that is not there: an error, and nothing created.
    writeLibraryFolder(ws, (work / "absent").string());
    EXPECT_THROW(appendToMaterialLibrary(ws, stock("PB,,18,1,1,1,")), FileError);
    EXPECT_FALSE(std::filesystem::exists(work / "absent"));
}

// Each child process appends its own records one export at a time; with the lock held over the
// whole read-merge-write, every record of both children must be in the library at the end.
TEST(MaterialLibraryFile, TwoProcessesMergingTheSameLibraryLoseNothing) {
    TempFolder work;
    const Workspace ws(work.path());
    work.write("mlm.dat", file("BASE,,1,1,1,1,"));
    constexpr int kRounds = 25;
    std::vector<pid_t> children;
    for (const char* material : {"AAA", "ZZZ"}) {
        const pid_t pid = fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            int status = 0;
            try {
                for (int i = 1; i <= kRounds; ++i)
                    appendToMaterialLibrary(ws, stock(std::string(material) + ",,18," + std::to_string(i) + ",100,1,"));
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
        for (int i = 1; i <= kRounds; ++i)
            EXPECT_EQ(std::count(records.begin(), records.end(), stock(std::string(material) + ",,18," + std::to_string(i) + ",100,1,")[0]), 1)
                << material << " " << i;
}

// The lock beside the library is taken even when this user may not write the lock file (another
// user's, mode 0644); where no lock can be had at all (a folder in its place) the library is not
// written. A library reached through a link is updated at its target and the link stays.
TEST(MaterialLibraryFile, NeverWrittenUnlockedAndUpdatedThroughALink) {
    namespace fs = std::filesystem;
    TempFolder work;
    const Workspace ws(work.path());
    work.write("shared/mlm.dat", file("PB,,18,1,1,1,"));
    fs::create_symlink(work / "shared/mlm.dat", work / "mlm.dat");
    fs::permissions(work.path(), fs::perms::all);
    fs::permissions(work / "shared", fs::perms::all);
    fs::permissions(work / "shared/mlm.dat", fs::perms::all);
    work.write("shared/mlm.dat.lock", "");
    fs::permissions(work / "shared/mlm.dat.lock", fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);

    // This process holds the lock while a second writer, who may only read the lock file, exports.
    const int held = ::open((work / "shared/mlm.dat.lock").c_str(), O_RDONLY);
    ASSERT_GE(held, 0);
    ASSERT_EQ(::flock(held, LOCK_EX), 0);
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::close(held);  // the lock belongs to this process's parent alone
        // As root the read-only mode would not hold: the writer becomes another user.
        if (geteuid() == 0 && setuid(65534) != 0) _exit(3);
        try {
            appendToMaterialLibrary(ws, stock("PB,,18,2,2,1,"));
        } catch (...) {
            _exit(1);
        }
        _exit(0);
    }
    usleep(300000);
    int status = -1;
    EXPECT_EQ(waitpid(pid, &status, WNOHANG), 0) << "the second writer did not wait for the lock";
    EXPECT_EQ(work.read("shared/mlm.dat"), file("PB,,18,1,1,1,"));
    ::close(held);
    for (int waited = 0; waitpid(pid, &status, WNOHANG) == 0; ++waited) {
        if (waited == 100) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            FAIL() << "the second writer never got the lock";
        }
        usleep(100000);
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(work.read("shared/mlm.dat"), file("PB,,18,1,1,1,|PB,,18,2,2,1,"));
    EXPECT_TRUE(fs::is_symlink(work / "mlm.dat"));

    fs::remove(work / "shared/mlm.dat.lock");
    fs::create_directory(work / "shared/mlm.dat.lock");
    try {
        mergeMaterialLibrary(ws);
        ADD_FAILURE() << "merged without a lock";
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find("cannot be locked"), std::string::npos) << e.what();
    }
    EXPECT_THROW(appendToMaterialLibrary(ws, stock("PB,,18,9,9,1,")), FileError);
    EXPECT_EQ(work.read("shared/mlm.dat"), file("PB,,18,1,1,1,|PB,,18,2,2,1,"));
}

// The example library's MEL OAK sizes come out through the command line (tests/cli, "mlm import");
// here the block rule and the letter case.
TEST(SheetImport, TakesTheFirstBlockOfTheMaterialGrainAndThicknessValue) {
    TempFolder work;
    GridTable basic = makeBasicGrid();
    basic.loadText("\"PB\",\"\",\"18.0\"");
    EXPECT_TRUE(librarySheetsFor(Workspace(work.path()), basic).empty());  // no library file
    // A second block of the material after another material is not reached; letter case counts.
    const auto library = stock("PB,,18,2440,1220,5,R1|PB,,18.0,1830,1220,2,R2|MDF,,18,1,1,1,|PB,,18,3050,1830,7,R6");
    EXPECT_EQ(stockForMaterial(library, "PB", "", 18.0f), stock("PB,,18,2440,1220,5,R1|PB,,18.0,1830,1220,2,R2"));
    EXPECT_TRUE(stockForMaterial(library, "pb", "", 18.0f).empty());
}

TEST(OffcutExport, OffcutsInConsumedSheetsOutAllInOneMerge) {
    EXPECT_TRUE(exportAllowed(true, StockMode::Sheet) && !exportAllowed(false, StockMode::Sheet) &&
                !exportAllowed(true, StockMode::Coil));
    TempFolder work;
    const Workspace ws(work.path());
    work.write("mlm.dat", file("PB,,18,2440,1220,5,RACK A|PB,,18,602.5,300,1,|PB,,18,1830,1220,1,RACK B"));
    GridTable offcuts(offcutKeys());
    offcuts.loadText("1,602.5,300,2,\"\"\r\n2,500,90,1,\"SCRAP\"\r\n");
    GridTable basic = makeBasicGrid();
    basic.loadText("\"PB\",\"\",\"18\"");
    const std::string used = "\"2440\",\"1220\",\"3\",\"RACK A\"\r\n\"1830\",\"1220\",\"1\",\"RACK B\"\r\n";
    EXPECT_EQ(exportRecords("PB", "", "18", offcuts, used),
              stock("PB,,18,602.5,300,2,|PB,,18,500,90,1,SCRAP|PB,,18,2440,1220,-3,RACK A|PB,,18,1830,1220,-1,RACK B"));
    EXPECT_EQ(exportRecordsToLibrary(ws, basic, offcuts, used), 4u);
    // 5 - 3 sheets left in RACK A; RACK B used up (empty QTY); the kept off-cut 1 + 2; the scrap apart.
    EXPECT_EQ(work.read("mlm.dat"),
              file("PB,,18,1830,1220,,RACK B|PB,,18,2440,1220,2,RACK A|PB,,18,500,90,1,SCRAP|PB,,18,602.5,300,3,"));
}

// Library files damaged by hand or by a failing disk: the operations give a result or a clear
// error, never a crash, and what they write reads back as it was written.
// Bytes that favour the characters table files are made of.
std::string garbage(std::mt19937& random, std::size_t length) {
    static const std::string common = "\",\r\n 0123456789.-ABC";
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
        const auto r = random();
        text += (r % 3 == 0) ? static_cast<char>(r >> 8) : common[(r >> 8) % common.size()];
    }
    return text;
}

TEST(DamagedLibraries, OperationsNeverCrashAndMergeIsStable) {
    std::mt19937 random(20240607);
    for (int round = 0; round < 60; ++round) {
        test::TempFolder work;
        const Workspace ws(work.path());
        work.write("mlm.dat", garbage(random, 1 + random() % 600));
        work.write("plm.dat", garbage(random, 1 + random() % 600));
        work.write("Defaults", garbage(random, random() % 300));

        // A damaged library is refused as it stands; one that merges merges to a stable file.
        const std::string before = work.read("mlm.dat");
        try {
            mergeMaterialLibrary(ws);
            const std::string merged = work.read("mlm.dat");
            mergeMaterialLibrary(ws);
            EXPECT_EQ(work.read("mlm.dat"), merged) << "round " << round;
            for (const auto& record : parseStock(merged)) EXPECT_FALSE(recordBlank(record));
        } catch (const InputError&) {
            EXPECT_EQ(work.read("mlm.dat"), before) << "round " << round;
        }

        GridTable basic = makeBasicGrid();
        basic.setCell(1, kMat, garbage(random, 3));
        for (const auto& record : librarySheetsFor(ws, basic)) EXPECT_EQ(record[kStockMat], basic.cell(1, kMat));

        rebuildProductList(ws);
        const auto names = productNames(parseProducts(work.read("plm.dat")));
        EXPECT_EQ(readProductList(ws).size(), names.size()) << "round " << round;

        const auto order = readOrderFile(work.write("order.tlf", garbage(random, 200)));
        try {
            for (const auto& file : loadProducts(ws, order, "G", ".OPT").files) EXPECT_TRUE(std::filesystem::exists(file));
        } catch (const FileError&) {
            // A material name holding a slash makes no file name; the message names the file.
        } catch (const InputError&) {
            // An order line with an unknown product or a quantity that is no number of products.
        }
        try {
            readOrderFile(work.write("order.csv", garbage(random, 200)));
        } catch (const InputError&) {
        }
    }
}

}  // namespace
}  // namespace veltrix
