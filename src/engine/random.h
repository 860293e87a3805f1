#pragma once
// The random sequence of the optimization: the 32-bit Mersenne Twister MT19937 restarted from a
// seed, and whole numbers drawn between two bounds. The sequence depends on the seed only, on every
// platform, and is exactly that of std::mt19937 seeded the same way.
//
// Random works its state out 624 outputs at a time and keeps them tempered in a buffer, so a draw
// is a load and a multiplication; outputs whose value does not matter can be passed over without
// being looked at (skip). LibraryRandom is the same sequence drawn from std::mt19937 one output at
// a time, as the engine did before; it is kept to measure the two against each other.

#include <array>
#include <cstddef>
#include <cstdint>
#include <random>

namespace veltrix::engine {

class Random {
public:
    Random() { seed(5489u); }  // std::mt19937's default seed
    // Restarts the sequence from `seed`.
    void seed(std::uint32_t seed);
    // The next output of the sequence.
    std::uint32_t next() {
        if (index_ == kStateSize) refill();
        return outputs_[index_++];
    }
    // Passes over the next `count` outputs as if they had been drawn.
    void skip(std::uint64_t count) {
        if (count <= kStateSize - index_)
            index_ += static_cast<std::size_t>(count);
        else
            skipBeyondBlock(count);
    }
    // Outputs taken since the last seed (drawn or passed over).
    std::uint64_t taken() const { return blocks_ * kStateSize + index_ - kStateSize; }

    // A uniform number in [0, 1): the next output divided by 2^32.
    double uniform() { return static_cast<double>(next()) / 4294967296.0; }
    // A whole number between lo and hi: lo + floor((hi - lo + 1) * u). For spans below 2^21 the
    // product n * output / 2^32 is exact in a double, so the whole-number form gives the same value.
    long long draw(long long lo, long long hi) {
        const long long n = hi - lo + 1;
        if (n > 0 && n < (1LL << 21))
            return lo + static_cast<long long>((static_cast<std::uint64_t>(n) * next()) >> 32);
        return lo + static_cast<long long>(static_cast<double>(n) * uniform());
    }

private:
    static constexpr std::size_t kStateSize = 624;
    // Works out the next 624 state words and tempers them into the output buffer.
    void refill();
    void twist();
    void skipBeyondBlock(std::uint64_t count);

    std::array<std::uint32_t, kStateSize> state_{};
    std::array<std::uint32_t, kStateSize> outputs_{};
    std::size_t index_ = kStateSize;
    std::uint64_t blocks_ = 0;  // state blocks worked out since the seed
};

class LibraryRandom {
public:
    void seed(std::uint32_t seed) { generator_.seed(seed); }
    double uniform() { return static_cast<double>(generator_()) / 4294967296.0; }
    long long draw(long long lo, long long hi) {
        const double u = uniform();
        return lo + static_cast<long long>(static_cast<double>(hi - lo + 1) * u);
    }

private:
    std::mt19937 generator_;
};

}  // namespace veltrix::engine
