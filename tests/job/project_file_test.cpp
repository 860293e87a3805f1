// Project files, the cutting plan as stored, and the job document read from and written to them.
#include "job/project_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <random>

#include "job/document.h"
#include "support/temp_folder.h"
#include "base/error.h"
#include "base/file_ops.h"

namespace veltrix {
namespace {

using test::TempFolder;
using Lines = std::vector<std::string>;

// Valid, but not as this system writes it: blanks around fields, numbers unquoted, a second basic
// record, trailing blanks, a blank sheet row, options and plan numbers in other forms.
const std::string kForeignProject =
    "[BASIC.TLF]\r\n \"PB\" ,\"\", 18,3100 ,\"0\",3.2,\"0\",\"\"  \r\n\"MDF\",\"\",\"16\",\"3100\",\"0\",\"3\",\"0\",\"\"\r\n[END]\r\n"
    "[OPTIONS.TLF]\r\n -1 , 0\r\n[END]\r\n"
    "[SHEET.TLF]\r\n2440,1220,20,12,12,12,12,\"RACK A\"\r\n\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\r\n[END]\r\n"
    "[CUT.TLF]\r\n720,,,,,560,,,,,6,,\"SIDE\",,,,\r\n[END]\r\n"
    "[DIA.TLF]\r\n1, -1,1,0,0,1220,2440,1.0,0\r\n1,1,1,12,12,576.2,737.2,1,2\r\n[END]\r\n";

// The text with one part replaced.
std::string replaced(std::string text, const std::string& part, const std::string& by) {
    return text.replace(text.find(part), part.size(), by);
}

TEST(ProjectFile, SectionsByPositionHeadersSkippedShortFilesFilledUp) {
    const Project p = parseProject("[ANYTHING]\r\nb\r\n[END]\r\nwhatever\r\no\r\n\r\n[END]\n[SHEET.TLF]\r\n\"A\"\r\n\"B\"");
    EXPECT_EQ(p[kBasicSection], (Lines{"b"}));
    EXPECT_EQ(p[kOptionsSection], (Lines{"o", ""}));
    EXPECT_EQ(p[kSheetSection], (Lines{"\"A\"", "\"B\""}));  // never closed: the rest of the file
    EXPECT_TRUE(p[kResultSection].empty());
    EXPECT_EQ(projectText(p), "[BASIC.TLF]\r\nb\r\n[END]\r\n[OPTIONS.TLF]\r\no\r\n\r\n[END]\r\n[SHEET.TLF]\r\n\"A\"\r\n"
                              "\"B\"\r\n[END]\r\n[CUT.TLF]\r\n[END]\r\n[DIA.TLF]\r\n[END]\r\n");
    // Binary garbage: sections that write and read back alike, through a document unchanged.
    std::mt19937 gen(3);
    for (int i = 0; i < 300; ++i) {
        std::string junk;
        for (int j = 0; j < 200; ++j) junk += static_cast<char>(gen() % 7 == 0 ? '\n' : gen() & 0xff);
        const Project once = parseProject(junk + (i % 3 == 0 ? "\r\n[END]\r\n" : ""));
        EXPECT_EQ(parseProject(projectText(once)).sections, once.sections);
        EXPECT_EQ(projectOfDocument(documentOfProject(once, StockMode::Coil)).sections, once.sections);
    }
}

TEST(Plan, ItemsReadTypedAndWriteBackInTableForm) {
    const Plan plan = parsePlan("1,-1,1,0,0,1220,2440,2,0\r\n1,3,1,10,10,414.5,614,2,1\n2,-6,1\r\n0,600,2440,600,1,0");
    // Fields run on across line ends. (The published plans are read and written byte for byte by
    // the conformance tests; here the forms they do not hold.)
    ASSERT_EQ(plan.items.size(), 3u);
    EXPECT_EQ(plan.items[1], (LayoutItem{1, pieceKind(3), 1, 10, 10, 414.5f, 614, 2, Placement::Lengthwise}));
    EXPECT_EQ(plan.layoutCount(), 2);
    EXPECT_EQ(planText(plan),
              "1,-1,1,0,0,1220,2440,2,0\r\n1,3,1,10,10,414.5,614,2,1\r\n2,-6,1,0,600,2440,600,1,0\r\n");
    EXPECT_EQ(planText(parsePlan(".5,-4,1,0.25,1e2,-0.0,7,1,0\r\n")), "0,-4,1,.25,100,0,7,1,0\r\n");
    EXPECT_TRUE(parsePlan("").empty());
    // Blank lines hold no item and shift nothing.
    EXPECT_EQ(parsePlan("\r\n1,-1,1,0,0,10,20,1,0\r\n  \r\n1,2,1,0,0,5,5,1,1\r\n\r\n").items.size(), 2u);
}

TEST(Plan, WholeNumberFieldsRoundHalvesToEvenAndTextReadsAsZero) {
    const Plan plan = parsePlan("2.5,-3.5,x,abc,1.5mm,,7,1.5,2.5\r\n2147483648,12abc,2147483647.4,0,0,0,0,0,1\r\n");
    ASSERT_EQ(plan.items.size(), 2u);
    EXPECT_EQ(plan.items[0], (LayoutItem{2, ItemKind::Offcut, 0, 0, 1.5f, 0, 7, 1.5f, Placement::Turned}));
    EXPECT_EQ(layoutItemRecord(plan.items[0]), "2,-4,0,0,1.5,0,7,1.5,2");
    EXPECT_EQ(plan.items[1].layout, 0);  // out of range
    EXPECT_EQ(plan.items[1].piece(), 12);
    EXPECT_EQ(plan.items[1].sheet, 2147483647);
}

TEST(Document, AProjectReadAndWrittenUnchangedKeepsEveryByte) {
    TempFolder dir;
    const auto path = dir.write("foreign.opt", kForeignProject);
    Document doc = readDocument(path);
    EXPECT_EQ(doc.mode, StockMode::Sheet);
    const Job job = doc.job();
    EXPECT_EQ(job.basic.kerf, 3.2f);
    ASSERT_EQ(job.stock.size(), 2u);  // the blank row stays a row of zeros
    EXPECT_EQ(job.stock[0], (StockRow{2440, 1220, 20, 12, 12, 12, 12, "RACK A"}));
    EXPECT_EQ(job.stock[1], StockRow{});
    ASSERT_EQ(job.cuts.size(), 1u);
    EXPECT_EQ(job.cuts[0].quantity, 6);
    EXPECT_EQ(job.objective.mode(), OptimizationMode::MaximumYield);
    ASSERT_EQ(doc.plan.items.size(), 2u);
    EXPECT_EQ(doc.plan.items[1].placement, Placement::Turned);
    writeDocument(doc, dir / "again.opt");
    EXPECT_EQ(dir.read("again.opt"), kForeignProject);
    EXPECT_TRUE(doc.path == path && !doc.changed);  // left to the caller
    int examples = 0;  // and every example project as it comes
    for (const auto& entry : std::filesystem::recursive_directory_iterator(VELTRIX_EXAMPLES)) {
        const std::string ext = toLower(entry.path().extension().string());
        if (ext != ".opt" && ext != ".dcm" && entry.path().filename() != "Defaults") continue;
        Document example = readDocument(entry.path());
        writeDocument(example, dir / "saved");
        EXPECT_EQ(dir.read("saved"), test::readFile(entry.path())) << entry.path();
        ++examples;
    }
    EXPECT_GE(examples, 3);
}

TEST(Document, ChangedSectionsAreWrittenAsTheGridsAndThePlanWriteThem) {
    TempFolder dir;
    Document doc = readDocument(dir.write("foreign.opt", kForeignProject));
    doc.tables.cuts.setCell(1, kCutQty, "7");
    doc.objective.flip();
    doc.plan.items.pop_back();
    writeDocument(doc, dir / "changed.opt");
    std::string expected = replaced(kForeignProject, " -1 , 0", "0,-1");
    expected = replaced(expected, "720,,,,,560,,,,,6,,\"SIDE\",,,,",
                        "\"720\",\"\",\"\",\"\",\"\",\"560\",\"\",\"\",\"\",\"\",\"7\",\"\",\"SIDE\",\"\",\"\",\"\",\"\"");
    expected = replaced(expected, "1, -1,1,0,0,1220,2440,1.0,0\r\n1,1,1,12,12,576.2,737.2,1,2", "1,-1,1,0,0,1220,2440,1,0");
    EXPECT_EQ(dir.read("changed.opt"), expected);
    // What was written is now what is stored: a second write changes nothing.
    doc.tables.basic.setCell(1, kMat, "PB");
    writeDocument(doc, dir / "changed.opt");
    EXPECT_EQ(dir.read("changed.opt"), expected);
    doc.tables.basic.setCell(1, kNote, "NEW");
    writeDocument(doc, dir / "changed.opt");
    const std::string basic = expected.substr(0, expected.find("[OPTIONS.TLF]"));
    EXPECT_EQ(dir.read("changed.opt"),
              replaced(expected, basic, "[BASIC.TLF]\r\n\"PB\",\"\",\"18\",\"3100\",\"0\",\"3.2\",\"0\",\"NEW\"\r\n[END]\r\n"));
}

TEST(Document, EmptySectionsStayEmptyAndDcmInAnyLetterCaseIsCoilMode) {
    TempFolder dir;
    const std::string defaults = "[BASIC.TLF]\r\n\"\",\"\",\"18\"\r\n[END]\r\n[OPTIONS.TLF]\r\n[END]\r\n"
                                 "[SHEET.TLF]\r\n[END]\r\n[CUT.TLF]\r\n[END]\r\n[DIA.TLF]\r\n[END]\r\n";
    const std::vector<std::pair<const char*, bool>> names{
        {"Defaults", false}, {"roof.DcM", true}, {"roof.dcm", true}, {"a.dcm.opt", false}, {"b.DCM", true}};
    for (const auto& [name, coil] : names) {
        Document doc = readDocument(dir.write(name, defaults));
        EXPECT_EQ(doc.mode, coil ? StockMode::Coil : StockMode::Sheet) << name;
        EXPECT_EQ(doc.tables.sheets.isHidden(kSheetQty), coil) << name;
        EXPECT_TRUE(doc.plan.empty());
        EXPECT_TRUE(doc.job().stock.empty() && doc.job().cuts.empty());
        writeDocument(doc, dir / "out");
        EXPECT_EQ(dir.read("out"), defaults) << name;
    }
}

TEST(Document, FailuresThrowAndASaveThatFailsHalfWayKeepsThePreviousFile) {
    TempFolder dir;
    const auto path = dir.write("job.opt", kForeignProject);
    Document doc = readDocument(path);
    doc.tables.cuts.setCell(1, kCutDescription, "LONGER");
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit small{100, limit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    EXPECT_THROW(writeDocument(doc, path), FileError);
    setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_EQ(test::readFile(path), kForeignProject);
}

}  // namespace
}  // namespace veltrix
