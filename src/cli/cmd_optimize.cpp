// veltrix optimize JOB [--deep]: runs the optimization of a project file (or a deep search over
// variants of its stock) and stores the cutting plan in its layout result section.

#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <ostream>
#include <thread>

#include "app/job_commands.h"
#include "cli/args.h"
#include "cli/console.h"
#include "engine/statistics.h"
#include "base/number_text.h"
#include "base/workspace.h"

namespace veltrix::cli {
namespace {

volatile std::sig_atomic_t interrupted = 0;

// The first Ctrl+C asks the run to stop after the current iteration (the result is still written);
// a second one ends the program at once, leaving the job file as it was.
extern "C" void onInterrupt(int) {
    if (interrupted) {
        std::signal(SIGINT, SIG_DFL);
        std::raise(SIGINT);
        return;
    }
    interrupted = 1;
}

// Ctrl+C acts as the Stop button for as long as a run goes on: a watcher turns the interrupt into
// a stop request (a signal handler may not request it itself). The usual handling returns after.
class InterruptAsStop {
public:
    explicit InterruptAsStop(std::stop_source& stop) {
        interrupted = 0;
        previous_ = std::signal(SIGINT, onInterrupt);
        watcher_ = std::jthread([&stop](std::stop_token done) {
            while (!done.stop_requested()) {
                if (interrupted) stop.request_stop();
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        });
    }
    ~InterruptAsStop() {
        watcher_.request_stop();
        watcher_.join();
        std::signal(SIGINT, previous_);
    }
    InterruptAsStop(const InterruptAsStop&) = delete;
    InterruptAsStop& operator=(const InterruptAsStop&) = delete;

private:
    void (*previous_)(int) = SIG_DFL;
    std::jthread watcher_;
};

// The progress dialog on a terminal: one line on the error stream, redrawn after every iteration.
// Ctrl+C and --stop-after K become a stop request, acted on after the current iteration.
class ProgressLine : public engine::RunObserver {
public:
    ProgressLine(std::ostream& err, bool terminal, long long stopAfter, std::stop_source& stop)
        : err_(err), terminal_(terminal), stopAfter_(stopAfter), stop_(stop) {}

    void messageChanged(const std::string& text) override { message_ = text; }
    void iterationDone(const engine::RunFigures& f) override {
        if ((stopAfter_ > 0 && f.iteration >= stopAfter_) || stop_.stop_requested()) {
            stop_.request_stop();
            message_ = engine::kTerminatingMessage;
        }
        if (terminal_) draw(f);
    }
    // The run is over: the line ends.
    void finish() {
        if (terminal_ && drawn_) err_ << "\n";
    }

private:
    void draw(const engine::RunFigures& f) {
        constexpr int kWidth = 30;
        const long long filled = f.budget > 0 ? f.iteration * kWidth / f.budget : kWidth;
        std::string bar(static_cast<std::size_t>(filled), '#');
        bar.resize(kWidth, '.');
        const std::string yield = f.yieldText == "0" || f.yieldText == "NA" ? f.yieldText : f.yieldText + "%";
        err_ << "\r[" << bar << "] iteration " << f.iteration << " of " << f.budget << "  yield " << yield
             << "  layouts " << f.layoutsText << "  improvements " << f.improvements;
        if (message_ == engine::kTerminatingMessage) err_ << "  stopping...";
        err_ << "\x1b[K" << std::flush;
        drawn_ = true;
    }

