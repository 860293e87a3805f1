#pragma once
// Layout generation: filling one sheet with blocks of identical pieces by guillotine cuts, giving
// one candidate layout.
//
// A layout starts as the sheet, its four margins and one free region (the usable area). Each step
// takes the next free region, places a block of nx x ny pieces of one variety in its top-left
// corner, and splits the rest of the region into two new free regions by a cut running from edge to
// edge of the region (rows first: the cut under the block runs across the region; columns first:
// the cut beside the block runs down it). A cut that runs across the whole usable sheet is recorded
// as a through cut.
//
// All sizes are the kerf-enlarged sizes, so pieces placed edge to edge include the kerf between
// them. The builder owns its buffers and reuses them from one layout to the next: placing a block
// allocates nothing once the buffers have grown to the job's size.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/types.h"
#include "engine/random.h"

namespace veltrix::engine {

// The figures by which candidates of one layout step are compared.
struct CandidateFigures {
    double sheetArea = 0;      // area of the sheet item
    double pieceArea = 0;      // sum of the piece areas, in list order
    double largestOffcut = 0;  // greatest off-cut area
    long long throughCuts = 0;
    double yield() const { return sheetArea > 0 ? pieceArea / sheetArea : 0; }
};

// A block tried by Place block: placed exactly when both counts are at least 1.
struct Block {
    long long nx = 0;
    long long ny = 0;
    bool placed() const { return nx >= 1 && ny >= 1; }
};

// Where the iteration stands, which decides placements and random block sizes.
struct IterationPhase {
    long long iteration = 1;  // i
    long long budget = 0;     // N
    // i <= N / 3: pieces are chosen in list order and placed by the strategy's rule.
    bool ordered() const { return 3 * iteration <= budget; }
};

class LayoutBuilder {
public:
    // `sheets` and `cuts` are the kerf-enlarged, sorted lists; `blade` is the blade length plus the
    // kerf. The lists must outlive the builder.
    LayoutBuilder(const std::vector<SheetVariety>& sheets, const std::vector<CutVariety>& cuts, float blade,
                  float tolerance, float minOffcut);

    // Start layout: the sheet item, the four margins and the usable area as the one free region, for
    // sheet variety `sheet` (1-based); the trial quantities become `quantities`.
    void startLayout(int sheet, std::span<const float> quantities);

    // Strategies 1, 2, 5, 6 need the usable width within the blade, 3, 4, 7, 8 the usable length.
    static bool applicable(const SheetVariety& sheet, float blade, FillStrategy strategy);
    bool applicable(FillStrategy strategy) const;

    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
    // Next free region: among the free (-4) items, strategies 1, 2, 5, 6 take the smallest y1 then
    // the smallest x1; 3, 4, 7, 8 the smallest x1 then y1; ties go to the earlier item. kNone when
    // there is none.
    std::size_t nextFreeRegion(FillStrategy strategy) const;

    // Place block of cut-piece variety c (1-based) in free region k: decides the placement, the
    // counts (capped by the blade and by the remaining quantity), the random block size, and cuts
    // the block. When no block fits, nothing changes but the placement drawn.
    Block placeBlock(int c, std::size_t k, FillStrategy strategy, IterationPhase phase, bool randomSize, Random& random);
    Block placeBlock(int c, std::size_t k, FillStrategy strategy, IterationPhase phase, bool randomSize,
                     LibraryRandom& random);

    // Fills the sheet with one strategy: for each next free region, pieces chosen at random (later
    // iterations, selection flag false) or in list order; a region that takes nothing is blocked
    // until the end of the fill, when blocked regions become free again.
    //
    // With Random, a try of a piece that fits the region in no placement it may take is known to
    // change nothing but the placement it draws: that draw is passed over unseen and the try goes
    // no further. With LibraryRandom every try is worked out in full, as before that was known (the
    // same layout, for measuring the two).
    void fill(FillStrategy strategy, IterationPhase phase, bool randomSelection, Random& random);
    void fill(FillStrategy strategy, IterationPhase phase, bool randomSelection, LibraryRandom& random);

    // The tries of Place block made so far by the fills of this builder, those passed over
    // included.
    long long tries() const { return tries_; }

    // Blocked (-5) regions become free (-4) again.
    void releaseBlocked();
    // Every free region with both extents > 0 has both extents >= the minimum off-cut.
    bool offcutsAcceptable() const;
    CandidateFigures figures() const;

    int sheet() const { return sheet_; }
    // The candidate's items, consumed (-3) items included; layout number and quantity are 0.
    const std::vector<LayoutItem>& items() const { return items_; }
    std::vector<LayoutItem>& items() { return items_; }
    // Trial quantities after the fill.
    const std::vector<float>& quantities() const { return quantities_; }
    std::vector<float>& quantities() { return quantities_; }
    // Exchanges the candidate (items, quantities, sheet, figures) with another builder's, buffers
    // included, so that keeping the best candidate copies nothing.
    void swapCandidate(LayoutBuilder& other);

private:
    template <class Generator>
    Block placeBlockWith(int c, std::size_t k, FillStrategy strategy, IterationPhase phase, bool randomSize,
                         Generator& random);
    template <class Generator>
    void fillWith(FillStrategy strategy, IterationPhase phase, bool randomSelection, Generator& random);
    // Place block once a piece is known to fit: the counts, the caps, the random size and the cut.
    template <class Generator>
    [[gnu::noinline]] Block cutBlock(int c, std::size_t k, FillStrategy strategy, IterationPhase phase, bool randomSize,
                                     Generator& random, Placement placement);
    void markRegion(std::size_t k, ItemKind kind);
    void appendRegion(float x1, float y1, float x2, float y2);

    // What a try needs of a cut-piece variety, packed so that walking the list stays in cache: its
    // sizes and grain, and the steps of a block in each placement (the sizes less the tolerance)
    // with whether the placement can fit anywhere at all (both steps positive, the step along y
    // within the blade).
    struct Shape {
        float length;
        float width;
        int align;
        float lengthwiseX, lengthwiseY, turnedX, turnedY;
        bool lengthwiseUsable, turnedUsable;
    };

    // What a try of each piece does in the region being filled (Random only), as flags: kDraws when
    // it is passed over but draws its placement, kMayPlace when it may place a block, kTried when
    // the piece has a quantity left (else there is no try).
    static constexpr std::uint8_t kDraws = 1, kMayPlace = 2, kTried = 4;

    const std::vector<SheetVariety>& sheets_;
    std::vector<Shape> shapes_;
    std::vector<std::uint8_t> tryRule_;
    float blade_;
    float tolerance_;
    float minOffcut_;

    int sheet_ = 0;
    int sheetGrain_ = 0;
    std::vector<LayoutItem> items_;
    std::vector<float> quantities_;
    std::vector<std::size_t> open_;     // positions of the free (-4) items, in list order
    std::vector<std::size_t> blocked_;  // positions of the blocked (-5) items
    double pieceArea_ = 0;
    long long throughCuts_ = 0;
    long long tries_ = 0;
};

}  // namespace veltrix::engine
