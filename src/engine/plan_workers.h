#pragma once
// Worker threads that build the plans of later iterations while the run's own thread builds the
// current one. Each worker owns a search of its own (buffers and random sequence); the plans are
// offered to the run's search in iteration order, so the result is the same with any number of
// workers.

#include <condition_variable>
#include <exception>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/search.h"

namespace veltrix::engine {

class PlanWorkers {
public:
    // `count` workers (none for 0) for the job, which must outlive them.
    PlanWorkers(const PreparedJob& job, long long budget, unsigned count);
    ~PlanWorkers();
    PlanWorkers(const PlanWorkers&) = delete;
    PlanWorkers& operator=(const PlanWorkers&) = delete;

    unsigned count() const { return static_cast<unsigned>(workers_.size()); }
    // Worker k starts building the plan of `iteration`, cut short by `bound` (none when negative).
    void start(unsigned k, long long iteration, double bound);
    // Waits for worker k's plan. Rethrows what the worker's build threw.
    IterationPlan& wait(unsigned k);

    // Number of workers for `requested` lanes (0: one lane per processor, at most 8) less the
    // run's own thread.
    static unsigned workersFor(unsigned requested);

private:
    struct Worker;
    std::vector<std::unique_ptr<Worker>> workers_;
};

}  // namespace veltrix::engine
