#include "model/ClueRow.h"

#include <charconv>

namespace {

// The clue number a text of decimal digits names; 0 for any other text.
int32_t NumberOf(std::string_view text) {
    int32_t value = 0;
    const char* end = text.data() + text.size();
    const bool digits = !text.empty() && text.find_first_not_of("0123456789") == text.npos;
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return digits && ec == std::errc() && ptr == end ? value : 0;
}

} // namespace

ClueRow ClueRow::FromTexts(std::string_view number, std::string_view direction, std::string clue) {
    ClueRow row;
    row.Number = NumberOf(number);
    row.Dir = DirectionFromWord(direction);
    row.Clue = std::move(clue);
    if (row.NumberText() != number) {
        row.OtherNumber = std::string(number);
    }
    if (row.DirectionText() != direction) {
        row.OtherDirection = std::string(direction);
    }
    return row;
}

std::string ClueRow::NumberText() const {
    if (!OtherNumber.empty() || Number <= 0) {
        return OtherNumber;
    }
    return std::to_string(Number);
}

std::string ClueRow::DirectionText() const {
    if (!OtherDirection.empty() || !Dir) {
        return OtherDirection;
    }
    return std::string(DirectionWord(*Dir));
}
