#include "model/RandomSource.h"

#include "base/Cp1252.h"
#include "base/WabolexError.h"

#include <chrono>
#include <string>

int32_t RandomSource::Random(int32_t n) {
    if (n < 1) {
        throw WabolexError(W("Zufallszahl aus leerem Bereich 0..") + std::to_string(n - 1));
    }
    // Rejection sampling keeps every value equally likely and is defined
    // independently of the standard library's distributions.
    const uint64_t range = static_cast<uint64_t>(n);
    const uint64_t limit = UINT64_MAX - UINT64_MAX % range;
    uint64_t x;
    do {
        x = engine_();
    } while (x >= limit);
    return static_cast<int32_t>(x % range);
}

uint64_t RandomSource::ClockSeed() {
    return static_cast<uint64_t>(std::chrono::system_clock::now().time_since_epoch().count());
}
