// veltrix optimize JOB: runs the optimization of a project file and stores the cutting plan in its
// layout result section.

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <ostream>

#include "cli/args.h"
#include "cli/console.h"
#include "cli/job_io.h"
#include "engine/result_files.h"
#include "engine/run_driver.h"
#include "job/settings.h"
#include "table/number_text.h"
#include "table/workspace.h"

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

// Ctrl+C acts as the Stop button for as long as a run goes on; the usual handling returns after.
class InterruptAsStop {
public:
    InterruptAsStop() {
        interrupted = 0;
        previous_ = std::signal(SIGINT, onInterrupt);
    }
    ~InterruptAsStop() { std::signal(SIGINT, previous_); }
    InterruptAsStop(const InterruptAsStop&) = delete;
    InterruptAsStop& operator=(const InterruptAsStop&) = delete;

private:
    void (*previous_)(int) = SIG_DFL;
};

// The events of a command-line run: an interrupt becomes a stop request.
class InterruptPump : public EventPump {
public:
    void attach(engine::RunDriver& driver) { driver_ = &driver; }
    void processEvents() override {
        if (interrupted && driver_ != nullptr) driver_->requestStop();
    }

private:
    engine::RunDriver* driver_ = nullptr;
};

// The progress dialog on a terminal: one line on the error stream, redrawn after every iteration.
class ProgressLine : public engine::RunObserver {
public:
    ProgressLine(std::ostream& err, bool terminal, long long stopAfter)
        : err_(err), terminal_(terminal), stopAfter_(stopAfter) {}
    void attach(engine::RunDriver& driver) { driver_ = &driver; }

    void messageChanged(const std::string& text) override { message_ = text; }
    void runStarted(const engine::RunStart& start) override { coil_ = start.coil; }
    void iterationDone(const engine::RunFigures& f) override {
        if (terminal_) draw(f);
        if ((stopAfter_ > 0 && f.iteration >= stopAfter_) || interrupted) driver_->requestStop();
    }
    void runFinished(const engine::RunOutcome&) override {
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
    engine::RunDriver* driver_ = nullptr;
    std::string message_;
    bool coil_ = false;
    bool drawn_ = false;
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
    if (auto done = parseArguments(app, context)) return *done;

    auto loaded = loadJob(job, context.err);
    if (!loaded) return kExitUsage;
    JobFile& jobFile = *loaded;
    const Workspace workspace(context.workdir);

    engine::RunSettings settings;
    settings.stock = jobFile.mode;
    settings.objective = jobFile.objective;
    if (objective == "yield") settings.objective = Objective{true, false};
    if (objective == "layouts") settings.objective = Objective{false, true};
    settings.efficiency = efficiency > 0 ? efficiency : readMiscSettings(workspace).efficiency;

    ConsolePrompt prompt(context.err);
    InterruptPump pump;
    ProgressLine progress(context.err, isatty(STDERR_FILENO) == 1, stopAfter);
    engine::RunDriver driver(prompt, pump, progress);
    pump.attach(driver);
    progress.attach(driver);

    if (!engine::checkBeforeRun(driver, jobFile.tables.basic, workspace)) return kExitJobFailed;

    engine::RunState state;
    state.continuation = continueFrom;
    Project project = jobFile.project;
    const std::filesystem::path target = output.empty() ? jobFile.path : std::filesystem::path(output);
    engine::RunStorage storage;
    storage.readBest = [&] { return engine::parseLayoutItems(jobFile.project.text(kResultSection)); };
    storage.write = [&](const std::vector<engine::LayoutItem>& items) {
        project.setText(kResultSection, engine::layoutItemsText(items));
        writeProjectFile(target, project);
    };

    engine::RunOutcome outcome;
    try {
        InterruptAsStop stopOnInterrupt;
        outcome = driver.run(jobFile.tables, settings, state, storage);
    } catch (const std::exception& e) {
        context.err << "veltrix: " << e.what() << "\n";
        return kExitUsage;
    }

    if (outcome.status == engine::RunOutcome::Status::Invalid) {
        context.err << outcome.message << "\n";
        return kExitJobFailed;
    }
    context.out << outcome.message << "\n";
    context.out << "Total Layouts: " << outcome.figures.layoutsText << "\n";
    context.out << "Overall Yield: " << outcome.figures.yieldText << "\n";
    if (outcome.status == engine::RunOutcome::Status::Stopped)
        context.out << "Stopped after iteration " << state.continuation << " of " << outcome.figures.budget
                    << "; continue with --continue-from " << state.continuation << "\n";
    return outcome.failed ? kExitJobFailed : kExitOk;
}

const CommandRegistration registration(
    {"optimize", "optimize JOB [-o OUT] [--efficiency PCT] [--objective yield|layouts] [--stop-after K] [--continue-from K]",
     "computes the cutting plan and stores it in the job's layout result section", &optimize});

}  // namespace
}  // namespace veltrix::cli
