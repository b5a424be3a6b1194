#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

// The two ways a word runs: across, from its first cell to the right along a
// row, and down, from its first cell downwards along a column.
enum class Direction : uint8_t { Across, Down };

constexpr Direction Other(Direction direction) {
    return direction == Direction::Across ? Direction::Down : Direction::Across;
}

// The words the puzzle shows and writes for a direction: in the clue list, the
// puzzle file, the clue text and the print. The only place that spells them.
constexpr std::string_view DirectionWord(Direction direction) {
    return direction == Direction::Across ? "waagerecht" : "senkrecht";
}

// The direction a word names; nullopt for any other text (also for another case).
constexpr std::optional<Direction> DirectionFromWord(std::string_view word) {
    if (word == DirectionWord(Direction::Across)) {
        return Direction::Across;
    }
    if (word == DirectionWord(Direction::Down)) {
        return Direction::Down;
    }
    return std::nullopt;
}
