#pragma once
// The random sequence of the optimization: a Mersenne Twister restarted from a seed, and whole
// numbers drawn between two bounds. The sequence depends on the seed only, on every platform.

#include <cstdint>
#include <random>

namespace veltrix::engine {

class Random {
public:
    // Restarts the sequence from `seed`.
    void seed(std::uint32_t seed) { generator_.seed(seed); }
    // A uniform number in [0, 1): the next output divided by 2^32.
    double uniform() { return static_cast<double>(generator_()) / 4294967296.0; }
    // A whole number between lo and hi: lo + floor((hi - lo + 1) * u).
    long long draw(long long lo, long long hi) {
        const double u = uniform();
        return lo + static_cast<long long>(static_cast<double>(hi - lo + 1) * u);
    }

private:
    std::mt19937 generator_;
};

}  // namespace veltrix::engine