    std::ostream& err_;
    bool terminal_;
    long long stopAfter_;
    std::stop_source& stop_;
    std::string message_;
    bool drawn_ = false;
};

// The progress of a deep search on a terminal: a line for every run that ends, and under them a
// line redrawn as the search goes on.
class DeepProgressLines : public engine::DeepObserver {
public:
    DeepProgressLines(std::ostream& err, bool terminal) : err_(err), terminal_(terminal) {}
    void runFinished(const engine::DeepProgress& p) override {
        if (!terminal_) return;
        err_ << "\rdeep search: " << p.finished << " of " << p.runs << " runs done (" << p.stock << ")";
        if (p.found) err_ << "; best: " << p.bestStock << ", yield " << p.yieldText << ", layouts " << p.layoutsText;
        err_ << "\x1b[K\n" << std::flush;
    }
    void progressed(const engine::DeepProgress& p) override {
        if (!terminal_) return;
        err_ << "\rdeep search: " << p.permille / 10 << "." << p.permille % 10 << " % of " << p.runs << " runs"
             << "\x1b[K" << std::flush;
    }

private:
    std::ostream& err_;
    bool terminal_;
};

int optimize(CommandContext& context) {
    CLI::App app{"Optimizes a job and stores the cutting plan in its layout result section", "veltrix optimize"};
    std::string job, output, objective;
    int efficiency = 0;
    long long stopAfter = 0, continueFrom = 0;
    app.add_option("JOB", job, "project file (.opt sheet mode, .dcm coil mode)")->required();
    app.add_option("-o,--output", output, "write the optimized project here instead of over JOB");
    app.add_option("--efficiency", efficiency, "nesting efficiency in percent (default: misc.set, else 10)")
        ->check(CLI::Range(1, 100));
    app.add_option("--objective", objective, "yield or layouts (default: the job's options)")
        ->check(CLI::IsMember({"yield", "layouts"}));
    app.add_option("--stop-after", stopAfter, "stop as the Stop button does after iteration K")
        ->check(CLI::PositiveNumber);
    app.add_option("--continue-from", continueFrom,
                   "continue a stopped run at iteration K from the plan stored in JOB")
        ->check(CLI::PositiveNumber);
    bool deep = false;
    app.add_flag("--deep", deep,
                 "deep search: the standard run and runs on variants of the stock (each row alone, all but one, "
                 "every combination of up to four rows), on every core; the best plan is kept");
    if (auto done = parseArguments(app, context)) return *done;
    if (deep && (stopAfter > 0 || continueFrom > 0))
        throw UsageError("A deep search is neither stopped after an iteration nor continued.");

    Document doc = openJob(job);
    const std::filesystem::path target = output.empty() ? doc.path : std::filesystem::path(output);
    // Refused before the run rather than after it.
    checkJobTarget(doc, target);
    OptimizeRequest request;
    if (efficiency > 0) request.efficiency = efficiency;
    if (objective == "yield") request.objective = Objective{true, false};
    if (objective == "layouts") request.objective = Objective{false, true};
    request.continueFrom = continueFrom;

    ConsolePrompt prompt(context.err);
    std::stop_source stop;
    const bool terminal = isatty(STDERR_FILENO) == 1;
    ProgressLine progress(context.err, terminal, stopAfter, stop);
    DeepProgressLines deepProgress(context.err, terminal);
    engine::RunOutcome outcome;
    std::string deepLine;
    {
        InterruptAsStop stopOnInterrupt(stop);
        if (deep) {
            engine::DeepOutcome found =
                deepSearchJob(doc, Workspace(context.workdir), request, deepProgress, stop.get_token(), prompt);
            outcome = std::move(found.outcome);
            deepLine = std::move(found.line);
        } else {
            outcome = optimizeJob(doc, Workspace(context.workdir), request, progress, stop.get_token(), prompt);
        }
    }
    progress.finish();

    if (outcome.status == engine::RunOutcome::Status::Invalid) {
        if (!outcome.message.empty()) context.err << outcome.message << "\n";
        return kExitJobFailed;
    }
    if (outcome.failed) {
        // Nothing is written: the job file, or an earlier output, stays as it was.
        context.err << outcome.message << "\n";
        if (!outcome.reason.empty()) context.err << outcome.reason << "\n";
        return kExitJobFailed;
    }
    saveJob(doc, target);
    // A continued run whose own iterations met the demand nowhere keeps the plan it continued
    // from: its figures are that plan's, not the "0" of a run that found nothing.
    engine::RunFigures figures = outcome.figures;
    if (figures.layoutsText == "0" && !outcome.plan.empty()) {
        const engine::SolutionStatistics kept = engine::solutionStatistics(outcome.plan.items);
        figures.layoutsText = std::to_string(kept.layouts);
        figures.yieldText = doc.mode == StockMode::Coil ? "NA" : fixedText(kept.yield * 100, 2, true);
    }
    context.out << outcome.message << "\n";
    context.out << "Total Layouts: " << figures.layoutsText << "\n";
    context.out << "Overall Yield: " << figures.yieldText << "\n";
    if (!deepLine.empty()) context.out << deepLine << "\n";
    if (outcome.status == engine::RunOutcome::Status::Stopped && !deep)
        context.out << "Stopped after iteration " << outcome.lastIteration << " of " << outcome.figures.budget
                    << "; continue with --continue-from " << outcome.lastIteration << "\n";
    return kExitOk;
}

const CommandRegistration registration(
    {"optimize",
     "optimize JOB [-o OUT] [--efficiency PCT] [--objective yield|layouts] [--stop-after K] [--continue-from K] [--deep]",
     "computes the cutting plan and stores it in the job's layout result section", &optimize});

}  // namespace
}  // namespace veltrix::cli
