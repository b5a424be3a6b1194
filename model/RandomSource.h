#pragma once

#include <cstdint>
#include <random>

// The one random generator of the program: seeded from the clock in the
// program, from a fixed seed in tests and in the CLI's --seed. The same seed
// gives the same sequence on every machine.
class RandomSource {
public:
    explicit RandomSource(uint64_t seed) : engine_(seed) {}
    virtual ~RandomSource() = default;

    // A uniform integer in 0 .. n-1; n must be at least 1.
    virtual int32_t Random(int32_t n);

    static uint64_t ClockSeed();

private:
    std::mt19937_64 engine_;
};
