#include "engine/plan_workers.h"

#include <algorithm>

namespace veltrix::engine {

struct PlanWorkers::Worker {
    Worker(const PreparedJob& job, long long budget) : search(job, budget) {}

    enum class State { Idle, Building, Done, Quit };

    Search search;
    IterationPlan plan;
    long long iteration = 0;
    double bound = -1;
    State state = State::Idle;
    std::exception_ptr error;
    std::mutex mutex;
    std::condition_variable changed;
    std::thread thread;

    void loop() {
        for (;;) {
            {
                std::unique_lock lock(mutex);
                changed.wait(lock, [&] { return state == State::Building || state == State::Quit; });
                if (state == State::Quit) return;
            }
            std::exception_ptr failure;
            try {
                search.build(iteration, bound, plan);
            } catch (...) {
                failure = std::current_exception();
            }
            {
                std::lock_guard lock(mutex);
                error = failure;
                state = State::Done;
            }
            changed.notify_all();
        }
    }
};

PlanWorkers::PlanWorkers(const PreparedJob& job, long long budget, unsigned count) {
    for (unsigned k = 0; k < count; ++k) {
        workers_.push_back(std::make_unique<Worker>(job, budget));
        Worker& w = *workers_.back();
        w.thread = std::thread([&w] { w.loop(); });
    }
}

PlanWorkers::~PlanWorkers() {
    for (auto& w : workers_) {
        {
            std::unique_lock lock(w->mutex);
            // A plan still being built (the run stopped mid-round) is finished and dropped.
            w->changed.wait(lock, [&] { return w->state != Worker::State::Building; });
            w->state = Worker::State::Quit;
        }
        w->changed.notify_all();
        w->thread.join();
    }
}

void PlanWorkers::start(unsigned k, long long iteration, double bound) {
    Worker& w = *workers_.at(k);
    {
        std::lock_guard lock(w.mutex);
        w.iteration = iteration;
        w.bound = bound;
        w.error = nullptr;
        w.state = Worker::State::Building;
    }
    w.changed.notify_all();
}

IterationPlan& PlanWorkers::wait(unsigned k) {
    Worker& w = *workers_.at(k);
    std::unique_lock lock(w.mutex);
    w.changed.wait(lock, [&] { return w.state == Worker::State::Done; });
    w.state = Worker::State::Idle;
    if (w.error) std::rethrow_exception(w.error);
    return w.plan;
}

unsigned PlanWorkers::workersFor(unsigned requested) {
    unsigned lanes = requested;
    if (lanes == 0) lanes = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
    return lanes - 1;
}

}  // namespace veltrix::engine
