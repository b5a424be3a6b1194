#pragma once

#include <string>

// One row of the clue list: number in decimal, "waagerecht" or "senkrecht", the clue.
struct ClueRow {
    std::string Number;
    std::string Direction;
    std::string Clue;

    bool operator==(const ClueRow&) const = default;
};
