// The command-line tool run as a user runs it: exit codes, messages and files.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <sys/wait.h>

#include "support/temp_folder.h"
#include "table/file_ops.h"

namespace veltrix {
namespace {

struct Outcome {
    int code;
    std::string output;  // standard output and error together
};

Outcome veltrix(const std::string& arguments) {
    const std::string command = std::string(VELTRIX_PROGRAM) + " " + arguments + " 2>&1";
    FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) return {-1, {}};
    std::string output;
    std::array<char, 4096> buf{};
    while (std::size_t n = std::fread(buf.data(), 1, buf.size(), pipe)) output.append(buf.data(), n);
    const int status = ::pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

std::string quote(const std::filesystem::path& p) { return "'" + p.string() + "'"; }

const std::string kExample = std::string(VELTRIX_EXAMPLES) + "/workshop";

TEST(Cli, HelpVersionAndUsageErrors) {
    const Outcome help = veltrix("--help");
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.output.find("show JOB"), std::string::npos);
    const Outcome version = veltrix("--version");
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.output.rfind("veltrix ", 0), 0u);
    EXPECT_EQ(veltrix("").code, 2);
    EXPECT_EQ(veltrix("frobnicate").code, 2);
    EXPECT_EQ(veltrix("show").code, 2);
    EXPECT_EQ(veltrix("--workdir /no/such/folder show x.opt").code, 2);
}

TEST(Cli, ShowListsTheTablesAndTheTotalQuantity) {
    const Outcome r = veltrix("--workdir " + quote(kExample) + " show " + quote(kExample + "/kitchen.opt"));
    ASSERT_EQ(r.code, 0) << r.output;
    EXPECT_NE(r.output.find("Sheet Specifications"), std::string::npos);
    EXPECT_NE(r.output.find("RACK A"), std::string::npos);
    EXPECT_NE(r.output.find("WORKTOP END"), std::string::npos);
    // 8+4+4+8+4+3+6+6+3+6+2+5+2+2+2+1+1 pieces.
    EXPECT_NE(r.output.find("Total Qty of Cut-Piece(s): 67"), std::string::npos);
    const Outcome coil = veltrix("show " + quote(kExample + "/roof.dcm"));
    ASSERT_EQ(coil.code, 0);
    EXPECT_NE(coil.output.find("Coil Specifications"), std::string::npos);
}

TEST(Cli, ShowRefusesWhatIsNotAJob) {
    test::TempFolder dir;
    EXPECT_EQ(veltrix("show " + quote(dir / "missing.opt")).code, 2);
    const auto junk = dir.write("junk.opt", std::string("\0\xff\r\n\"\"\"", 7));
    const Outcome r = veltrix("show " + quote(junk));
    EXPECT_EQ(r.code, 0);  // an unreadable job shows as empty tables
    EXPECT_NE(r.output.find("Total Qty of Cut-Piece(s): 0"), std::string::npos);
}

TEST(Cli, ImportExportRoundTrip) {
    test::TempFolder dir;
    const Outcome exported = veltrix("export " + quote(kExample + "/kitchen.opt") + " --sheets " + quote(dir / "s.csv") +
                                 " --cuts " + quote(dir / "c.csv"));
    ASSERT_EQ(exported.code, 0) << exported.output;
    EXPECT_EQ(dir.read("s.csv").substr(0, 15), "LENGTH,WIDTH,QT");
    // A new job from the exported tables, started from the example's Defaults.
    const Outcome imported = veltrix("--workdir " + quote(kExample) + " import " + quote(dir / "new.opt") + " --sheets " +
                                 quote(dir / "s.csv") + " --cuts " + quote(dir / "c.csv"));
    ASSERT_EQ(imported.code, 0) << imported.output;
    const std::string original = test::readFile(kExample + "/kitchen.opt");
    const std::string copy = dir.read("new.opt");
    // Same stock and cut-pieces; the basic details come from Defaults.
    auto section = [](const std::string& text, const std::string& header) {
        const auto b = text.find(header);
        return text.substr(b, text.find("[END]", b) - b);
    };
    EXPECT_EQ(section(copy, "[SHEET.TLF]"), section(original, "[SHEET.TLF]"));
    EXPECT_EQ(section(copy, "[CUT.TLF]"), section(original, "[CUT.TLF]"));
    EXPECT_EQ(section(copy, "[BASIC.TLF]"), section(test::readFile(kExample + "/Defaults"), "[BASIC.TLF]"));
}

TEST(Cli, ImportReportsChangedValuesAndRefusesBadFiles) {
    test::TempFolder dir;
    dir.write("s.csv", "LENGTH,WIDTH,QTY,LOCATION\n2440,1220,5,\"A, B\"\n");
    const Outcome r = veltrix("import " + quote(dir / "j.opt") + " --sheets " + quote(dir / "s.csv"));
    ASSERT_EQ(r.code, 0) << r.output;
    EXPECT_NE(r.output.find("'A, B' stored as 'A B'"), std::string::npos);
    EXPECT_NE(dir.read("j.opt").find("\"A B\""), std::string::npos);
    const std::string before = dir.read("j.opt");
    dir.write("bad.csv", "LENGTH,SHADE\n1,2\n");
    const Outcome bad = veltrix("import " + quote(dir / "j.opt") + " --cuts " + quote(dir / "bad.csv"));
    EXPECT_EQ(bad.code, 2);
    EXPECT_NE(bad.output.find("unknown column SHADE"), std::string::npos);
    EXPECT_EQ(veltrix("import " + quote(dir / "j.opt") + " --cuts " + quote(dir / "none.csv")).code, 2);
    EXPECT_EQ(veltrix("import " + quote(dir / "j.opt")).code, 2);
    // A failed import leaves the job as it was.
    EXPECT_EQ(dir.read("j.opt"), before);
}

}  // namespace
}  // namespace veltrix
