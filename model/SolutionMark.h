#pragma once

#include <array>
#include <cstdint>

// Where one letter of the solution word sits. A cleared entry is all -1.
struct SolutionMark {
    int32_t Column = -1;
    int32_t Row = -1;
    int32_t Position = -1; // 1..20, the letter's place in the solution word

    bool operator==(const SolutionMark&) const = default;
};

constexpr int MaxSolutionLength = 20;
using TSolutionMarks = std::array<SolutionMark, MaxSolutionLength>;
