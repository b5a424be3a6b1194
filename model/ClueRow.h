#pragma once

#include "model/Direction.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// One row of the clue list: the clue number, the direction of its word and the
// clue. Rows the generator makes always carry a number and a direction. A row
// read from a puzzle file may hold other texts in its first two columns; they
// are kept as they stand, so that the row is shown and saved as it was read,
// and such a row belongs to neither direction.
struct ClueRow {
    int32_t Number = 0;           // the clue number; 0 when the row holds none
    std::optional<Direction> Dir; // nullopt: neither across nor down
    std::string Clue;
    // The first two columns' texts as read, where they differ from what Number
    // and Dir would write ("A1", "007", "Waagerecht"); empty otherwise.
    std::string OtherNumber;
    std::string OtherDirection;

    static ClueRow Of(int32_t number, Direction direction, std::string clue) {
        return ClueRow{number, direction, std::move(clue), {}, {}};
    }
    // A row from the three texts of a list row or a puzzle-file line (Windows-1252).
    static ClueRow FromTexts(std::string_view number, std::string_view direction, std::string clue);

    // The texts the clue list shows and the puzzle file holds.
    std::string NumberText() const;
    std::string DirectionText() const;

    bool operator==(const ClueRow&) const = default;
};
