#pragma once

// Checks a puzzle read back from a file for the properties every generated
// puzzle has: words between bars that come from the vocabulary, numbering in
// reading order without gaps, and clue rows that belong to the numbered words.
#include "files/PuzzleFile.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace PuzzleCheck {

// Word -> its clues (Windows-1252).
using Vocabulary = std::map<std::string, std::set<std::string>>;

inline std::string WordAt(const PuzzleFileContents& p, int32_t column, int32_t row, bool across) {
    std::string word;
    while (p.Grid.Contains(column, row)) {
        const TGridCell& cell = p.Grid.At(column, row);
        word += cell.Letter;
        if (across ? cell.BarRight : cell.BarBelow) {
            break;
        }
        (across ? column : row) += 1;
    }
    return word;
}

// An empty list means the puzzle is sound.
inline std::vector<std::string> Problems(const PuzzleFileContents& p, const Vocabulary& words) {
    std::vector<std::string> problems;
    std::vector<ClueRow> expected;
    int32_t number = 0;
    for (int32_t row = 0; row < p.Rows; ++row) {
        for (int32_t column = 0; column < p.Columns; ++column) {
            const TGridCell& cell = p.Grid.At(column, row);
            const std::string where = std::to_string(column) + "," + std::to_string(row);
            if ((cell.Letter == '.') != cell.Mark.IsEmpty()) {
                problems.push_back("letter and mark disagree at " + where);
            }
            if (cell.AcrossNo == 0 && cell.DownNo == 0) {
                continue;
            }
            ++number;
            for (const bool across : {true, false}) {
                const int32_t n = across ? cell.AcrossNo : cell.DownNo;
                if (n == 0) {
                    continue;
                }
                if (n != number) {
                    problems.push_back("number " + std::to_string(n) + " at " + where +
                                       ", expected " + std::to_string(number));
                }
                const std::string word = WordAt(p, column, row, across);
                const auto entry = words.find(word);
                if (entry == words.end()) {
                    problems.push_back("unknown word " + word + " at " + where);
                    continue;
                }
                expected.push_back(
                    ClueRow::Of(number, across ? Direction::Across : Direction::Down, ""));
                if (expected.size() <= p.ClueRows.size()) {
                    const ClueRow& row = p.ClueRows[expected.size() - 1];
                    if (entry->second.count(row.Clue) == 0) {
                        problems.push_back("clue \"" + row.Clue + "\" does not belong to " + word);
                    }
                }
            }
        }
    }
    if (expected.size() != p.ClueRows.size()) {
        problems.push_back(std::to_string(p.ClueRows.size()) + " clue rows for " +
                           std::to_string(expected.size()) + " words");
    }
    for (size_t i = 0; i < expected.size() && i < p.ClueRows.size(); ++i) {
        if (p.ClueRows[i].NumberText() != expected[i].NumberText() ||
            p.ClueRows[i].DirectionText() != expected[i].DirectionText()) {
            problems.push_back("clue row " + std::to_string(i) + " is " +
                               p.ClueRows[i].NumberText() + " " + p.ClueRows[i].DirectionText());
        }
    }
    if (number == 0) {
        problems.push_back("no word at all");
    }
    return problems;
}

} // namespace PuzzleCheck
