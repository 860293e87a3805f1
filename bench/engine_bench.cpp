// The engine on cabinet-shop jobs from small to large:
//  - EndToEnd: project text in, optimized project text out (preparation, every iteration of the
//    budget at nesting efficiency 1, the result written), as `veltrix optimize --efficiency 1` does;
//  - Iteration/ordered and Iteration/random: one iteration of a run at the default efficiency (10),
//    early (iteration 2, pieces in list order) and late (the last iteration, random selection and
//    random placement), without a best plan to cut it short.

#include <benchmark/benchmark.h>

#include <string>

#include "engine/optimize.h"
#include "engine/prepare.h"
#include "engine/search.h"
#include "job/document.h"
#include "job/project_file.h"
#include "table/file_ops.h"

namespace veltrix::engine {
namespace {

std::string jobPath(const char* name) { return std::string(VELTRIX_BENCH_JOBS) + "/" + name + ".opt"; }

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
    // Time per iteration of the budget (shown as a time: s, ms, us).
    state.counters["per_iteration"] = benchmark::Counter(
        static_cast<double>(budget), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

void Iteration(benchmark::State& state, const char* name, bool late) {
    PreparedJob prepared = prepareInput(readDocument(jobPath(name)).job());
    addKerf(prepared);
    sortByArea(prepared);
    const long long budget = iterationBudget(prepared.cuts.size(), 10);
    const long long i = late ? budget : 2;
    int layouts = 0;
    for (auto _ : state) {
        Search search(prepared, budget);
        const IterationOutcome outcome = search.iterate(i);
        benchmark::DoNotOptimize(outcome);
        layouts = outcome.layouts;
    }
    state.counters["layouts"] = layouts;
    state.counters["pieces"] = [&] {
        double n = 0;
        for (const auto& c : prepared.cuts) n += c.quantity;
        return n;
    }();
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
BENCHMARK_CAPTURE(Iteration, small_ordered, "small", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Iteration, small_random, "small", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Iteration, medium_ordered, "medium", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Iteration, medium_random, "medium", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Iteration, large_ordered, "large", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Iteration, large_random, "large", true)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Iteration, xlarge_ordered, "xlarge", false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Iteration, xlarge_random, "xlarge", true)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace veltrix::engine

BENCHMARK_MAIN();
