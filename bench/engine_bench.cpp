// The engine on cabinet-shop jobs from small to large:
//  - EndToEnd: project text in, optimized project text out (preparation, every iteration of the
//    budget at nesting efficiency 1, the result stored), as `veltrix optimize --efficiency 1` does;
//  - Iteration: one iteration of a run at the default efficiency (10), early (iteration 2, pieces
//    in list order) and late (the last iteration: random selection, placements and block sizes),
//    without a best plan to cut it short;
//  - Run: every iteration of a run at efficiency 1 on one thread, with the bound of the best plan,
//    as the run's own thread builds them;
//  - Deep: the deep search at efficiency 1 on every processor, with its plan's figures and the
//    standard run's;
//  - Draw: one whole number drawn from the random sequence.
// Iteration and Run take the path (`/fast`, the default) or the path before tries that cannot fit
// were passed over (`/before`: the library's Mersenne Twister, every try worked out in full), so
// that both are measured side by side in one run. Both build the same plans; the counters `draws`
// and `tries` (per iteration) are those of the default path.

#include <benchmark/benchmark.h>

#include <string>

#include "engine/deep_search.h"
#include "engine/optimize.h"
#include "engine/prepare.h"
#include "engine/random.h"
#include "engine/search.h"
#include "job/document.h"
#include "job/project_file.h"
#include "base/file_ops.h"

