#include "dxf/dxf_export.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "table/file_ops.h"

namespace veltrix::dxf {
namespace {

namespace fs = std::filesystem;

TEST(DxfExport, NamesCarryLayoutAndCount) {
    EXPECT_EQ(exportBase("/jobs/plan.dxf"), fs::path("/jobs/plan"));
    EXPECT_EQ(exportBase("/jobs/plan.DXF"), fs::path("/jobs/plan"));
    EXPECT_EQ(exportBase("/jobs/plan"), fs::path("/jobs/plan"));
    EXPECT_EQ(exportBase("/jobs/plan.dwg"), fs::path("/jobs/plan.dwg"));
    EXPECT_EQ(exportFileName("/jobs/name", 2, 5), fs::path("/jobs/name_2-5.dxf"));
}

TEST(DxfExport, EarlierExportsOfTheSameNameAreDeletedOthersKept) {
    test::TempFolder folder;
    for (const char* name : {"plan.dxf", "plan_1-3.dxf", "plan_2-3.dxf", "plan_10-12.DXF", "planets.dxf",
                             "plan_notes.dxf", "plan_1-.dxf", "plan.txt", "other.dxf", "Plan_1-3.dxf"})
        folder.write(name, "x");
    EXPECT_EQ(deleteEarlierExports(folder / "plan"), 4);
    for (const char* gone : {"plan.dxf", "plan_1-3.dxf", "plan_2-3.dxf", "plan_10-12.DXF"})
        EXPECT_FALSE(fileExists(folder / gone)) << gone;
    for (const char* kept : {"planets.dxf", "plan_notes.dxf", "plan_1-.dxf", "plan.txt", "other.dxf", "Plan_1-3.dxf"})
        EXPECT_TRUE(fileExists(folder / kept)) << kept;
}

TEST(DxfExport, MissingFolderDeletesNothing) {
    test::TempFolder folder;
    EXPECT_EQ(deleteEarlierExports(folder / "no/such/plan"), 0);
}

}  // namespace
}  // namespace veltrix::dxf
