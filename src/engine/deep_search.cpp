#include "engine/deep_search.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <exception>
#include <functional>
#include <mutex>
#include <system_error>
#include <thread>

#include "engine/loaded_result.h"
#include "engine/plan_workers.h"
#include "engine/prepare.h"
#include "engine/statistics.h"
#include "base/number_text.h"

namespace veltrix::engine {
namespace {

// Every field but the quantity: rows with the same stock merge into one variety.
bool sameStock(const SheetVariety& a, const SheetVariety& b) {
    SheetVariety x = a;
    x.quantity = b.quantity;
    return x == b;
}

Job withRows(const Job& job, const std::vector<int>& rows) {
    Job variant = job;
    variant.stock.clear();
    for (int r : rows) variant.stock.push_back(job.stock[static_cast<std::size_t>(r - 1)]);
    return variant;
}

// The rows a run keeps, identical ones in one group, groups in the order of their first rows.
std::vector<std::vector<int>> stockGroups(const Job& job) {
    std::vector<std::vector<int>> groups;
    std::vector<SheetVariety> kinds;
    for (int r = 1; r <= static_cast<int>(job.stock.size()); ++r) {
        const PreparedJob alone = prepareInput(withRows(job, {r}));
        if (alone.sheets.empty()) continue;
        const auto same = [&](const SheetVariety& kind) { return sameStock(kind, alone.sheets[0]); };
        const auto at = std::find_if(kinds.begin(), kinds.end(), same);
        if (at == kinds.end()) {
            kinds.push_back(alone.sheets[0]);
            groups.push_back({r});
        } else {
            groups[static_cast<std::size_t>(at - kinds.begin())].push_back(r);
        }
    }
    return groups;
}

// Renumbers a variant's plan against the whole job: each of the variant's sheet varieties is the
// whole job's variety of the same stock that holds the merged quantity.
Plan numberedAgainst(const Job& job, const Job& variant, Plan plan) {
    const std::vector<SheetVariety> all = prepareNumbering(job).sheets;
    const std::vector<SheetVariety> own = prepareNumbering(variant).sheets;
    std::vector<int> number(own.size(), 0);
    for (std::size_t v = 0; v < own.size(); ++v)
        for (std::size_t w = 0; w < all.size(); ++w)
            if (all[w].quantity > 0 && sameStock(all[w], own[v])) number[v] = static_cast<int>(w) + 1;
    for (LayoutItem& item : plan.items) item.sheet = number.at(static_cast<std::size_t>(item.sheet - 1));
    return plan;
}

// Whether a plan with figures `a` beats one with `b` by the objective.
bool better(const SolutionStatistics& a, const SolutionStatistics& b, OptimizationMode mode) {
    if (mode == OptimizationMode::MinimumLayouts && a.layouts != b.layouts) return a.layouts < b.layouts;
    if (a.yield != b.yield) return a.yield > b.yield;
    return a.layouts < b.layouts;
}

}  // namespace

std::vector<std::vector<int>> stockVariants(const Job& job) {
    const std::vector<std::vector<int>> groups = stockGroups(job);
    const std::size_t g = groups.size();
    if (g < 2) return {};
    std::vector<unsigned> masks;
    const unsigned all = (1u << std::min<std::size_t>(g, 31)) - 1;
    if (g <= 4) {
        for (unsigned mask = 1; mask < all; ++mask) masks.push_back(mask);
        std::stable_sort(masks.begin(), masks.end(),
                         [](unsigned a, unsigned b) { return std::popcount(a) < std::popcount(b); });
    }
    std::vector<std::vector<int>> variants;
    const auto add = [&](const std::vector<bool>& chosen) {
        std::vector<int> rows;
        for (std::size_t k = 0; k < g; ++k)
            if (chosen[k]) rows.insert(rows.end(), groups[k].begin(), groups[k].end());
        std::sort(rows.begin(), rows.end());
        if (std::find(variants.begin(), variants.end(), rows) == variants.end()) variants.push_back(rows);
    };
    if (g <= 4) {
        for (unsigned mask : masks) {
            std::vector<bool> chosen(g);
            for (std::size_t k = 0; k < g; ++k) chosen[k] = (mask >> k) & 1u;
            add(chosen);
        }
    } else {
        for (std::size_t k = 0; k < g; ++k) {  // each alone
            std::vector<bool> chosen(g, false);
            chosen[k] = true;
            add(chosen);
        }
        for (std::size_t k = 0; k < g; ++k) {  // all but one
            std::vector<bool> chosen(g, true);
            chosen[k] = false;
            add(chosen);
        }
    }
    return variants;
}

std::string stockText(const Job& job, const std::vector<int>& rows) {
    const std::string kind = job.mode == StockMode::Coil ? "coil" : "sheet";
    if (rows.empty()) return "all " + kind + " rows";
    std::string text = kind + " rows ";
    for (std::size_t k = 0; k < rows.size(); ++k) text += (k ? ", " : "") + std::to_string(rows[k]);
    return text;
}

namespace {

// Tells how far one run of a deep search has come: the share of its iterations done.
class RunShare : public RunObserver {
public:
    explicit RunShare(std::function<void(double)> tell) : tell_(std::move(tell)) {}
    void iterationDone(const RunFigures& figures) override {
        if (figures.budget > 0) tell_(static_cast<double>(figures.iteration) / static_cast<double>(figures.budget));
    }

private:
    std::function<void(double)> tell_;
};

// The search's progress in thousandths: the runs' shares, each run counting alike.
int permilleOf(const std::vector<double>& shares) {
    double sum = 0;
    for (const double share : shares) sum += std::min(share, 1.0);
    return static_cast<int>(sum * 1000 / static_cast<double>(shares.size()));
}

}  // namespace

DeepOutcome optimizeDeep(const Job& job, const RunSettings& settings, DeepObserver& observer, std::stop_token stop) {
    RunSettings each;
    each.efficiency = settings.efficiency;
    each.lanes = 1;
    RunObserver quiet;

    DeepOutcome deep;
    PreparedJob prepared = prepareInput(job);
    if (validationMessage(prepared) || tooSmallPieceMessage(prepared)) {
        deep.outcome = optimize(job, each, quiet, stop);  // the validation message, nothing run
        return deep;
    }

    const std::vector<std::vector<int>> variants = stockVariants(job);
    const std::size_t runs = variants.size() + 1;
    const bool coil = job.mode == StockMode::Coil;
    const OptimizationMode mode = job.objective.mode();

    struct Best {
        bool found = false;
        std::size_t run = 0;
        RunOutcome outcome;
        SolutionStatistics stats;
    } best;
    DeepProgress progress;
    progress.runs = runs;
    std::mutex mutex;  // guards best, progress, shares and the observer's calls
    std::vector<double> shares(runs, 0.0);  // of each run, the share of its iterations done
    std::atomic<std::size_t> next{0};
    std::exception_ptr failure;
    std::atomic<bool> abandoned{false};  // a run threw: no other is started
    std::string standardReason;           // why the standard run failed, when it did

    const auto work = [&] {
        try {
            for (std::size_t run = next++; run < runs && !stop.stop_requested() && !abandoned; run = next++) {
                const std::vector<int> rows = run == 0 ? std::vector<int>{} : variants[run - 1];
                {
                    std::lock_guard lock(mutex);
                    progress.run = run;
                    progress.stock = stockText(job, rows);
                    observer.runStarted(progress);
                }
                const Job variant = run == 0 ? job : withRows(job, rows);
                RunShare share([&, run](double done) {
                    std::lock_guard lock(mutex);
                    shares[run] = done;
                    const int permille = permilleOf(shares);
                    if (permille == progress.permille) return;
                    progress.permille = permille;
                    observer.progressed(progress);
                });
                RunOutcome outcome = optimize(variant, each, share, stop);
                SolutionStatistics stats;
                const bool found = outcome.status != RunOutcome::Status::Invalid && !outcome.plan.empty();
                if (found) {
                    if (run > 0) outcome.plan = numberedAgainst(job, variant, std::move(outcome.plan));
                    stats = solutionStatistics(loadResult(job, outcome.plan).items);
                }
                std::lock_guard lock(mutex);
                if (run == 0) standardReason = outcome.reason;
                ++progress.finished;
                shares[run] = 1.0;  // a run that ends early (infeasible, or nothing to improve) is done all the same
                progress.permille = permilleOf(shares);
                progress.run = run;
                progress.stock = stockText(job, rows);
                // A tie goes to the earlier run, whichever finished first.
                if (found && (!best.found || better(stats, best.stats, mode) ||
                              (!better(best.stats, stats, mode) && run < best.run))) {
                    best = Best{true, run, std::move(outcome), stats};
                    progress.found = true;
                    progress.bestStock = stockText(job, rows);
                    progress.yieldText = coil ? "NA" : fixedText(stats.yield * 100, 2, true);
                    progress.layoutsText = std::to_string(stats.layouts);
                }
                observer.runFinished(progress);
            }
        } catch (...) {
            std::lock_guard lock(mutex);
            if (!failure) failure = std::current_exception();
            abandoned = true;
        }
    };
    const std::size_t threads = std::min<std::size_t>(PlanWorkers::workersFor(settings.lanes) + 1, runs);
    std::vector<std::thread> helpers;
    try {
        for (std::size_t t = 1; t < threads; ++t) helpers.emplace_back(work);
    } catch (const std::system_error&) {
        // No more threads to be had: the ones there are share the runs.
    }
    work();
    for (std::thread& helper : helpers) helper.join();
    if (failure) std::rethrow_exception(failure);

    const bool stopped = stop.stop_requested();
    RunOutcome& outcome = deep.outcome;
    outcome.status = stopped ? RunOutcome::Status::Stopped : RunOutcome::Status::Done;
    outcome.message = stopped ? kDeepStoppedMessage : kDoneMessage;
    if (best.found) {
        outcome.plan = std::move(best.outcome.plan);
        outcome.figures.yieldText = progress.yieldText;
        outcome.figures.layoutsText = progress.layoutsText;
        outcome.figures.demandMet = true;
        deep.rows = best.run == 0 ? std::vector<int>{} : variants[best.run - 1];
        deep.line = "Deep search: best with " + stockText(job, deep.rows);
    } else {
        outcome.message = kFailedMessage;
        outcome.reason = standardReason;
        outcome.failed = true;
        outcome.helpTopic = kFailureHelpTopic;
    }
    return deep;
}

}  // namespace veltrix::engine
