// File operations, the working folder and the print-style writer.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include "support/temp_folder.h"
#include "base/error.h"
#include "base/file_ops.h"
#include "base/print_text.h"
#include "base/workspace.h"

namespace veltrix {
namespace {

using test::TempFolder;

// The call fails with a FileError whose message holds `text`.
template <class Call>
void expectFileError(Call call, const std::string& text) {
    try {
        call();
        ADD_FAILURE() << "no error; expected one saying " << text;
    } catch (const FileError& e) {
        EXPECT_NE(std::string(e.what()).find(text), std::string::npos) << e.what();
    }
}

TEST(FileOperations, QueriesNeverThrowWritersReplaceWholeFiles) {
    TempFolder dir;
    EXPECT_FALSE(fileExists(""));
    EXPECT_FALSE(fileExists(dir.path()));  // a folder is not a file
    dir.write("empty.tlf", "");
    EXPECT_TRUE(fileEmptyOrMissing(dir / "empty.tlf"));
    EXPECT_TRUE(fileEmptyOrMissing(dir / "none"));
    EXPECT_THROW(readExistingFile(dir / "none"), FileError);
    writeFileAtomic(dir / "f.tlf", "first");
    writeFileAtomic(dir / "f.tlf", "second");
    EXPECT_EQ(readExistingFile(dir / "f.tlf"), "second");
    EXPECT_FALSE(fileEmptyOrMissing(dir / "f.tlf"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 2);  // no temporary left
    EXPECT_THROW(writeFileAtomic(dir / "missing" / "f.tlf", "x"), FileError);
}

TEST(FileOperations, WritesGoThroughLinksAndNeverReplaceWhatIsNotAFile) {
    namespace fs = std::filesystem;
    TempFolder dir;
    // A link (also a relative one in another folder, also a chain) is written through: the
    // target gets the bytes and the links stay links.
    dir.write("shared/job.opt", "old");
    fs::create_symlink(dir / "shared/job.opt", dir / "link.opt");
    fs::create_directory(dir / "sub");
    fs::create_symlink("../link.opt", dir / "sub/chain.opt");
    writeFileAtomic(dir / "sub/chain.opt", "new");
    EXPECT_TRUE(fs::is_symlink(dir / "link.opt"));
    EXPECT_TRUE(fs::is_symlink(dir / "sub/chain.opt"));
    EXPECT_EQ(dir.read("shared/job.opt"), "new");
    EXPECT_EQ(followLinks(dir / "sub/chain.opt"), dir / "shared/job.opt");
    EXPECT_TRUE(sameFile(dir / "sub/chain.opt", dir / "shared/job.opt"));
    EXPECT_FALSE(sameFile(dir / "link.opt", dir / "sub"));
    EXPECT_FALSE(sameFile(dir / "none", dir / "none"));
    // A link to a file not there yet creates it.
    fs::create_symlink("later.opt", dir / "dangling.opt");
    writeFileAtomic(dir / "dangling.opt", "made");
    EXPECT_EQ(dir.read("later.opt"), "made");
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.opt"));

    // A pipe, a folder and a loop of links are refused and stay what they were.
    ASSERT_EQ(mkfifo((dir / "pipe").c_str(), 0644), 0);
    EXPECT_THROW(writeFileAtomic(dir / "pipe", "x"), FileError);
    EXPECT_TRUE(fs::is_fifo(dir / "pipe"));
    expectFileError([&] { readExistingFile(dir / "pipe"); }, "not a regular file");  // must not wait for a writer
    fs::create_symlink("sub", dir / "to-folder");
    for (const char* name : {"sub", "to-folder"}) {
        expectFileError([&] { writeFileAtomic(dir / name, "x"); }, "folder");
        expectFileError([&] { readExistingFile(dir / name); }, "folder");
        EXPECT_TRUE(fs::is_directory(dir / name)) << name;
    }
    fs::create_symlink("loop-b", dir / "loop-a");
    fs::create_symlink("loop-a", dir / "loop-b");
    EXPECT_THROW(writeFileAtomic(dir / "loop-a", "x"), FileError);
    EXPECT_TRUE(fs::is_symlink(dir / "loop-a"));

    // Several files as one change: when one cannot be written, none is replaced.
    dir.write("a.dxf", "old a");
    EXPECT_THROW(writeFilesAtomic({{dir / "a.dxf", "new a"}, {dir / "sub", "new b"}, {dir / "c.dxf", "new c"}}), FileError);
    EXPECT_EQ(dir.read("a.dxf"), "old a");
    EXPECT_FALSE(fs::exists(dir / "c.dxf"));
    writeFilesAtomic({{dir / "a.dxf", "new a"}, {dir / "c.dxf", "new c"}});
    EXPECT_EQ(dir.read("a.dxf") + dir.read("c.dxf"), "new anew c");
    for (const auto& entry : fs::recursive_directory_iterator(dir.path()))
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
}

TEST(FileOperations, WildcardsIgnoreLetterCase) {
    TempFolder dir;
    for (const char* name : {"a.tlf", "B.TLF", "sheets.Adj", "tlf.txt"}) dir.write(name, "x");
    EXPECT_EQ(deleteMatching(dir.path(), "*.tlf"), 2);
    EXPECT_EQ(deleteMatching(dir.path(), "*.adj"), 1);
    EXPECT_TRUE(fileExists(dir / "tlf.txt"));
    EXPECT_EQ(deleteMatching(dir / "missing-folder", "*"), 0);
    EXPECT_TRUE(wildcardMatch("JOB*.OPT", "job[MAT=PB].opt"));
    EXPECT_FALSE(wildcardMatch("plan*.dxf", "plan.dxf.bak"));
    EXPECT_TRUE(wildcardMatch("a?c", "abc"));
    EXPECT_FALSE(wildcardMatch("a?c", "ac"));
}

// (The printed date's form is checked by the layout drawings, which print today's date.)
TEST(FileOperations, NamesInAnyLetterCase) {
    TempFolder dir;
    dir.write("products.lst", "");
    // Names differing only in letter case find the file that exists.
    Workspace ws(dir.path());
    EXPECT_EQ(ws.file("LBl.def"), dir / "LBl.def");
    dir.write("lbl.def", "x");
    EXPECT_EQ(ws.file("LBl.def"), dir / "lbl.def");
    EXPECT_EQ(ws.file("PRODUCTS.LST"), dir / "products.lst");
}

TEST(PrintText, PlacesFieldsAtColumnsAndWrapsWhenTheColumnIsPassed) {
    PrintText p;
    p.put("Length").at(10, "Width").endLine();
    p.put("ab").at(5, "").endLine();          // an empty field still pads
    p.put("123456789").at(5, "X").endLine();  // past the column: the next line
    p.put("1234").at(5, "Y").endLine().line("z");
    EXPECT_EQ(p.str(), "Length   Width\r\nab  \r\n123456789\r\n    X\r\n1234Y\r\nz\r\n");
    EXPECT_EQ(p.position(), p.str().size());
}

}  // namespace
}  // namespace veltrix
