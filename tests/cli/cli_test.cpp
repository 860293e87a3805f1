// The command-line tool run as a user runs it, as one table: command line -> exit code, what the
// standard output and error say, and the files written. Each case runs in a fresh copy of the
// example working folder ({work}). Expected files come from independently
// worked-out data (the conformance layouts, the report cases), never from this program's output.

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <array>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "job/project_file.h"
#include "support/temp_folder.h"

namespace veltrix {
namespace {

namespace fs = std::filesystem;
using test::TempFolder;

struct Outcome {
    int code = -1;
    std::string out, err;
};

std::string expand(std::string text, const TempFolder& work) {
    for (std::size_t at; (at = text.find("{work}")) != std::string::npos;) text.replace(at, 6, work.path().string());
    return text;
}

// A file of the conformance data (tests/data/conformance).
fs::path conformance(const std::string& name) { return fs::path(VELTRIX_TEST_DATA) / "conformance" / name; }

Outcome veltrix(const std::string& arguments, const TempFolder& work) {
    const std::string command = std::string(VELTRIX_PROGRAM) + " --workdir '" + work.path().string() + "' " +
                                expand(arguments, work) + " >'" + (work / ".out").string() + "' 2>'" +
                                (work / ".err").string() + "' </dev/null";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, work.read(".out"), work.read(".err")};
}

// A further command line run in the case's folder: its exit code and a text of its standard error.
void expectRun(const TempFolder& work, const std::string& args, int code, const std::string& err) {
    const Outcome run = veltrix(args, work);
    EXPECT_EQ(run.code, code) << args << "\n" << run.err;
    EXPECT_NE(run.err.find(err), std::string::npos) << args << "\n" << run.err;
}

// The job `name` of the conformance data with its published layout result as fifth section.
std::string optimizedConformanceJob(const std::string& name, const std::string& extension) {
    Project project = parseProject(test::readFile(conformance(name + extension)));
    project.setText(kResultSection, test::readFile(conformance(name + ".dia.tlf")));
    return projectText(project);
}

std::string section(const std::string& projectFileText, ProjectSection s) {
    return parseProject(projectFileText).text(s);
}

struct Case {
    std::string name;
    std::function<void(const TempFolder&)> setup;  // files besides the example folder
    std::string args;
    int exit;
    std::vector<std::string> out;  // texts the standard output holds
    std::vector<std::string> err;  // texts the standard error holds
    std::function<void(const TempFolder&, const Outcome&)> check;
};

void example(const TempFolder& work) {
    for (const auto& entry : fs::directory_iterator(fs::path(VELTRIX_EXAMPLES) / "workshop"))
        fs::copy_file(entry.path(), work / entry.path().filename().string());
}

// A report case: the working folder holds only the case's own settings files.
void reportCase(const TempFolder& work, const std::string& folder, const std::string& job, const std::string& ext) {
    for (const auto& entry : fs::directory_iterator(work.path())) fs::remove(entry.path());
    const fs::path data = fs::path(VELTRIX_TEST_DATA) / "reports" / folder / "workdir";
    if (fs::exists(data))
        for (const auto& entry : fs::directory_iterator(data))
            fs::copy_file(entry.path(), work / entry.path().filename().string(), fs::copy_options::overwrite_existing);
    work.write(job + ext, optimizedConformanceJob(job, ext));
}

// The cabinet job with its published plan, in the example working folder.
void optimizedCabinet(const TempFolder& work) { work.write("cabinet.opt", optimizedConformanceJob("cabinet", ".opt")); }

// The job text with one field of the first layout item replaced (fields counted from 1).
std::string damagedFirstItem(std::string job, int field, const std::string& value) {
    std::size_t at = job.find("[DIA.TLF]\r\n") + 11;
    for (int f = 1; f < field; ++f) at = job.find(',', at) + 1;
    return job.replace(at, job.find_first_of(",\r", at) - at, value);
}

// Replaces the first `from` of the text by `to`.
std::string replaced(std::string text, const std::string& from, const std::string& to) {
    return text.replace(text.find(from), from.size(), to);
}

std::size_t occurrences(const std::string& text, const std::string& part) {
    std::size_t n = 0;
    for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
    return n;
}

std::vector<Case> cases() {
    std::vector<Case> list{
        {"help", {}, "--help", 0, {"usage: veltrix", "optimize JOB", "exit codes"}, {}, {}},
        {"version", {}, "--version", 0, {"veltrix "}, {}, {}},
        {"no command", {}, "", 2, {}, {"usage: veltrix"}, {}},
        {"unknown command", {}, "frobnicate", 2, {}, {"unknown command 'frobnicate'"}, {}},
        {"bad option", {}, "optimize kitchen.opt --efficiency 0", 2, {}, {"--efficiency"}, {}},
        {"show", {}, "show {work}/kitchen.opt", 0,
         {"(sheet mode)", "Objective: Maximum Yield", "MEL OAK", "RACK C", "WORKTOP END",
          "Total Qty of Cut-Piece(s): 67"}, {}, {}},
        {"report of a job never optimized", {}, "report {work}/kitchen.opt", 1, {},
         {"This file was not optimized."}, {}},
        {"optimize: nothing to cut", [](const TempFolder& w) {
             w.write("empty.opt", "[BASIC.TLF]\r\n\"PB\",\"\",\"18\",\"3000\",\"0\",\"4\",\"0\",\"\"\r\n[END]\r\n");
         },
         "optimize {work}/empty.opt", 1, {}, {"No valid SHEETS specified."}, {}},
        {"optimize: a piece larger than every sheet fails and writes nothing",
         [](const TempFolder& w) {
             w.write("kitchen.opt", replaced(w.read("kitchen.opt"), "\"2100\",\"1\"", "\"9999\",\"1\""));
             w.write("kept.opt", "an earlier output");
         },
         "optimize {work}/kitchen.opt --efficiency 1 -o {work}/kept.opt", 1, {}, {"Optimization failed."},
         [](const TempFolder& w, const Outcome&) { EXPECT_EQ(w.read("kept.opt"), "an earlier output"); }},
        {"optimize --deep wins on mixed stock: two large sheets instead of three",
         [](const TempFolder& w) { fs::copy_file(conformance("mixed_stock.opt"), w / "mixed.opt"); },
         "optimize {work}/mixed.opt --efficiency 4 --deep", 0,
         {"Optimization done.\nTotal Layouts: 2\nOverall Yield: 68.41\nDeep search: best with sheet rows 2\n"}, {}, {}},
        {"optimize --deep is not continued", {}, "optimize {work}/kitchen.opt --deep --stop-after 3", 2, {},
         {"deep search"}, {}},
        {"optimize: a continuation needs a stored plan", {}, "optimize {work}/kitchen.opt --continue-from 3", 2, {},
         {"--continue-from"}, {}},
        {"draw: one PDF page per layout", optimizedCabinet,
         "draw {work}/cabinet.opt -o {work}/layouts.pdf", 0, {"3 layout(s) drawn"}, {},
         [](const TempFolder& w, const Outcome&) {
             EXPECT_EQ(w.read("layouts.pdf").rfind("%PDF", 0), 0u);
             EXPECT_EQ(occurrences(w.read("layouts.pdf"), "/Type /Page\n"), 3u);
         }},
        {"draw: a layout that is not there", optimizedCabinet,
         "draw {work}/cabinet.opt --layout 9 -o {work}/x.png", 2, {}, {"no layout 9", "1 to 3"}, {}},
        {"draw: an output of another kind", {}, "draw {work}/kitchen.opt -o {work}/x.bmp", 2, {}, {".pdf, .png or .svg"},
         {}},
        {"dxf: one file per layout", optimizedCabinet,
         "dxf {work}/cabinet.opt -o {work}/cut.dxf", 0, {"3 Layout(s) exported as DXF file(s)!"}, {},
         [](const TempFolder& w, const Outcome&) {
             for (const char* f : {"cut_1-3.dxf", "cut_2-3.dxf", "cut_3-3.dxf"}) {
                 const std::string dxf = w.read(f);
                 EXPECT_NE(dxf.find("ENTITIES"), std::string::npos) << f;
                 EXPECT_NE(dxf.find("LINE"), std::string::npos) << f;
             }
         }},
        {"labels of a range", optimizedCabinet,
         "labels {work}/cabinet.opt --from 2 --to 3", 0, {"lbl.htm"}, {},
         [](const TempFolder& w, const Outcome&) {
             // Layouts 2 and 3 of the plan: 2 + 2 sides, 6 doors, 2 + 2 rails, the top, 2 fillers; no shelves.
             EXPECT_EQ(occurrences(w.read("lbl.htm"), "LENGTH   :"), 17u);
             EXPECT_EQ(occurrences(w.read("lbl.htm"), "SHELF"), 0u);
         }},
        {"labels outside the plan", optimizedCabinet,
         "labels {work}/cabinet.opt --from 3 --to 2", 2, {}, {"from 1 to 3"}, {}},
        {"cnc: the published instructions and their key events", optimizedCabinet,
         "cnc {work}/cabinet.opt --layout 1 --events", 0, {}, {},
         [](const TempFolder& w, const Outcome& run) {
             EXPECT_EQ(run.out, test::readFile(conformance("cnc/cabinet-1.events.txt")));
             // The table of the listing's ROW lines, also as controller.tlf in the working folder.
             std::string table;
             for (const auto& [code, position, repeat, name] : std::vector<std::array<const char*, 4>>{
                      {"4", "720", "1", "Rip Cut"}, {"5", "560", "2", "Cross Cut"}, {"4", "1686", "1", "Rip Cut"},
                      {"5", "564", "1", "Cross Cut"}, {"6", "560", "2", "Recut Z"}, {"5", "564", "1", "Cross Cut"},
                      {"6", "560", "2", "Recut Z"}})
                 table += "\"" + std::string(code) + "\",\"" + position + "\",\"" + repeat + "\",\"" + name + "\"\r\n";
             EXPECT_EQ(w.read("controller.tlf"), table);
         }},
        {"cnc: a layout that is not in the plan is the job's failure", optimizedCabinet,
         "cnc {work}/cabinet.opt --layout 4", 1, {}, {"layout 4 is not in the result (layouts 1 to 3)"},
         [](const TempFolder& w, const Outcome&) { expectRun(w, "cnc {work}/kitchen.opt --layout 1", 1,
                                                             "This file was not optimized."); }},
        {"convert", {}, "convert '1 1/2' --from in --to mm", 0, {"38.1000\n"}, {}, {}},
        {"convert: an unknown unit", {}, "convert 3 --from yd --to mm", 2, {}, {"unknown unit \"yd\""}, {}},
        {"import, then export gives the same rows",
         [](const TempFolder& w) {
             w.write("cuts.csv", "LENGTH,WIDTH,QTY,DESCRIPTION,ALIGN\r\n720,560,2,side,yes\r\n300,200,4,\"sh,elf\",no\r\n");
         },
         "import {work}/new.opt --cuts {work}/cuts.csv", 0, {"Imported into"}, {"'sh,elf' stored as 'SHELF'"},
         [](const TempFolder& w, const Outcome&) {
             const std::string cuts = section(w.read("new.opt"), kCutSection);
             EXPECT_NE(cuts.find("\"720\",\"\",\"\",\"\",\"\",\"560\",\"\",\"\",\"\",\"\",\"2\",\"YES\",\"SIDE\""),
                       std::string::npos);
             // The new job took the basic details of Defaults.
             EXPECT_EQ(section(w.read("new.opt"), kBasicSection), section(w.read("Defaults"), kBasicSection));
         }},
        {"mlm import keeps the job's trim margins and names the rows it replaces", {}, "mlm import {work}/kitchen.opt", 0,
         {"4 size(s) imported from MLM\nReplaced: 2800 x 2070 RACK A, 2440 x 1220 RACK B, 3050 x 1300 RACK C\n"}, {},
         [](const TempFolder& w, const Outcome&) {
             const std::string sheets = section(w.read("kitchen.opt"), kSheetSection);
             EXPECT_NE(sheets.find("\"2440\",\"1220\",\"10\",\"10\",\"10\",\"10\",\"10\",\"RACK B\""), std::string::npos)
                 << sheets;
             EXPECT_NE(sheets.find("\"1200\",\"640\",\"1\",\"10\",\"10\",\"10\",\"10\",\"OFFCUT 1\""), std::string::npos)
                 << sheets;
         }},
        {"an output naming the job itself is refused, also through a link",
         [](const TempFolder& w) {
             optimizedCabinet(w);
             fs::create_symlink(w / "cabinet.opt", w / "link.htm");
             fs::create_symlink(w / "cabinet.opt", w / "link.pdf");
         },
         "report {work}/cabinet.opt -o {work}/cabinet.opt", 2, {}, {"is the job itself"},
         [](const TempFolder& w, const Outcome&) {
             EXPECT_EQ(w.read("cabinet.opt"), optimizedConformanceJob("cabinet", ".opt"));
             for (const char* args : {"offcuts {work}/cabinet.opt -o {work}/./cabinet.opt",
                                      "labels {work}/cabinet.opt -o {work}/link.htm",
                                      "export {work}/link.htm --cuts {work}/cabinet.opt",
                                      "draw {work}/cabinet.opt -o {work}/link.pdf"}) {
                 expectRun(w, args, 2, "is the job itself");
                 EXPECT_EQ(w.read("cabinet.opt"), optimizedConformanceJob("cabinet", ".opt")) << args;
                 EXPECT_TRUE(fs::is_symlink(w / "link.htm"));
             }
         }},
        {"optimize writes through a linked job and keeps the link",
         [](const TempFolder& w) {
             fs::create_directory(w / "jobs");
             fs::copy_file(conformance("cabinet.opt"), w / "jobs/cabinet.opt");
             fs::create_symlink("jobs/cabinet.opt", w / "job.opt");
         },
         "optimize {work}/job.opt --efficiency 5", 0, {"Optimization done."}, {},
         [](const TempFolder& w, const Outcome&) {
             EXPECT_TRUE(fs::is_symlink(w / "job.opt"));
             EXPECT_EQ(section(w.read("jobs/cabinet.opt"), kResultSection), test::readFile(conformance("cabinet.dia.tlf")));
         }},
        {"a damaged table line is named by its section and line",
         [](const TempFolder& w) {  // cut-piece rows 2 and 3 (file lines 14 and 15): a field lost, a quote misplaced
             w.write("kitchen.opt", replaced(replaced(w.read("kitchen.opt"), R"("564","","","","","560")", R"("564","","","","560")"),
                                             R"("520","1")", R"("520,"1")"));
         },
         "optimize {work}/kitchen.opt", 1, {},
         {"[CUT.TLF] line 2 (line 14 of the file): 16 fields where 17 belong",
          "[CUT.TLF] line 3 (line 15 of the file): text follows the closing quote of field 6"},
         [](const TempFolder& w, const Outcome&) { EXPECT_EQ(section(w.read("kitchen.opt"), kResultSection), ""); }},
        {"a result section cut short is refused",
         [](const TempFolder& w) {
             const std::string job = optimizedConformanceJob("cabinet", ".opt");
             w.write("cabinet.opt", job.substr(0, job.rfind("3,-1,")));  // layout 3 and the [END] lost
         },
         "report {work}/cabinet.opt", 1, {}, {"[DIA.TLF] section (no [END] line)"}, {}},
        {"optimize: a negative kerf is named", [](const TempFolder& w) {
             w.write("kitchen.opt", replaced(w.read("kitchen.opt"), "\"4\",\"0\",\"ROSSI", "\"-146\",\"0\",\"ROSSI"));
         },
         "optimize {work}/kitchen.opt", 1, {}, {"Basic details: KERF -146 is negative."}, {}},
        {"import: a number the table cannot hold is refused",
         [](const TempFolder& w) {
             w.write("cuts.csv", "LENGTH,WIDTH,QTY\r\n720,560,2\r\n1e39,100,1\r\n");
             w.write("kitchen.before", w.read("kitchen.opt"));
         },
         "import {work}/kitchen.opt --cuts {work}/cuts.csv", 1, {}, {"row 2: the LENGTH '1e39' is not a number"},
         [](const TempFolder& w, const Outcome&) { EXPECT_EQ(w.read("kitchen.opt"), w.read("kitchen.before")); }},
        {"a damaged result is refused by every reader and reaches no library",
         [](const TempFolder& w) {
             w.write("cabinet.opt", damagedFirstItem(optimizedConformanceJob("cabinet", ".opt"), 8, "3e38"));
             w.write("far.opt", damagedFirstItem(optimizedConformanceJob("cabinet", ".opt"), 6, "-3e38"));
             w.write("mlm.before", w.read("mlm.dat"));
         },
         "report {work}/cabinet.opt", 1, {}, {"(line 1): its quantity 3"},
         [](const TempFolder& w, const Outcome&) {
             for (const char* args : {"mlm export {work}/cabinet.opt", "offcuts {work}/cabinet.opt"})
                 expectRun(w, args, 1, "its quantity 3");
             EXPECT_EQ(w.read("mlm.dat"), w.read("mlm.before"));
             expectRun(w, "dxf {work}/far.opt -o {work}/cut.dxf", 1, "(line 1): its coordinate -3");
             EXPECT_FALSE(fs::exists(w / "cut_1-3.dxf"));
         }},
        {"load-products names an unknown product",
         [](const TempFolder& w) { w.write("order.csv", w.read("order.csv") + "SOFA,1,ROSSI\r\n"); },
         "load-products {work}/order.csv --prefix K", 1, {},
         {"Order line 4: the product SOFA is not in the product library."}, {}},
        {"convert: a value that is no length", {}, "convert abc --from mm --to in", 1, {}, {"\"abc\" is not a length"},
         [](const TempFolder&, const Outcome& run) { EXPECT_EQ(run.out, ""); }},
        {"messages say what is wrong in words", {}, "--workdir /etc/passwd show x.opt", 2, {},
         {"the working folder is not a folder: /etc/passwd"},
         [](const TempFolder& w, const Outcome&) {
             expectRun(w, "show /dev/null", 2, "not a regular file");
             w.write("LBl.def", std::string("\x7f" "ELF\x02\x01\x01\0\0\0\x1b[31m", 16));
             optimizedCabinet(w);
             const Outcome binary = veltrix("labels {work}/cabinet.opt", w);
             EXPECT_EQ(binary.code, 2);
             EXPECT_NE(binary.err.find("is not a text file"), std::string::npos) << binary.err;
             for (const char c : binary.err)
                 EXPECT_TRUE((c >= 32 && c < 127) || c == '\n') << "byte " << int(static_cast<unsigned char>(c));
         }},
        {"optimize: a run of many hours is announced",
         [](const TempFolder& w) {
             std::string cuts;
             for (int i = 1; i <= 700; ++i)  // 700 sizes besides the kitchen's 17 varieties
                 cuts += "\"" + std::to_string(100 + i) + R"(","","","","","50","","","","","1","","","","","","")" + "\r\n";
             w.write("many.opt", replaced(replaced(w.read("kitchen.opt"), "[CUT.TLF]\r\n", "[CUT.TLF]\r\n" + cuts), "\"6\",\"10\"", "\"99\",\"10\""));
         },
         "optimize {work}/many.opt --stop-after 1", 0, {"Stopped after iteration 1", "continue with --continue-from 1"},
         {"This job has 717 cut-piece varieties and the run 45888 iterations: it may run for an hour or more"}, {}},
        {"a continuation late in the run keeps the uninterrupted plan and says so",
         [](const TempFolder& w) {
             w.write("kitchen.done", veltrix("optimize {work}/kitchen.opt", w).out);
             w.write("roof.done", veltrix("optimize {work}/roof.dcm", w).out);
         },
         "optimize {work}/kitchen.opt --continue-from 500 -o {work}/k.opt", 0, {}, {},
         [](const TempFolder& w, const Outcome& first) {
             for (const auto& [job, from, out] : std::vector<std::tuple<std::string, std::string, std::string>>{
                      {"kitchen.opt", "", "k.opt"}, {"kitchen.opt", "1000", "k.opt"}, {"kitchen.opt", "1087", "k.opt"},
                      {"roof.dcm", "319", "r.dcm"}}) {
                 const Outcome run = from.empty() ? first
                                                  : veltrix("optimize {work}/" + job + " --continue-from " + from +
                                                                " -o {work}/" + out, w);
                 const std::string done = w.read(job.substr(0, job.find('.')) + ".done");
                 EXPECT_EQ(run.code, 0) << job << " " << from << run.err;
                 EXPECT_EQ(run.out, done) << job << " " << from;
                 EXPECT_EQ(section(w.read(out), kResultSection), section(w.read(job), kResultSection)) << job << " " << from;
             }
         }},
        {"load-products with a prefix that cannot be a file name", {}, "load-products {work}/order.csv --prefix 'a/b'",
         2, {}, {"prefix"}, {}},
    };

    // The published layouts, byte for byte, with the figures the manifest gives.
    for (const auto& [job, ext, efficiency, layouts, yield] :
         std::vector<std::tuple<std::string, std::string, int, int, std::string>>{
             {"cabinet", ".opt", 5, 3, "83.08"}, {"grain_bands", ".opt", 4, 3, "65.83"},
             {"two_sheets_layouts", ".opt", 4, 3, "75.94"}, {"coil", ".dcm", 4, 1, "NA"}, {"merge", ".opt", 5, 2, "55.56"}}) {
        list.push_back({"optimize " + job,
                        [job = job, ext = ext](const TempFolder& w) {
                            fs::copy_file(conformance(job + ext), w / ("job" + ext));
                        },
                        "optimize {work}/job" + ext + " --efficiency " + std::to_string(efficiency) + " -o {work}/out" + ext,
                        0,
                        {"Optimization done.\nTotal Layouts: " + std::to_string(layouts) + "\nOverall Yield: " + yield + "\n"},
                        {},
                        [job = job, ext = ext](const TempFolder& w, const Outcome&) {
                            EXPECT_EQ(section(w.read("out" + ext), kResultSection), test::readFile(conformance(job + ".dia.tlf")));
                            // Only the layout section changed.
                            EXPECT_EQ(section(w.read("out" + ext), kCutSection), section(w.read("job" + ext), kCutSection));
                        }});
    }
    // The report cases: report.tlf on the standard output, offcut.tlf and sheets.Adj in the working folder.
    for (const auto& [folder, job, ext] : std::vector<std::tuple<std::string, std::string, std::string>>{
             {"cabinet-area", "cabinet", ".opt"}, {"grain_bands-banding", "grain_bands", ".opt"},
             {"two_sheets-none", "two_sheets_layouts", ".opt"}, {"coil-weight", "coil", ".dcm"}}) {
        list.push_back({"report " + folder,
                        [folder = folder, job = job, ext = ext](const TempFolder& w) { reportCase(w, folder, job, ext); },
                        "report {work}/" + job + ext + " -o {work}/report.tlf", 0, {}, {},
                        [folder = folder](const TempFolder& w, const Outcome&) {
                            for (const char* f : {"report.tlf", "offcut.tlf", "sheets.Adj"})
                                EXPECT_EQ(w.read(f), test::readFile(fs::path(VELTRIX_TEST_DATA) / "reports" / folder / f)) << f;
                        }});
    }
    return list;
}

TEST(CommandLine, EveryCaseOfTheTable) {
    for (const Case& c : cases()) {
        SCOPED_TRACE(c.name);
        TempFolder work;
        example(work);
        if (c.setup) c.setup(work);
        const Outcome run = veltrix(c.args, work);
        EXPECT_EQ(run.code, c.exit) << "stdout: " << run.out << "\nstderr: " << run.err;
        for (const std::string& text : c.out) EXPECT_NE(run.out.find(text), std::string::npos) << run.out;
        for (const std::string& text : c.err) EXPECT_NE(run.err.find(text), std::string::npos) << run.err;
        if (c.check) c.check(work, run);
    }
}

}  // namespace
}  // namespace veltrix
