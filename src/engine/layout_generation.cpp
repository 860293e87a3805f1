#include "engine/layout_generation.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "engine/statistics.h"
#include "base/number_text.h"

namespace veltrix::engine {
namespace {

// Strategies 1, 2, 5, 6 fill row by row across the sheet; 3, 4, 7, 8 column by column.
bool acrossFirst(FillStrategy strategy) {
    switch (strategy) {
        case FillStrategy::AcrossFromMargin:
        case FillStrategy::AcrossFromMarginTurned:
        case FillStrategy::AcrossRowsFirst:
        case FillStrategy::AcrossRowsFirstTurned: return true;
        default: return false;
    }
}

// In the ordered phase the odd strategies place a piece as entered, the even ones turned.
bool turnsPieces(FillStrategy strategy) { return strategyNumber(strategy) % 2 == 0; }

// A count from a single-precision quotient: floor, and 0 for anything that is not a positive number.
// Counts beyond a billion cannot be placed anyway and are held there, so products stay exact.
long long countOf(float quotient) {
    const float whole = std::floor(quotient);
    if (!(whole >= 1.0f)) return 0;
    if (whole > 1e9f) return 1000000000;
    return static_cast<long long>(whole);
}

// Lowers `count` by one while the block (count x other) exceeds the quantity q, but not below 1:
// the largest count not above the present one whose block fits in q, or 1.
void lowerToDemand(long long& count, long long other, float q) {
    const double quantity = q;
    if (!(quantity < static_cast<double>(count) * static_cast<double>(other))) return;
    long long m = static_cast<long long>(std::clamp(std::floor(quantity / static_cast<double>(other)), 1.0,
                                                    static_cast<double>(count)));
    while (m > 1 && quantity < static_cast<double>(m) * static_cast<double>(other)) --m;
    while (m < count && !(quantity < static_cast<double>(m + 1) * static_cast<double>(other))) ++m;
    count = m;
}

LayoutItem region(ItemKind kind, int sheet, float x1, float y1, float x2, float y2) {
    return LayoutItem{0, kind, sheet, x1, y1, x2, y2, 0, Placement::None};
}

}  // namespace

LayoutBuilder::LayoutBuilder(const std::vector<SheetVariety>& sheets, const std::vector<CutVariety>& cuts,
                             float blade, float tolerance, float minOffcut)
    : sheets_(sheets), blade_(blade), tolerance_(tolerance), minOffcut_(minOffcut) {
    tryRule_.assign(cuts.size(), 0);
    shapes_.reserve(cuts.size());
    for (const CutVariety& c : cuts) {
        // The same single-precision steps Place block works out.
        const float across = c.width - tolerance_, along = c.length - tolerance_;
        const bool lengthwise = across > 0 && along > 0 && blade_ >= along;
        const bool turned = along > 0 && across > 0 && blade_ >= across;
        shapes_.push_back(Shape{c.length, c.width, c.align, across, along, along, across, lengthwise, turned});
    }
}

void LayoutBuilder::startLayout(int sheet, std::span<const float> quantities) {
    sheet_ = sheet;
    const SheetVariety& s = sheets_[static_cast<std::size_t>(sheet - 1)];
    const float w = s.width, l = s.length;
    items_.clear();
    items_.push_back(region(ItemKind::Sheet, sheet, 0, 0, w, l));
    items_.push_back(region(ItemKind::Margin, sheet, 0, 0, s.marginLeft, l));
    items_.push_back(region(ItemKind::Margin, sheet, s.marginLeft, 0, w, s.marginTop));
    items_.push_back(region(ItemKind::Margin, sheet, w - s.marginRight, s.marginTop, w, l));
    items_.push_back(region(ItemKind::Margin, sheet, s.marginLeft, l - s.marginBottom, w - s.marginRight, l));
    items_.push_back(region(ItemKind::Offcut, sheet, s.marginLeft, s.marginTop, w - s.marginRight, l - s.marginBottom));
    open_.assign(1, items_.size() - 1);
    sheetGrain_ = s.grain;
    blocked_.clear();
    quantities_.assign(quantities.begin(), quantities.end());
    pieceArea_ = 0;
    throughCuts_ = 0;
}

bool LayoutBuilder::applicable(const SheetVariety& s, float blade, FillStrategy strategy) {
    const float usableWidth = (s.width - s.marginRight) - s.marginLeft;
    const float usableLength = (s.length - s.marginBottom) - s.marginTop;
    return acrossFirst(strategy) ? !(usableWidth > blade) : !(usableLength > blade);
}

bool LayoutBuilder::applicable(FillStrategy strategy) const {
    return applicable(sheets_[static_cast<std::size_t>(sheet_ - 1)], blade_, strategy);
}

std::size_t LayoutBuilder::nextFreeRegion(FillStrategy strategy) const {
    // The search starts from a sentinel of 1E+20, as the positions are compared against it.
    float bestMajor = 1e20f, bestMinor = 1e20f;
    std::size_t best = kNone;
    const bool across = acrossFirst(strategy);
    for (const std::size_t k : open_) {
        const LayoutItem& r = items_[k];
        const float major = across ? r.y1 : r.x1;
        const float minor = across ? r.x1 : r.y1;
        if (major < bestMajor || (major == bestMajor && minor < bestMinor)) {
            bestMajor = major;
            bestMinor = minor;
            best = k;
        }
    }
    return best;
}

void LayoutBuilder::markRegion(std::size_t k, ItemKind kind) {
    items_[k].kind = kind;
    const auto it = std::find(open_.begin(), open_.end(), k);
    if (it != open_.end()) open_.erase(it);
    if (kind == ItemKind::Blocked) blocked_.push_back(k);
}

void LayoutBuilder::appendRegion(float x1, float y1, float x2, float y2) {
    const bool empty = !(x2 - x1 > 0) || !(y2 - y1 > 0);
    items_.push_back(region(empty ? ItemKind::Consumed : ItemKind::Offcut, sheet_, x1, y1, x2, y2));
    if (!empty) open_.push_back(items_.size() - 1);
}

Block LayoutBuilder::placeBlock(int c, std::size_t k, FillStrategy strategy, IterationPhase phase, bool randomSize,
                                Random& random) {
    return placeBlockWith(c, k, strategy, phase, randomSize, random);
}

Block LayoutBuilder::placeBlock(int c, std::size_t k, FillStrategy strategy, IterationPhase phase, bool randomSize,
                                LibraryRandom& random) {
    return placeBlockWith(c, k, strategy, phase, randomSize, random);
}

template <class Generator>
Block LayoutBuilder::placeBlockWith(int c, std::size_t k, FillStrategy strategy, IterationPhase phase,
                                    bool randomSize, Generator& random) {
    const Shape& cut = shapes_[static_cast<std::size_t>(c - 1)];

    // Rotation code: a piece that must follow the grain on a sheet with grain keeps its length along y.
    const int rotation = sheetGrain_ == 1 && cut.align == 1 ? 1 : 0;

    // Placement: 1, width along x, length along y; 2: turned.
    Placement placement;
    if (phase.ordered())
        placement = !turnsPieces(strategy) || rotation == 1 ? Placement::Lengthwise : Placement::Turned;
    else
        placement = rotation == 0 ? static_cast<Placement>(random.draw(1, 2)) : Placement::Lengthwise;

    // Fit: whether one piece fits at all; the blade limits the count along y. Most tries end here, so
    // the test comes before any division: for single floats, floor(w / step) >= 1 exactly when
    // w >= step (the rounded quotient of a smaller w stays below 1).
    const float stepX = (placement == Placement::Lengthwise ? cut.width : cut.length) - tolerance_;
    const float stepY = (placement == Placement::Lengthwise ? cut.length : cut.width) - tolerance_;
    if (!(stepX > 0) || !(stepY > 0)) return {};  // not larger than the tolerance: never fits
    const LayoutItem& area = items_[k];
    if (!(area.x2 - area.x1 >= stepX) || !(area.y2 - area.y1 >= stepY) || !(blade_ >= stepY)) return {};
    return cutBlock(c, k, strategy, phase, randomSize, random, placement);
}

template <class Generator>
Block LayoutBuilder::cutBlock(int c, std::size_t k, FillStrategy strategy, IterationPhase phase, bool randomSize,
                              Generator& random, Placement placement) {
    const Shape& cut = shapes_[static_cast<std::size_t>(c - 1)];
    const SheetVariety& sheet = sheets_[static_cast<std::size_t>(sheet_ - 1)];
    const bool across = acrossFirst(strategy);
    const float sizeX = placement == Placement::Lengthwise ? cut.width : cut.length;
    const float sizeY = placement == Placement::Lengthwise ? cut.length : cut.width;
    const float stepX = sizeX - tolerance_;
    const float stepY = sizeY - tolerance_;
    const LayoutItem area = items_[k];  // a copy: the list grows below
    const float regionWidth = area.x2 - area.x1;
    const float regionHeight = area.y2 - area.y1;

    // Counts: how many fit.
    Block b{countOf(regionWidth / stepX), countOf(regionHeight / stepY)};
    b.ny = std::min(b.ny, countOf(blade_ / stepY));
    if (b.nx < 1 || b.ny < 1) return b;

    // Demand cap: no block larger than the remaining demand: the strategy's count first, then the other.
    const float q = quantities_[static_cast<std::size_t>(c - 1)];
    if (across) {
        lowerToDemand(b.ny, b.nx, q);
        lowerToDemand(b.nx, b.ny, q);
    } else {
        lowerToDemand(b.nx, b.ny, q);
        lowerToDemand(b.ny, b.nx, q);
    }

    // Random block size.
    if (randomSize && phase.iteration != 1) {
        const double n = static_cast<double>(phase.budget);
        if (static_cast<double>(phase.iteration) > roundHalfEven(n / 3.0)) {
            const bool late = static_cast<double>(phase.iteration) > roundHalfEven(n * 0.6667);
            if (across == late)
                b.nx = random.draw(1, b.nx);
            else
                b.ny = random.draw(1, b.ny);
        } else {
            b.ny = random.draw(1, b.ny);
            b.nx = random.draw(1, b.nx);
        }
    }

    // Split order.
    bool rowsFirst;
    switch (strategy) {
        case FillStrategy::AcrossFromMargin:
        case FillStrategy::AcrossFromMarginTurned: rowsFirst = area.x1 == sheet.marginLeft; break;
        case FillStrategy::AlongFromMargin:
        case FillStrategy::AlongFromMarginTurned: rowsFirst = !(area.y1 == sheet.marginTop); break;
        case FillStrategy::AcrossRowsFirst:
        case FillStrategy::AcrossRowsFirstTurned: rowsFirst = true; break;
        default: rowsFirst = false; break;
    }

    // Cutting the block.
    quantities_[static_cast<std::size_t>(c - 1)] -= static_cast<float>(b.nx * b.ny);
    markRegion(k, ItemKind::Consumed);
    // When the tolerance let one more piece in, the pieces of the block shrink equally to share
    // the region, by at most the tolerance each.
    const float px = std::min(sizeX, regionWidth / static_cast<float>(b.nx));
    const float py = std::min(sizeY, regionHeight / static_cast<float>(b.ny));
    items_.reserve(items_.size() + static_cast<std::size_t>(b.nx * b.ny) + 3);
    for (long long r = 1; r <= b.ny; ++r) {
        const float top = area.y1 + static_cast<float>(r - 1) * py;
        const float bottom = area.y1 + static_cast<float>(r) * py;
        for (long long j = 1; j <= b.nx; ++j) {
            const float left = area.x1 + static_cast<float>(j - 1) * px;
            const float right = area.x1 + static_cast<float>(j) * px;
            items_.push_back(LayoutItem{0, pieceKind(c), sheet_, left, top, right, bottom, 0, placement});
            pieceArea_ += itemArea(items_.back());
        }
    }
    const float blockRight = area.x1 + static_cast<float>(b.nx) * px;
    const float blockBottom = area.y1 + static_cast<float>(b.ny) * py;
    if (rowsFirst) {
        appendRegion(blockRight, area.y1, area.x2, blockBottom);  // beside the block
        appendRegion(area.x1, blockBottom, area.x2, area.y2);     // below, across the region
        if (area.x1 == sheet.marginLeft && area.x2 == sheet.width - sheet.marginRight) {
            items_.push_back(region(ItemKind::ThroughCut, sheet_, 0, blockBottom, sheet.width, blockBottom));
            ++throughCuts_;
        }
    } else {
        appendRegion(blockRight, area.y1, area.x2, area.y2);       // beside, down the region
        appendRegion(area.x1, blockBottom, blockRight, area.y2);   // below the block
        if (area.y1 == sheet.marginTop && area.y2 == sheet.length - sheet.marginBottom) {
            items_.push_back(region(ItemKind::ThroughCut, sheet_, blockRight, 0, blockRight, sheet.length));
            ++throughCuts_;
        }
    }
    return b;
}

void LayoutBuilder::fill(FillStrategy strategy, IterationPhase phase, bool randomSelection, Random& random) {
    fillWith(strategy, phase, randomSelection, random);
}

void LayoutBuilder::fill(FillStrategy strategy, IterationPhase phase, bool randomSelection, LibraryRandom& random) {
    fillWith(strategy, phase, randomSelection, random);
}

template <class Generator>
void LayoutBuilder::fillWith(FillStrategy strategy, IterationPhase phase, bool randomSelection, Generator& random) {
    // Tries that cannot fit are passed over only where their draws can be: with Random.
    constexpr bool kPassOver = std::is_same_v<Generator, Random>;
    const long long n = static_cast<long long>(shapes_.size());
    const bool ordered = phase.ordered();
    const bool turns = turnsPieces(strategy);
    const bool grainSheet = sheetGrain_ == 1;
    for (std::size_t k = nextFreeRegion(strategy); k != kNone; k = nextFreeRegion(strategy)) {
        const float width = items_[k].x2 - items_[k].x1;
        const float height = items_[k].y2 - items_[k].y1;
        // What a try of piece c does here. It may place a block only when the piece has a quantity
        // left and fits in a placement the try may take (the grain's, else in the ordered phase the
        // strategy's, else either); any other try of a piece with a quantity left draws its
        // placement (in the later phases, unless the grain fixes it) and changes nothing else, so
        // it is passed over and only its draw is skipped. Worked out without a branch.
        const auto ruleOf = [&](std::size_t c) -> std::uint8_t {
            const Shape& s = shapes_[c];
            const bool fixed = grainSheet & (s.align == 1);
            const bool lengthwise = s.lengthwiseUsable & (width >= s.lengthwiseX) & (height >= s.lengthwiseY);
            const bool turned = s.turnedUsable & (width >= s.turnedX) & (height >= s.turnedY);
            const bool fits = fixed ? lengthwise : ordered ? (turns ? turned : lengthwise) : (lengthwise | turned);
            const bool left = quantities_[c] > 0;
            return static_cast<std::uint8_t>(((left & fits) ? kMayPlace : 0) | ((left & !fits & !ordered & !fixed) ? kDraws : 0) |
                                             (left ? kTried : 0));
        };
        // In the later phases the rules of all pieces are worked out first: the random tries jump
        // about the list, and a region no piece may take is over at once. In the ordered phase,
        // where a failed try draws nothing, the first piece that fits often comes early in the list.
        bool anyMayPlace = true;
        std::uint64_t drawsPerPass = 0;
        long long triesPerPass = 0;
        if (kPassOver && !ordered) {
            anyMayPlace = false;
            for (std::size_t c = 0; c < shapes_.size(); ++c) {
                const std::uint8_t rule = ruleOf(c);
                tryRule_[c] = rule;
                anyMayPlace |= (rule & kMayPlace) != 0;
                drawsPerPass += rule & kDraws;
                triesPerPass += rule / kTried;
            }
        }
        bool placed = false;
        if (!ordered && !randomSelection) {
            // Random selection: two passes of n draws; the first block placed ends it.
            for (long long t = 0; t < 2 * n && !placed; ++t) {
                const long long c = random.draw(1, n);
                const auto index = static_cast<std::size_t>(c - 1);
                if constexpr (kPassOver) {
                    const std::uint8_t rule = tryRule_[index];
                    if (!(rule & kMayPlace)) {
                        tries_ += rule / kTried;
                        random.skip(rule & kDraws);
                        continue;
                    }
                } else {
                    if (!(quantities_[index] > 0)) continue;
                }
                ++tries_;
                placed = placeBlockWith(static_cast<int>(c), k, strategy, phase, false, random).placed();
            }
        }
        if (!placed) {
            // Ordered selection: two passes over the list. In the ordered phase a failed try draws
            // nothing and changes nothing, so the second pass would repeat the first exactly.
            const int passes = ordered ? 1 : 2;
            if (kPassOver && !anyMayPlace) {
                // No try can place a block: the passes only draw the placements.
                if constexpr (kPassOver) random.skip(drawsPerPass * static_cast<std::uint64_t>(passes));
                tries_ += triesPerPass * passes;
            } else {
                // The placements of tries passed over are skipped together, before the next draw.
                std::uint64_t skipped = 0;
                for (int pass = 0; pass < passes && !placed; ++pass) {
                    for (long long c = 1; c <= n; ++c) {
                        const auto index = static_cast<std::size_t>(c - 1);
                        if (!(quantities_[index] > 0)) continue;
                        ++tries_;
                        if constexpr (kPassOver) {
                            const std::uint8_t rule = ordered ? ruleOf(index) : tryRule_[index];
                            if (!(rule & kMayPlace)) {
                                skipped += rule & kDraws;
                                continue;
                            }
                            random.skip(skipped);
                            skipped = 0;
                        }
                        if (placeBlockWith(static_cast<int>(c), k, strategy, phase, randomSelection, random).placed()) {
                            placed = true;
                            randomSelection = false;
                            break;
                        }
                    }
                }
                if constexpr (kPassOver) random.skip(skipped);
            }
        }
        if (!placed) markRegion(k, ItemKind::Blocked);
    }
    releaseBlocked();
}

void LayoutBuilder::releaseBlocked() {
    for (const std::size_t k : blocked_) items_[k].kind = ItemKind::Offcut;
    // Released regions are free again, in list order.
    for (const std::size_t k : blocked_) open_.insert(std::lower_bound(open_.begin(), open_.end(), k), k);
    blocked_.clear();
}

bool LayoutBuilder::offcutsAcceptable() const {
    for (const LayoutItem& item : items_) {
        if (item.kind != ItemKind::Offcut) continue;
        const float w = item.x2 - item.x1;
        const float h = item.y2 - item.y1;
        if (w > 0 && h > 0 && (w < minOffcut_ || h < minOffcut_)) return false;
    }
    return true;
}

CandidateFigures LayoutBuilder::figures() const {
    CandidateFigures f;
    f.sheetArea = itemArea(items_.front());
    f.pieceArea = pieceArea_;
    f.throughCuts = throughCuts_;
    for (const LayoutItem& item : items_)
        if (item.kind == ItemKind::Offcut) f.largestOffcut = std::max(f.largestOffcut, itemArea(item));
    return f;
}

void LayoutBuilder::swapCandidate(LayoutBuilder& other) {
    std::swap(sheet_, other.sheet_);
    std::swap(sheetGrain_, other.sheetGrain_);
    items_.swap(other.items_);
    quantities_.swap(other.quantities_);
    open_.swap(other.open_);
    blocked_.swap(other.blocked_);
    std::swap(pieceArea_, other.pieceArea_);
    std::swap(throughCuts_, other.throughCuts_);
}

}  // namespace veltrix::engine
