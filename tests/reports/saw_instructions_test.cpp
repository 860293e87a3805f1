// Cutting instructions for the panel saw: the instruction table of hand-made layouts worked out
// cut by cut, the published cases byte for byte, and the transfer into NPS400 Control.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/loaded_result.h"
#include "job/document.h"
#include "keys/key_sender.h"
#include "keys/recording_key_sender.h"
#include "reports/saw_instructions.h"
#include "support/temp_folder.h"

namespace veltrix::reports {
namespace {

// A one-layout result drawn by hand, without margins (a margin item of no width). Sizes are net;
// the items get the kerf added as stored.
class LayoutBuilder {
public:
    LayoutBuilder(float kerf, float width, float length) : kerf_(kerf) {
        result_.job.basic.kerf = kerf;
        add(ItemKind::Sheet, 0, 0, width + kerf, length + kerf);
        add(ItemKind::Margin, 0, 0, 0, length + kerf);
    }
    // A rectangle at (x, y), net size w x h.
    LayoutBuilder& piece(float x, float y, float w, float h) { return add(pieceKind(1), x, y, w + kerf_, h + kerf_); }
    const engine::LoadedResult& result() { return result_; }
    std::vector<CutInstruction> rows() { return buildSawInstructions(result_, 1).rows; }

private:
    LayoutBuilder& add(ItemKind kind, float x, float y, float w, float h) {
        result_.items.push_back(LayoutItem{1, kind, 1, x, y, x + w, y + h, 2, Placement::None});
        result_.storedItems = result_.items;
        result_.layoutStart = {0};
        return *this;
    }
    engine::LoadedResult result_;
    float kerf_;
};

using Rows = std::vector<CutInstruction>;
using Rect = std::array<float, 4>;

// Hand-drawn layouts (net sizes, the kerf added as stored) and the instructions worked out cut by cut.
TEST(SawInstructions, HandDrawnLayoutsCutByCut) {
    const struct {
        const char* name;
        float kerf, width, length;
        std::vector<Rect> pieces;  // x, y, net width, net height
        Rows rows;
    } cases[] = {
        {"equal strips are one instruction with a repeat", 4, 1000, 908,
         {{0, 0, 1000, 300}, {0, 304, 1000, 300}, {0, 608, 1000, 300}}, {{4, 300, 2}}},
        // Positions are rounded to whole units, halves down.
        {"602.5 rounds down", 4, 1000, 500, {{0, 0, 602.5F, 500}, {606.5F, 0, 393.5F, 500}}, {{1, 602, 1}}},
        {"602.6 rounds up", 4, 1000, 500, {{0, 0, 602.6F, 500}, {606.6F, 0, 393.4F, 500}}, {{1, 603, 1}}},
        {"602.4 rounds down", 4, 1000, 500, {{0, 0, 602.4F, 500}, {606.4F, 0, 393.6F, 500}}, {{1, 602, 1}}},
        // The strip below begins 1 after the top strips end: a cut there (kerf 3) would cut into it.
        {"no cut through a rectangle in its kerf", 3, 1000, 600,
         {{0, 0, 400, 300}, {404, 0, 596, 300}, {0, 301, 1000, 299}}, {}},
        // The cut between them is found at the shorter left piece's right edge, which is then cut to length.
        {"every edge is tried", 4, 1000, 500, {{0, 0, 400, 300}, {404, 0, 596, 500}}, {{1, 400, 1}, {2, 300, 1}}},
        // A rip cut at the top edge of a piece inside the sheet, then cross cuts and recuts; the last
        // piece is cut to size in a strip taller than it.
        {"lone pieces are cut to size", 4, 1000, 600,
         {{0, 0, 400, 300}, {404, 0, 596, 150}, {404, 154, 596, 96}, {0, 304, 1000, 296}},
         {{4, 300, 1}, {5, 400, 1}, {6, 150, 1}, {6, 96, 1}}}};
    for (const auto& c : cases) {
        LayoutBuilder layout(c.kerf, c.width, c.length);
        for (const Rect& p : c.pieces) layout.piece(p[0], p[1], p[2], p[3]);
        EXPECT_EQ(layout.rows(), c.rows) << c.name;
    }
    // The instruction table as texts, in the window's grid and in controller.tlf.
    LayoutBuilder strips(4, 1000, 908);
    strips.piece(0, 0, 1000, 300).piece(0, 304, 1000, 300).piece(0, 608, 1000, 300);
    const SawInstructions saw = buildSawInstructions(strips.result(), 1);
    EXPECT_EQ(controllerTableText(saw), "\"4\",\"300\",\"2\",\"Rip Cut\"\r\n");
    const GridTable grid = controllerGrid(saw);
    EXPECT_EQ(grid.rowCount(), 3);
    EXPECT_EQ(grid.key(4), "DESCRIP");
    EXPECT_EQ(grid.cell(2, 0), "2");
    EXPECT_TRUE(grid.rowEmpty(2));
    // The sheet's figures (LENGTH, WIDTH, TRIM, ...) are in every published listing; only layout 1 is there.
    EXPECT_THROW(buildSawInstructions(strips.result(), 2), std::out_of_range);
    EXPECT_THROW(buildSawInstructions(strips.result(), 0), std::out_of_range);
}

TEST(SawInstructions, AMarginNarrowerThanTheKerfTurnsTheTransferOff) {
    engine::LoadedResult result;
    result.job.basic.kerf = 4;
    result.items = {LayoutItem{1, ItemKind::Sheet, 1, 0, 0, 1010, 1010, 1, Placement::None},
                    LayoutItem{1, ItemKind::Margin, 1, 0, 0, 3, 1010, 1, Placement::None},
                    LayoutItem{1, pieceKind(1), 1, 3, 3, 507, 1007, 1, Placement::Lengthwise},
                    LayoutItem{1, pieceKind(1), 1, 507, 3, 1007, 1007, 1, Placement::Lengthwise}};
    result.layoutStart = {0};
    const SawInstructions saw = buildSawInstructions(result, 1);
    EXPECT_EQ(saw.trim, "0");
    EXPECT_EQ(saw.messages, std::vector<std::string>{kTrimErrorMessage});
    EXPECT_FALSE(saw.transferEnabled);
    EXPECT_EQ(saw.rows, (Rows{{1, 500, 1}}));  // the table is still built
    const std::string listing = sawInstructionListing(saw, false);
    EXPECT_NE(listing.find("TRIM\t0\nTRIMZW\t0\nREST\t0\nMESSAGE\tError in trim. Please specify correct margins in "
                           "Veltrix and optimize again\nROW\t"),
              std::string::npos);
    EXPECT_TRUE(listing.ends_with("Head Cut\nTRANSFER\tOFF\n")) << listing;
    keys::RecordingKeySender sender;
    EXPECT_EQ(transferToController(saw, sender, {}), std::string(kTrimErrorMessage));
    EXPECT_TRUE(sender.events.empty());
    // A margin of no width is no trim, and no error.
    result.items[1].x2 = 0;
    EXPECT_EQ(buildSawInstructions(result, 1).trim, "0");
    EXPECT_TRUE(buildSawInstructions(result, 1).transferEnabled);
}

TEST(SawInstructions, ASliverInTheKerfIsTakenAwayByTheCut) {
    // Kerf 3: an off-cut of 0.8 (nothing once the kerf is off) between two strips, then at the end
    // of a strip, goes with the cut instead of starting a strip of its own.
    engine::LoadedResult result;
    result.job.basic.kerf = 3;
    result.layoutStart = {0};
    // The sliver's top and bottom, then the second strip's.
    for (const Rect& at : {Rect{303, 303.8F, 303.8F, 603.8F}, Rect{603, 603.8F, 303, 603}}) {
        result.items = {LayoutItem{1, ItemKind::Sheet, 1, 0, 0, 1003, 607.8F, 1, Placement::None},
                        LayoutItem{1, pieceKind(1), 1, 0, 0, 1003, 303, 1, Placement::Lengthwise},
                        LayoutItem{1, ItemKind::Offcut, 1, 0, at[0], 1003, at[1], 1, Placement::None},
                        LayoutItem{1, pieceKind(1), 1, 0, at[2], 1003, at[3], 1, Placement::Lengthwise}};
        EXPECT_EQ(buildSawInstructions(result, 1).rows, (Rows{{4, 300, 1}})) << at[0];
    }
}

TEST(SawInstructions, AnOffcutWithoutAreaIsNothingToSaw) {
    // A coil stretch cut back to the length it uses ends in an off-cut of no length. Kerf 4: two
    // pieces 900 x 180 stacked, a 96 wide off-cut beside them; a head cut frees the pieces, a rip
    // in head parts them.
    engine::LoadedResult result;
    result.job.basic.kerf = 4;
    result.layoutStart = {0};
    result.items = {LayoutItem{1, ItemKind::Sheet, 1, 0, 0, 1004, 368, 1, Placement::None},
                    LayoutItem{1, pieceKind(1), 1, 0, 0, 904, 184, 1, Placement::Lengthwise},
                    LayoutItem{1, pieceKind(1), 1, 0, 184, 904, 368, 1, Placement::Lengthwise},
                    LayoutItem{1, ItemKind::Offcut, 1, 904, 0, 1004, 368, 1, Placement::None},
                    LayoutItem{1, ItemKind::Offcut, 1, 0, 368, 1004, 368, 1, Placement::None}};
    EXPECT_EQ(buildSawInstructions(result, 1).rows, (Rows{{1, 900, 1}, {2, 180, 1}}));
}

TEST(SawInstructions, CutsPastTheLastStageGetCodeZeroAndTurnTheTransferOff) {
    // Rip, cross, recut Z, recut W, and then a cut across a recut-W strip and one in what it cuts.
    LayoutBuilder layout(4, 1000, 1000);
    layout.piece(0, 0, 250, 100)
        .piece(0, 104, 120, 146)
        .piece(124, 104, 126, 146)
        .piece(254, 0, 246, 250)
        .piece(0, 254, 500, 246)
        .piece(504, 0, 496, 500)
        .piece(0, 504, 1000, 496);
    const SawInstructions saw = buildSawInstructions(layout.result(), 1);
    EXPECT_EQ(saw.rows, (Rows{{4, 500, 1}, {5, 500, 1}, {6, 250, 1}, {8, 250, 1}, {0, 100, 1}, {0, 120, 1}}));
    EXPECT_EQ(saw.messages, std::vector<std::string>{kPastLastStageMessage});
    EXPECT_FALSE(saw.transferEnabled);
    const std::string listing = sawInstructionListing(saw, false);
    EXPECT_NE(listing.find("5\t0\t100\t1\tPast last stage\n6\t0\t120\t1\tPast last stage\nTRANSFER\tOFF\n"),
              std::string::npos)
        << listing;
    EXPECT_NE(listing.find("REST\t0\nMESSAGE\tThis layout needs cuts past the last stage"), std::string::npos);
}

// --- the published cases -------------------------------------------------------------------

engine::LoadedResult conformanceResult(const std::string& job) {
    const auto folder = test::dataFile("conformance");
    Document doc = readDocument(folder / (job + ".opt"));
    doc.plan = parsePlan(test::readFile(folder / (job + ".dia.tlf")));
    return engine::loadResult(doc.job(), doc.plan);
}

TEST(SawInstructionsConformance, EveryPublishedListingByteForByte) {
    int cases = 0;
    for (const auto& entry : std::filesystem::directory_iterator(test::dataFile("conformance/cnc"))) {
        const std::string name = entry.path().stem().string();  // JOB-N or JOB-N.events
        const bool events = name.ends_with(".events");
        const std::string base = events ? name.substr(0, name.size() - 7) : name;
        const auto dash = base.rfind('-');
        const std::string job = base.substr(0, dash);
        const int layout = std::stoi(base.substr(dash + 1));
        EXPECT_EQ(sawInstructionListing(conformanceResult(job), layout, events), test::readFile(entry.path())) << name;
        ++cases;
    }
    EXPECT_EQ(cases, 12);
}

// --- the transfer --------------------------------------------------------------------------

class FailingSender : public keys::RecordingKeySender {
public:
    void send(std::span<const keys::KeyEvent> events) override {
        if (sendCalls == 3) throw keys::KeySendError("display gone");
        RecordingKeySender::send(events);
    }
};

TEST(SawTransfer, TypesEveryKeyStringIntoTheControllerWindow) {
    const SawInstructions saw = buildSawInstructions(conformanceResult("merge"), 2);
    keys::RecordingKeySender sender;
    sender.activatableTitle = "NPS400 - NPS400 Control - Main Menu";
    int pumped = 0;
    EXPECT_EQ(transferToController(saw, sender, {false, [&pumped] { ++pumped; }}), std::nullopt);
    // Every key string, in order: 23 fixed ones and 6 for each of the 2 instructions.
    EXPECT_EQ(sender.sendCalls, 23 + 6 * 2);
    EXPECT_EQ(pumped, sender.sendCalls);
    // The key strings themselves are those of the published listings.
    std::vector<keys::KeyEvent> expected;
    for (const TransferStep& step : saw.transfer)
        for (const keys::KeyEvent& event : keys::parseKeyString(step.keys)) expected.push_back(event);
    EXPECT_EQ(sender.events, expected);
}

TEST(SawTransfer, AMissingWindowOrAFailedSendEndsTheTransferWithAMessage) {
    const SawInstructions saw = buildSawInstructions(conformanceResult("merge"), 2);
    keys::RecordingKeySender absent;
    absent.activateResult = false;
    EXPECT_EQ(transferToController(saw, absent, {}), std::string(kControllerNotReadyMessage));
    EXPECT_EQ(absent.sendCalls, 0);

    FailingSender failing;
    EXPECT_EQ(transferToController(saw, failing, {false, {}}), std::string(kControllerNotReadyMessage));
    EXPECT_EQ(failing.sendCalls, 3);
}

TEST(SawTransfer, WaitsKeepProcessingEvents) {
    SawInstructions saw;
    saw.transfer = {TransferStep::send("a"), TransferStep::pause(1), TransferStep::send("b")};
    keys::RecordingKeySender sender;
    int pumped = 0;
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(transferToController(saw, sender, {true, [&pumped] { ++pumped; }}), std::nullopt);
    EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
    EXPECT_GT(pumped, 10);
    EXPECT_EQ(sender.sendCalls, 2);
}

}  // namespace
}  // namespace veltrix::reports
