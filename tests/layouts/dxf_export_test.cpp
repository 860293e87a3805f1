#include "layouts/dxf_export.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include "dxf/dxflib_reader.h"
#include "layouts/layout_drawing.h"
#include "layouts/sample_result.h"
#include "base/error.h"
#include "base/file_ops.h"
#include "base/workspace.h"

namespace veltrix::layouts {
namespace {

namespace fs = std::filesystem;

TEST(LayoutExport, EachLayoutToItsNumberedFileEarlierExportsRemovedOnlyOnceAllAreWritten) {
    test::TempFolder folder;
    const Workspace workspace(folder.path());
    const engine::LoadedResult result = test::loadProject("two-layouts.opt");
    const reports::Report report;
    const LayoutDrawing drawing(workspace, result, report, {});
    EXPECT_THROW(exportLayouts(drawing, 1, 1, folder / "x.dxf"), FileError);  // no templates
    EXPECT_FALSE(fileExists(folder / "x_1-2.dxf"));

    for (const char* name : {"dxf.hd", "dxf.ft"})
        fs::copy_file(fs::path(VELTRIX_EXAMPLES) / "workshop" / name, folder / name);
    folder.write("plan.dxf", "the user's own drawing");
    folder.write("plan_4-4.dxf", "old");
    folder.write("plan_1-2.dxf", "old");
    folder.write("planets.dxf", "keep");

    // A full disk (here: a file size limit) stops the export before anything is replaced or
    // deleted: the earlier export stays whole.
    const pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{};
        getrlimit(RLIMIT_FSIZE, &limit);
        const rlimit small{1500, limit.rlim_max};
        setrlimit(RLIMIT_FSIZE, &small);
        try {
            exportLayouts(drawing, 1, 2, folder / "plan.dxf");
        } catch (const FileError&) {
            _exit(0);
        }
        _exit(1);
    }
    int status = -1;
    ASSERT_EQ(waitpid(pid, &status, 0), pid);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the export did not fail";
    for (const char* old : {"plan_4-4.dxf", "plan_1-2.dxf"}) EXPECT_EQ(folder.read(old), "old") << old;
    EXPECT_FALSE(fileExists(folder / "plan_2-2.dxf"));

    EXPECT_EQ(exportLayouts(drawing, 1, 2, folder / "plan.dxf").message(), "2 Layout(s) exported as DXF file(s)!");
    // Four lines for each of the 11 and 10 items, read by an independent reader.
    EXPECT_EQ(test::readWithDxflib(folder / "plan_1-2.dxf").lines.size(), 44u);
    EXPECT_EQ(test::readWithDxflib(folder / "plan_2-2.dxf").lines.size(), 40u);
    EXPECT_FALSE(fileExists(folder / "plan_4-4.dxf"));
    EXPECT_EQ(folder.read("plan.dxf"), "the user's own drawing");
    EXPECT_EQ(folder.read("planets.dxf"), "keep");
    for (const auto& entry : fs::directory_iterator(folder.path()))
        EXPECT_EQ(entry.path().filename().string().find(".tmp"), std::string::npos) << entry.path();
    const ExportResult single = exportLayouts(drawing, 2, 2, folder / "name.dxf");
    EXPECT_EQ(single.message(), "1 Layout(s) exported as DXF file(s)!");
    EXPECT_EQ(single.files, std::vector<fs::path>{folder / "name_2-2.dxf"});
}

}  // namespace
}  // namespace veltrix::layouts
