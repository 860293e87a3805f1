#include "engine/prepare.h"

#include <gtest/gtest.h>

#include "job_builder.h"

namespace veltrix::engine {
namespace {

using test::JobBuilder;

Job jobOf(const JobBuilder& b, StockMode stock = StockMode::Sheet) { return readJob(b.tables(), stock, Objective{}); }

PreparedJob prepare(const JobBuilder& b, StockMode stock = StockMode::Sheet) { return prepareInput(jobOf(b, stock)); }

JobBuilder plainJob() {
    JobBuilder b;
    b.basicRow({"PB", "", "18", "3100", "0", "4", "0", "NOTE"});
    return b;
}

TEST(PrepareInput, ReadsBasicDetailsAsLeadingNumbers) {
    JobBuilder b;
    b.basicRow({"MDF", "YES", "18.5", "3100mm", ".5", "abc", "30", "A NOTE"});
    const PreparedJob job = prepare(b);
    EXPECT_EQ(job.basic.material, "MDF");
    EXPECT_EQ(job.basic.grain, "YES");
    EXPECT_EQ(job.basic.thickness, 18.5f);
    EXPECT_EQ(job.basic.blade, 3100.0f);
    EXPECT_EQ(job.basic.tolerance, 0.5f);
    EXPECT_EQ(job.basic.kerf, 0.0f);
    EXPECT_EQ(job.basic.minOffcut, 30.0f);
    EXPECT_EQ(job.basic.note, "A NOTE");
}

TEST(PrepareInput, SheetFilterDropsRowsThatCannotBeCut) {
    JobBuilder b = plainJob();
    b.sheet("2440", "1220", "5", "10", "10", "10", "10", "KEEP")
        .sheet("2440", "3200", "5", "0", "0", "0", "0", "WIDER THAN BLADE")
        .sheet("20", "1220", "5", "0", "10", "0", "10", "MARGINS EAT LENGTH")
        .sheet("2440", "20", "5", "10", "0", "10", "0", "MARGINS EAT WIDTH")
        .sheet("2440", "1220", "0", "0", "0", "0", "0", "NO QTY")
        .sheet("X", "1220", "5", "0", "0", "0", "0", "TEXT LENGTH")
        .sheet("2000", "3100", "1", "0", "0", "0", "0", "AS WIDE AS BLADE");
    const PreparedJob job = prepare(b);
    ASSERT_EQ(job.sheets.size(), 2u);
    EXPECT_EQ(job.sheets[0].location, "KEEP");
    EXPECT_EQ(job.sheets[0].quantity, 5.0f);
    EXPECT_EQ(job.sheets[0].marginLeft, 10.0f);
    EXPECT_EQ(job.sheets[1].location, "AS WIDE AS BLADE");
}

TEST(PrepareInput, OnlySheetWiderThanBladeFailsValidation) {
    JobBuilder b = plainJob();
    b.sheet("2440", "3200", "5").cut("500", "300", "1");
    const PreparedJob job = prepare(b);
    EXPECT_TRUE(job.sheets.empty());
    EXPECT_EQ(validationMessage(job), "No valid SHEETS specified.");
    EXPECT_EQ(validationMessage(prepare(b, StockMode::Coil)), "No valid COILS specified.");
}

TEST(PrepareInput, ValidationChecksBladeThenSheetsThenCuts) {
    JobBuilder b;
    b.basicRow({"PB", "", "18", "0", "0", "0", "0", ""});
    EXPECT_EQ(validationMessage(prepare(b)), "Wrong BLADE specfied.");
    // Blade 0 with kerf 2 passes the first check (the sum is 2); no sheet is then kept, since the
    // blade is narrower than any sheet.
    b.basicRow({"PB", "", "18", "0", "0", "2", "0", ""});
    b.sheet("2440", "1220", "1").cut("100", "100", "1");
    EXPECT_EQ(validationMessage(prepare(b)), "No valid SHEETS specified.");
    JobBuilder c = plainJob();
    c.sheet("2440", "1220", "1").cut("100", "0", "1");
    EXPECT_EQ(validationMessage(prepare(c)), "No valid CUT-PIECES specfied.");
    c.cut("100", "50", "2");
    EXPECT_EQ(validationMessage(prepare(c)), std::nullopt);
}

TEST(PrepareInput, CutPieceSizesAreLessTheEdgeBands) {
    JobBuilder b = plainJob();
    // LENGTH 800 with width-edge bands 0.4 and 0.6; WIDTH 400 with length-edge bands 1 and 2.
    b.cutRow({"800", "1", "RED", "2", "BLUE", "400", ".4", "WHT", ".6", "BLK", "3", "YES", "TOP", "P1", "C1",
              "lbl.gif", "top.dxf"});
    // Bands taking the whole width: cutting width 0, dropped.
    b.cutRow({"500", "150", "", "150", "", "300", "", "", "", "", "3", "", "", "", "", "", ""});
    const PreparedJob job = prepare(b);
    ASSERT_EQ(job.cuts.size(), 1u);
    const CutVariety& c = job.cuts[0];
    EXPECT_EQ(c.length, 800.0f - 0.4f - 0.6f);
    EXPECT_EQ(c.width, 397.0f);
    EXPECT_EQ(c.lengthBand1, 1.0f);
    EXPECT_EQ(c.lengthRemark2, "BLUE");
    EXPECT_EQ(c.widthRemark1, "WHT");
    EXPECT_EQ(c.quantity, 3.0f);
    EXPECT_EQ(c.align, 0);  // the job has no grain
    EXPECT_EQ(c.alignText, "YES");
    EXPECT_EQ(c.description, "TOP");
    EXPECT_EQ(c.product, "P1");
    EXPECT_EQ(c.client, "C1");
    EXPECT_EQ(c.labelFile, "lbl.gif");
    EXPECT_EQ(c.dxfFile, "top.dxf");
}

TEST(PrepareInput, GrainFlagsFollowTheJobGrain) {
    JobBuilder b;
    b.basicRow({"OAK", "YES", "19", "3100", "0", "4", "0", ""});
    b.sheet("2800", "2070", "2").cut("900", "450", "2", "YES").cut("600", "300", "2", "");
    const PreparedJob job = prepare(b);
    EXPECT_EQ(job.sheets[0].grain, 1);
    EXPECT_EQ(job.cuts[0].align, 1);
    EXPECT_EQ(job.cuts[1].align, 0);
}

TEST(PrepareInput, CoilQuantityTypedByTheUserIsIgnored) {
    JobBuilder b = plainJob();
    b.sheet("6000", "1250", "1").sheet("6000", "1000", "0").cut("700", "400", "12");
    const PreparedJob job = prepare(b, StockMode::Coil);
    ASSERT_EQ(job.sheets.size(), 2u);
    EXPECT_EQ(job.sheets[0].quantity, 9999999.0f);
    EXPECT_EQ(job.sheets[1].quantity, 9999999.0f);
}

TEST(Merging, FirstIdenticalRowHoldsTheSumAndLaterOnesKeepTheirPlace) {
    JobBuilder b = plainJob();
    b.cut("500", "300", "5", "", "A").cut("700", "350", "3", "", "B").cut("500", "300", "7", "", "A");
    b.cut("500", "300", "2", "", "A").cut("500", "300", "4", "", "OTHER");
    const PreparedJob job = prepare(b);
    ASSERT_EQ(job.cuts.size(), 5u);
    EXPECT_EQ(job.cuts[0].quantity, 14.0f);
    EXPECT_EQ(job.cuts[1].quantity, 3.0f);
    EXPECT_EQ(job.cuts[2].quantity, 0.0f);
    EXPECT_EQ(job.cuts[3].quantity, 0.0f);
    EXPECT_EQ(job.cuts[4].quantity, 4.0f);  // a different description is another variety
}

TEST(Merging, SheetsMergeOnEveryFieldButTheQuantity) {
    JobBuilder b = plainJob();
    b.sheet("2440", "1220", "10", "10", "10", "10", "10", "RACK A")
        .sheet("2440", "1220", "5", "10", "10", "10", "10", "RACK A")
        .sheet("2440", "1220", "5", "10", "10", "10", "10", "RACK B")
        .sheet("2440", "1220", "3", "10", "10", "10", "11", "RACK A");
    const PreparedJob job = prepare(b);
    ASSERT_EQ(job.sheets.size(), 4u);
    EXPECT_EQ(job.sheets[0].quantity, 15.0f);
    EXPECT_EQ(job.sheets[1].quantity, 0.0f);
    EXPECT_EQ(job.sheets[2].quantity, 5.0f);
    EXPECT_EQ(job.sheets[3].quantity, 3.0f);
}

TEST(Kerf, AddAndRemoveChangeLengthAndWidthOnly) {
    JobBuilder b = plainJob();  // kerf 4
    b.sheet("2440", "1220", "1", "10", "10", "10", "10").cut("500", "300", "1");
    PreparedJob job = prepare(b);
    addKerf(job);
    EXPECT_EQ(job.sheets[0].length, 2444.0f);
    EXPECT_EQ(job.sheets[0].width, 1224.0f);
    EXPECT_EQ(job.sheets[0].marginLeft, 10.0f);
    EXPECT_EQ(job.cuts[0].length, 504.0f);
    EXPECT_EQ(job.cuts[0].width, 304.0f);
    removeKerf(job);
    EXPECT_EQ(job.sheets[0].length, 2440.0f);
    EXPECT_EQ(job.cuts[0].width, 300.0f);

    JobBuilder z;
    z.basicRow({"PB", "", "18", "3100", "0", "0", "0", ""});
    z.sheet("2440.3", "1220", "1").cut("500.1", "300", "1");
    PreparedJob zero = prepare(z);
    const PreparedJob before = zero;
    addKerf(zero);
    EXPECT_EQ(zero.sheets, before.sheets);
    EXPECT_EQ(zero.cuts, before.cuts);
}

std::vector<CutVariety> cutsWithAreas(std::vector<float> lengths) {
    std::vector<CutVariety> cuts;
    for (float l : lengths) {
        CutVariety c;
        c.length = l;
        c.width = 1;
        c.description = std::to_string(static_cast<int>(l));
        cuts.push_back(c);
    }
    return cuts;
}

std::vector<float> lengthsOf(const std::vector<CutVariety>& cuts) {
    std::vector<float> out;
    for (const auto& c : cuts) out.push_back(c.length);
    return out;
}

TEST(SortByArea, IsTheFixedPassSequenceNotAFullSort) {
    // n = 4: gap 2 with round(5 / 2) - 1 = 1 block: compare (1,3), (2,4); then gap 1 with 4 blocks:
    // (1,2), (2,3), (3,4). Areas 1 3 2 4 -> 2 3 1 4 -> 2 4 1 3 -> 4 2 1 3 -> 4 2 1 3 -> 4 2 3 1.
    auto cuts = cutsWithAreas({1, 3, 2, 4});
    sortCutsByArea(cuts);
    EXPECT_EQ(lengthsOf(cuts), (std::vector<float>{4, 2, 3, 1}));

    // n = 5: gap 3 (1 block): (1,4), (2,5); gap 2 (2 blocks): (1,3), (2,4), (3,5); gap 1: (1,2)..(4,5).
    // 1 2 3 4 5 -> 4 5 3 1 2 -> unchanged -> 5 4 3 1 2 -> 5 4 3 2 1.
    cuts = cutsWithAreas({1, 2, 3, 4, 5});
    sortCutsByArea(cuts);
    EXPECT_EQ(lengthsOf(cuts), (std::vector<float>{5, 4, 3, 2, 1}));
}

TEST(SortByArea, EqualAreasNeverMove) {
    std::vector<CutVariety> cuts(3);
    cuts[0].length = 2, cuts[0].width = 6, cuts[0].description = "A";
    cuts[1].length = 3, cuts[1].width = 4, cuts[1].description = "B";
    cuts[2].length = 12, cuts[2].width = 1, cuts[2].description = "C";
    sortCutsByArea(cuts);
    EXPECT_EQ(cuts[0].description, "A");
    EXPECT_EQ(cuts[1].description, "B");
    EXPECT_EQ(cuts[2].description, "C");
    std::vector<CutVariety> none;
    sortCutsByArea(none);
    EXPECT_TRUE(none.empty());
}

TEST(SortByArea, NumberingUsesKerfEnlargedAreasAndKeepsMergedVarieties) {
    JobBuilder b = plainJob();  // kerf 4
    // A is 40 x 25 = 1000, B 100 x 9.9 = 990; with the kerf A is 44 x 29 = 1276 and B 104 x 13.9 =
    // 1445.6, so B comes first. n = 3: gap 2 compares (1,3), equal areas; gap 1 compares (1,2),
    // exchanged, then (2,3), equal.
    b.sheet("2440", "1220", "1").cut("40", "25", "1", "", "A").cut("100", "9.9", "2", "", "B");
    b.cut("40", "25", "1", "", "A");  // merged into the first, keeps a place
    const PreparedJob job = prepareNumbering(jobOf(b));
    ASSERT_EQ(job.cuts.size(), 3u);
    EXPECT_EQ(job.cuts[0].description, "B");
    EXPECT_EQ(job.cuts[0].width, 9.9f + 4.0f - 4.0f);  // kerf added and removed in single precision
    EXPECT_EQ(job.cuts[1].description, "A");
    EXPECT_EQ(job.cuts[1].quantity, 2.0f);
    EXPECT_EQ(job.cuts[2].quantity, 0.0f);

    PreparedJob unenlarged = prepare(b);
    sortByArea(unenlarged);
    EXPECT_EQ(unenlarged.cuts[0].description, "A");
}

TEST(Budget, VarietiesTimesRoundedEfficiencyFactor) {
    EXPECT_EQ(iterationBudget(1, 10), 64);
    EXPECT_EQ(iterationBudget(4, 5), 128);    // 5 x 6.4 = 32
    EXPECT_EQ(iterationBudget(3, 25), 480);   // 160 per variety
    EXPECT_EQ(iterationBudget(2, 1), 12);     // 6.4 rounds to 6
    EXPECT_EQ(iterationBudget(1, 100), 640);
}

TEST(TooSmallPieces, NamesThePieceWhoseEnlargedSizeIsNotAboveTheTolerance) {
    JobBuilder b;
    b.basicRow({"PB", "", "18", "3100", "5", "1", "0", ""});
    b.sheet("2440", "1220", "1").cut("500", "300", "1").cut("4", "300", "1", "", "STRIP");
    const PreparedJob job = prepare(b);
    const auto message = tooSmallPieceMessage(job);
    ASSERT_TRUE(message.has_value());
    EXPECT_NE(message->find("4 x 300"), std::string::npos);
    EXPECT_NE(message->find("STRIP"), std::string::npos);

    JobBuilder ok;
    ok.basicRow({"PB", "", "18", "3100", "5", "1", "0", ""});
    ok.sheet("2440", "1220", "1").cut("4.5", "300", "1");  // 5.5 with the kerf
    EXPECT_EQ(tooSmallPieceMessage(prepare(ok)), std::nullopt);
}

}  // namespace
}  // namespace veltrix::engine
