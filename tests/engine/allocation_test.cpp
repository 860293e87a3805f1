// Filling a sheet allocates nothing once the builder's buffers have grown: every global allocation
// of this test program is counted.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "engine/layout_generation.h"
#include "engine/prepare.h"
#include "job/document.h"
#include "support/temp_folder.h"

namespace {
std::atomic<long long> allocations{0};
}

void* operator new(std::size_t size) {
    ++allocations;
    if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace veltrix::engine {
namespace {

TEST(HotPath, RefillingASheetAllocatesNothing) {
    PreparedJob job = prepareInput(readDocument(test::dataFile("conformance/cabinet.opt")).job());
    addKerf(job);
    sortByArea(job);
    std::vector<float> quantities;
    for (const auto& c : job.cuts) quantities.push_back(c.quantity);
    LayoutBuilder builder(job.sheets, job.cuts, job.basic.blade + job.basic.kerf, job.basic.tolerance,
                          job.basic.minOffcut);
    Random random;
    long long pieces = 0, before = 0;
    for (int round = 0; round < 2; ++round) {
        before = allocations.load();  // the second round runs on the grown buffers
        for (int strategy = 1; strategy <= kStrategyCount; ++strategy) {
            random.seed(static_cast<std::uint32_t>(strategy));
            builder.startLayout(1, quantities);
            builder.fill(strategyOfNumber(strategy), IterationPhase{150, 192}, strategy % 2 == 0, random);
            for (const auto& item : builder.items()) pieces += item.isPiece() ? 1 : 0;
        }
    }
    EXPECT_EQ(allocations.load() - before, 0);
    EXPECT_GT(pieces, 0);
}

}  // namespace
}  // namespace veltrix::engine
