#pragma once

#include <cstdint>

// The grid's size: columns and rows each within these bounds.
constexpr int32_t MinGridSide = 5;
constexpr int32_t MaxGridSide = 99;
constexpr int32_t StartGridSide = 15; // at start-up, and where no size is given

constexpr bool IsGridSide(int32_t side) {
    return side >= MinGridSide && side <= MaxGridSide;
}
