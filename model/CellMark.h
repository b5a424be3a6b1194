#pragma once

#include "model/Direction.h"

#include <optional>

// Which words pass through a cell. Held as the character the puzzle file uses:
// ' ' no word, '-' an across word, '|' a down word, '+' an across and a down
// word cross here.
class CellMark {
public:
    constexpr CellMark() = default;

    // One word of the direction passes through.
    static constexpr CellMark Of(Direction direction) {
        return CellMark(direction == Direction::Across ? '-' : '|');
    }
    static constexpr CellMark Crossing() { return CellMark('+'); }
    // The mark a character stands for; nullopt for any other character.
    static constexpr std::optional<CellMark> FromChar(char c) {
        if (c == ' ' || c == '-' || c == '|' || c == '+') {
            return CellMark(c);
        }
        return std::nullopt;
    }

    constexpr char Char() const { return c_; }
    constexpr bool IsEmpty() const { return c_ == ' '; }
    constexpr bool IsCrossing() const { return c_ == '+'; }
    // A word of the direction passes through, alone or crossed.
    constexpr bool Carries(Direction direction) const {
        return *this == Of(direction) || IsCrossing();
    }
    // Exactly one word passes through, and it runs in the direction: a word of
    // the other direction may still cross here.
    constexpr bool IsOnly(Direction direction) const { return *this == Of(direction); }
    // The mark once a word of the direction has been written through the cell.
    constexpr CellMark With(Direction direction) const {
        return IsEmpty() ? Of(direction) : Crossing();
    }

    constexpr bool operator==(const CellMark&) const = default;

private:
    constexpr explicit CellMark(char c) : c_(c) {}

    char c_ = ' ';
};
