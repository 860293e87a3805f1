#include "engine/random.h"

namespace veltrix::engine {
namespace {

constexpr std::size_t kN = 624;
constexpr std::size_t kM = 397;
constexpr std::uint32_t kMatrix = 0x9908b0dfu;
constexpr std::uint32_t kUpper = 0x80000000u;
constexpr std::uint32_t kLower = 0x7fffffffu;

inline std::uint32_t mix(std::uint32_t here, std::uint32_t next, std::uint32_t far) {
    const std::uint32_t y = (here & kUpper) | (next & kLower);
    // (0 - (y & 1)) is all ones for an odd y: the matrix without a branch.
    return far ^ (y >> 1) ^ ((0u - (y & 1u)) & kMatrix);
}

}  // namespace

void Random::seed(std::uint32_t seed) {
    state_[0] = seed;
    for (std::uint32_t i = 1; i < kN; ++i) state_[i] = 1812433253u * (state_[i - 1] ^ (state_[i - 1] >> 30)) + i;
    index_ = kN;
    blocks_ = 0;
}

// The runs of the recurrence, none with a dependence inside a vector's width, and of lengths that
// are multiples of four where they can be, so that the compiler works four words at once.
void Random::twist() {
    std::uint32_t* x = state_.data();
    for (std::size_t k = 0; k < 224; ++k) x[k] = mix(x[k], x[k + 1], x[k + kM]);
    for (std::size_t k = 224; k < kN - kM; ++k) x[k] = mix(x[k], x[k + 1], x[k + kM]);
    for (std::size_t k = kN - kM; k < kN - 1; ++k) x[k] = mix(x[k], x[k + 1], x[k + kM - kN]);
    x[kN - 1] = mix(x[kN - 1], x[0], x[kM - 1]);
}

void Random::refill() {
    twist();
    for (std::size_t i = 0; i < kN; ++i) {
        std::uint32_t y = state_[i];
        y ^= y >> 11;
        y ^= (y << 7) & 0x9d2c5680u;
        y ^= (y << 15) & 0xefc60000u;
        y ^= y >> 18;
        outputs_[i] = y;
    }
    index_ = 0;
    ++blocks_;
}

void Random::skipBeyondBlock(std::uint64_t count) {
    count -= kN - index_;
    // Whole blocks passed over need their state, not their outputs.
    for (; count > kN; count -= kN) {
        twist();
        ++blocks_;
    }
    refill();
    index_ = static_cast<std::size_t>(count);
}

}  // namespace veltrix::engine