namespace veltrix::engine {
namespace {

std::string jobPath(const char* name) { return std::string(VELTRIX_BENCH_JOBS) + "/" + name + ".opt"; }

PreparedJob preparedJob(const char* name) {
    PreparedJob prepared = prepareInput(readDocument(jobPath(name)).job());
    addKerf(prepared);
    sortByArea(prepared);
    return prepared;
}

// Time per iteration of the budget (shown as a time: s, ms, us).
benchmark::Counter perIteration(long long iterations) {
    return benchmark::Counter(static_cast<double>(iterations),
                              benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void EndToEnd(benchmark::State& state, const char* name, unsigned lanes) {
    const std::string text = readExistingFile(jobPath(name));
    RunObserver observer;
    long long budget = 0, layouts = 0;
    for (auto _ : state) {
        Document doc = documentOfProject(parseProject(text), StockMode::Sheet);
        RunSettings settings;
        settings.efficiency = 1;
        settings.lanes = lanes;
        const RunOutcome outcome = optimize(doc.job(), settings, observer);
        doc.plan = outcome.plan;
        std::string written = projectText(projectOfDocument(doc));
        benchmark::DoNotOptimize(written);
        budget = outcome.figures.budget;
        layouts = outcome.plan.layoutCount();
    }
    state.counters["budget"] = static_cast<double>(budget);
    state.counters["layouts"] = static_cast<double>(layouts);
    state.counters["per_iteration"] = perIteration(budget);
}

void Iteration(benchmark::State& state, const char* name, bool late, bool before) {
    const PreparedJob prepared = preparedJob(name);
    const long long budget = iterationBudget(prepared.cuts.size(), 10);
    const long long i = late ? budget : 2;
    SearchOptions options;
    options.referencePath = before;
    int layouts = 0;
    SearchCounts counts;
    for (auto _ : state) {
        Search search(prepared, budget, options);
        const IterationOutcome outcome = search.iterate(i);
        benchmark::DoNotOptimize(outcome);
        layouts = outcome.layouts;
        counts = search.counts();
    }
    state.counters["layouts"] = layouts;
    if (!before) {
        state.counters["draws"] = static_cast<double>(counts.draws);
        state.counters["tries"] = static_cast<double>(counts.tries);
    }
}

void Run(benchmark::State& state, const char* name, bool before) {
    const PreparedJob prepared = preparedJob(name);
    const long long budget = iterationBudget(prepared.cuts.size(), 1);
    SearchOptions options;
    options.referencePath = before;
    SearchCounts counts;
    int layouts = 0;
    for (auto _ : state) {
        Search search(prepared, budget, options);
        for (long long i = 1; i <= budget; ++i) search.iterate(i);
        layouts = search.bestStatistics().layouts;
        counts = search.counts();
    }
    state.counters["budget"] = static_cast<double>(budget);
    state.counters["layouts"] = layouts;
    state.counters["per_iteration"] = perIteration(budget);
    if (!before) {
        state.counters["draws"] = static_cast<double>(counts.draws) / static_cast<double>(budget);
        state.counters["tries"] = static_cast<double>(counts.tries) / static_cast<double>(budget);
    }
}

// The deep search at nesting efficiency 1 on every processor: wall-clock time, and the yield and
// layouts of its plan against the standard run's.
void Deep(benchmark::State& state, const char* name) {
    const Job job = readDocument(jobPath(name)).job();
    RunSettings settings;
    settings.efficiency = 1;
    RunObserver quiet;
    const RunOutcome standard = optimize(job, settings, quiet);
    DeepObserver observer;
    DeepOutcome deep;
    for (auto _ : state) deep = optimizeDeep(job, settings, observer);
    state.counters["runs"] = static_cast<double>(stockVariants(job).size() + 1);
    state.counters["yield"] = std::stod(deep.outcome.figures.yieldText);
    state.counters["layouts"] = deep.outcome.plan.layoutCount();
    state.counters["standard_yield"] = std::stod(standard.figures.yieldText);
    state.counters["standard_layouts"] = standard.plan.layoutCount();
    state.SetLabel(deep.line);
}

template <class Generator>
void Draw(benchmark::State& state) {
    Generator random;
    random.seed(1);
    long long n = 1;
    for (auto _ : state) {
        // Bounds as the fill draws them: a variety of a 100-variety job, then a placement.
        n += random.draw(1, 100);
        n += random.draw(1, 2);
    }
    benchmark::DoNotOptimize(n);
    state.SetItemsProcessed(2 * state.iterations());
}

// One lane, and two lanes (iterations built side by side on two threads): wall-clock time.
BENCHMARK_CAPTURE(EndToEnd, small, "small", 1u)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(EndToEnd, small_2lanes, "small", 2u)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(EndToEnd, medium, "medium", 1u)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(EndToEnd, medium_2lanes, "medium", 2u)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(EndToEnd, large, "large", 1u)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK_CAPTURE(EndToEnd, large_2lanes, "large", 2u)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK_CAPTURE(EndToEnd, xlarge, "xlarge", 1u)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK_CAPTURE(EndToEnd, xlarge_2lanes, "xlarge", 2u)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

#define VELTRIX_ITERATION(job)                                                                                     \
    BENCHMARK_CAPTURE(Iteration, job##_ordered/fast, #job, false, false)->Unit(benchmark::kMillisecond);         \
    BENCHMARK_CAPTURE(Iteration, job##_ordered/before, #job, false, true)->Unit(benchmark::kMillisecond);        \
    BENCHMARK_CAPTURE(Iteration, job##_random/fast, #job, true, false)->Unit(benchmark::kMillisecond);           \
    BENCHMARK_CAPTURE(Iteration, job##_random/before, #job, true, true)->Unit(benchmark::kMillisecond);
VELTRIX_ITERATION(small)
VELTRIX_ITERATION(medium)
VELTRIX_ITERATION(large)
VELTRIX_ITERATION(xlarge)

BENCHMARK_CAPTURE(Run, medium/fast, "medium", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Run, medium/before, "medium", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Run, large/fast, "large", false)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(Run, large/before, "large", true)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(Run, xlarge/fast, "xlarge", false)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK_CAPTURE(Run, xlarge/before, "xlarge", true)->Unit(benchmark::kMillisecond)->Iterations(1);

BENCHMARK_CAPTURE(Deep, small, "small")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK_CAPTURE(Deep, medium, "medium")->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK_CAPTURE(Deep, large, "large")->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();

BENCHMARK_TEMPLATE(Draw, Random)->Name("Draw/fast");
BENCHMARK_TEMPLATE(Draw, LibraryRandom)->Name("Draw/before");

}  // namespace
}  // namespace veltrix::engine

BENCHMARK_MAIN();
