#include "model/Generator.h"

#include "model/Cp1252.h"
#include "model/Numbering.h"
#include "model/PuzzleStatistics.h"
#include "model/SolutionWord.h"

#include <algorithm>
#include <array>
#include <bit>

namespace {

constexpr int32_t kMaxIndexedSide = 127; // a line of the crossing index holds 128 bits

int32_t LowestBit(unsigned __int128 bits) {
    const auto low = static_cast<uint64_t>(bits);
    return low != 0 ? std::countr_zero(low)
                    : 64 + std::countr_zero(static_cast<uint64_t>(bits >> 64));
}

// "waagerecht - " or "senkrecht - ", the start of the proposal texts.
std::string DirectionPrefix(Direction direction) {
    return std::string(DirectionWord(direction)) + " - ";
}

// Ends the busy state on every way out of a run, exceptions included.
class BusyGuard {
public:
    explicit BusyGuard(UserDialogs& dialogs) : dialogs_(dialogs) { dialogs_.SetBusy(true); }
    ~BusyGuard() { Release(); }
    void Release() {
        if (busy_) {
            busy_ = false;
            dialogs_.SetBusy(false);
        }
    }

private:
    UserDialogs& dialogs_;
    bool busy_ = true;
};

// Marks that a run is going on, so that the crossing index is trusted.
class RunFlag {
public:
    explicit RunFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ~RunFlag() { flag_ = false; }

private:
    bool& flag_;
};

} // namespace

Generator::Generator(Puzzle& puzzle, UserDialogs& dialogs, RandomSource& random)
    : puzzle_(puzzle), dialogs_(dialogs), random_(random) {}

std::string_view Generator::GridWord(const TWordEntry& entry) {
    return std::string_view(entry.Word).substr(0, TWordEntry::MaxWordLength);
}

bool Generator::WordFits(int32_t entry, Direction direction) const {
    const auto length = static_cast<int32_t>(GridWord(puzzle_.Entry(entry)).size());
    if (length == 0) {
        return false;
    }
    return direction == Direction::Down ? length < puzzle_.Rows : length < puzzle_.Columns;
}

bool Generator::IsFenced(int32_t column, int32_t row, int32_t length, Direction direction) const {
    const TFeld& grid = puzzle_.Grid;
    if (direction == Direction::Across) {
        for (int32_t k = 0; k < length; ++k) {
            if ((row > 0 && grid.At(column + k, row - 1).BarBelow == 0) ||
                grid.At(column + k, row).BarBelow == 0) {
                return false;
            }
        }
        return true;
    }
    for (int32_t k = 0; k < length; ++k) {
        if ((column > 0 && grid.At(column - 1, row + k).BarRight == 0) ||
            grid.At(column, row + k).BarRight == 0) {
            return false;
        }
    }
    return true;
}

// ---------------------------------------------------------------------------
// The run

GenerationOutcome Generator::RGenerieren(const GenerationSettings& settings) {
    if (puzzle_.WordCount == 0) {
        dialogs_.ShowError(W("Es wurde keine Wortschatzdatei gewählt!"));
        return GenerationOutcome::NotRun;
    }
    // The start word and the free step draw from the main words only.
    if (puzzle_.ShortWordStart < 2) {
        dialogs_.ShowError(W("Die Wortschatzdatei enthält nur Kurzwörter. Zum Generieren wird "
                             "eine Wortschatzdatei mit längeren Begriffen benötigt."));
        return GenerationOutcome::NotRun;
    }

    RunFlag running(inRun_);
    BusyGuard busy(dialogs_);
    Direction direction = Direction::Across;
    if (!PrepareStart(settings, direction)) {
        busy.Release();
        StopWithMessage(direction);
        return GenerationOutcome::NotRun;
    }

    const int32_t startEntry = DrawStartWord(settings, direction);
    const std::string startWord(GridWord(puzzle_.Entry(startEntry)));
    const auto length = static_cast<int32_t>(startWord.size());
    int32_t column = 0;
    int32_t row = 0;
    if (direction == Direction::Across) {
        row = puzzle_.Rows / 2;
        column = random_.Random(puzzle_.Columns - length + 1);
    } else {
        column = puzzle_.Columns / 2;
        row = random_.Random(puzzle_.Rows - length + 1);
    }
    Anchor anchor;
    bool noConfirm = false;
    PlaceWordInRun(startWord, startEntry, length, 0, column, column, row, row, noConfirm, direction,
                   anchor);

    int32_t passCount = std::max(puzzle_.Columns, puzzle_.Rows) / 5 + 1;
    passCount = std::max(passCount, settings.Passes);
    RunPasses(settings, passCount, direction, anchor);

    busy.Release();
    Numbering::NumberWords(puzzle_);
    Numbering::CompleteBars(puzzle_);
    dialogs_.Repaint();
    dialogs_.ShowStatistics(PuzzleStatistics::Count(puzzle_));
    Numbering::FillClueList(puzzle_);
    if (settings.UseSolutionWord &&
        !SolutionWord::PlaceSolutionWord(puzzle_, settings.SolutionWord, random_, dialogs_)) {
        return GenerationOutcome::SolutionWordNotFound;
    }
    return GenerationOutcome::Generated;
}

// Resets flags, marks and grid and chooses the start direction. False when no
// main word fits that direction.
bool Generator::PrepareStart(const GenerationSettings& settings, Direction& direction) {
    Puzzle& p = puzzle_;
    p.ShowGenerated = true;
    p.ShowSolution = false;
    p.ExportSolution = false;
    p.Solving = false;
    p.SolutionWordShown = false;
    p.ClearSolutionMarks();
    if (p.Grid.Columns() != p.Columns || p.Grid.Rows() != p.Rows) {
        p.ResizeGrid(p.Columns, p.Rows);
    }
    p.ResetGrid();
    RebuildIndex();
    dialogs_.Repaint();
    p.MarkAllAvailable();
    p.ConfirmInsertions = settings.ShowInsertions;
    p.CellCount = p.Columns * p.Rows;
    p.AcrossWord.assign(static_cast<size_t>(p.CellCount), 0);
    p.DownWord.assign(static_cast<size_t>(p.CellCount), 0);

    // The start word runs along the longer side of the grid.
    if (p.Columns < p.Rows) {
        direction = Direction::Down;
    } else if (p.Rows < p.Columns) {
        direction = Direction::Across;
    } else {
        direction = random_.Random(100) % 2 == 1 ? Direction::Down : Direction::Across;
    }

    for (int32_t i = 1; i < p.ShortWordStart; ++i) {
        if (WordFits(i, direction)) {
            return true;
        }
    }
    return false;
}

// No main word fits the start direction, so the start-word draw would never
// end. Leaves the reset grid with an empty clue list, so nothing describes a
// puzzle that is no longer there.
void Generator::StopWithMessage(Direction direction) {
    puzzle_.ClueRows.assign(1, ClueRow{});
    dialogs_.Repaint();
    dialogs_.ShowError(direction == Direction::Across
                           ? W("Kein Begriff des Wortschatzes ist kürzer als die Spaltenanzahl. "
                               "Bitte das Gitter breiter wählen oder einen anderen Wortschatz "
                               "öffnen.")
                           : W("Kein Begriff des Wortschatzes ist kürzer als die Zeilenanzahl. "
                               "Bitte das Gitter höher wählen oder einen anderen Wortschatz "
                               "öffnen."));
}

int32_t Generator::DrawStartWord(const GenerationSettings& settings, Direction direction) {
    for (;;) {
        const int32_t i = random_.Random(puzzle_.ShortWordStart - 1) + 1;
        if (!WordFits(i, direction)) {
            continue;
        }
        if (!settings.ShowInsertions) {
            return i;
        }
        const TWordEntry& entry = puzzle_.Entry(i);
        const std::string text = DirectionPrefix(direction) + entry.Word + " : " + entry.Clue;
        if (dialogs_.ConfirmStartWord(text)) {
            return i;
        }
    }
}

void Generator::RunPasses(const GenerationSettings& settings, int32_t passCount,
                          Direction& direction, Anchor& anchor) {
    for (int32_t pass = 0; pass <= passCount; ++pass) {
        ChainStep(direction, anchor);
        FreeStep(direction, anchor);
    }
    FillPass(settings.UseShortWords ? puzzle_.WordCount : puzzle_.ShortWordStart - 1, direction,
             anchor);
}

// Tries every main word around the newest word; each placement moves the anchor.
void Generator::ChainStep(Direction& direction, Anchor& anchor) {
    const int32_t columns = puzzle_.Columns;
    const int32_t rows = puzzle_.Rows;
    for (int32_t i = 1; i < puzzle_.ShortWordStart; ++i) {
        if (puzzle_.Entry(i).Available != 1 || !WordFits(i, direction)) {
            continue;
        }
        const std::string word(GridWord(puzzle_.Entry(i)));
        const auto n = static_cast<int32_t>(word.size());
        // The far end of the anchor is limited to the grid: it can pass it when the
        // anchor lies in the current direction.
        if (direction == Direction::Across) {
            PlaceWordInRun(word, i, n, 1, std::max(anchor.Column - n, 0),
                           std::min(anchor.Column, columns - n), anchor.Row,
                           std::min(anchor.Row + anchor.Length - 1, rows - 1),
                           puzzle_.ConfirmInsertions, direction, anchor);
        } else {
            PlaceWordInRun(word, i, n, 1, anchor.Column,
                           std::min(anchor.Column + anchor.Length - 1, columns - 1),
                           std::max(anchor.Row - n, 0), std::min(anchor.Row, rows - n),
                           puzzle_.ConfirmInsertions, direction, anchor);
        }
    }
}

// At most one main word per pass placed anywhere, crossing two words.
void Generator::FreeStep(Direction& direction, Anchor& anchor) {
    for (int32_t i = 1; i < puzzle_.ShortWordStart; ++i) {
        if (puzzle_.Entry(i).Available != 1 || !WordFits(i, direction)) {
            continue;
        }
        if (TryOnWholeGrid(i, 2, direction, anchor)) {
            return;
        }
    }
}

void Generator::FillPass(int32_t lastEntry, Direction& direction, Anchor& anchor) {
    for (int32_t i = 1; i <= lastEntry; ++i) {
        if (puzzle_.Entry(i).Available != 1 || !WordFits(i, direction)) {
            continue;
        }
        TryOnWholeGrid(i, 1, direction, anchor);
    }
}

// Up to two attempts on the whole grid, turning the direction after each failure.
bool Generator::TryOnWholeGrid(int32_t entry, int32_t minCrossings, Direction& direction,
                               Anchor& anchor) {
    const std::string word(GridWord(puzzle_.Entry(entry)));
    const auto n = static_cast<int32_t>(word.size());
    for (int32_t attempts = 1;; ++attempts) {
        const bool found =
            direction == Direction::Across
                ? PlaceWordInRun(word, entry, n, minCrossings, 0, puzzle_.Columns - n, 0,
                                 puzzle_.Rows - 1, puzzle_.ConfirmInsertions, direction, anchor)
                : PlaceWordInRun(word, entry, n, minCrossings, 0, puzzle_.Columns - 1, 0,
                                 puzzle_.Rows - n, puzzle_.ConfirmInsertions, direction, anchor);
        if (!found) {
            direction = Other(direction);
        }
        if (found || attempts > 1 || !WordFits(entry, direction)) {
            return found;
        }
    }
}

// ---------------------------------------------------------------------------
// The placement search

bool Generator::PlaceWord(const std::string& word, int32_t index, int32_t length,
                          int32_t minCrossings, int32_t columnFrom, int32_t columnTo,
                          int32_t rowFrom, int32_t rowTo, bool& confirm, Direction& direction,
                          Anchor& anchor) {
    if (!inRun_) {
        // The grid may have been changed from outside since the last call.
        RebuildIndex();
    }
    return PlaceWordInRun(word, index, length, minCrossings, columnFrom, columnTo, rowFrom, rowTo,
                          confirm, direction, anchor);
}

bool Generator::PlaceWordInRun(const std::string& word, int32_t index, int32_t length,
                               int32_t minCrossings, int32_t columnFrom, int32_t columnTo,
                               int32_t rowFrom, int32_t rowTo, bool& confirm, Direction& direction,
                               Anchor& anchor) {
    if (columnTo < columnFrom || rowTo < rowFrom) {
        return false;
    }
    if (length < 1 || length > static_cast<int32_t>(word.size())) {
        return false;
    }
    const std::string letters = word.substr(0, static_cast<size_t>(length));
    // Only positions whose whole word lies inside the grid are examined.
    const int32_t lastColumn = puzzle_.Columns - (direction == Direction::Across ? length : 1);
    const int32_t lastRow = puzzle_.Rows - (direction == Direction::Down ? length : 1);
    columnFrom = std::max(columnFrom, 0);
    rowFrom = std::max(rowFrom, 0);
    columnTo = std::min(columnTo, lastColumn);
    rowTo = std::min(rowTo, lastRow);
    if (columnTo < columnFrom || rowTo < rowFrom) {
        return false;
    }

    const bool indexed = !referenceScan_ && minCrossings >= 1 &&
                         puzzle_.Columns <= kMaxIndexedSide && puzzle_.Rows <= kMaxIndexedSide;
    auto tryPosition = [&](int32_t column, int32_t row) {
        if (!Acceptable(letters, column, row, minCrossings, direction)) {
            return false;
        }
        if (confirm && !Propose(letters, index, column, row, direction, confirm)) {
            return false;
        }
        Commit(letters, index, column, row, direction);
        direction = Other(direction);
        anchor = Anchor{column, row, length};
        return true;
    };

    if (!indexed) {
        for (int32_t row = rowFrom; row <= rowTo; ++row) {
            for (int32_t column = columnFrom; column <= columnTo; ++column) {
                if (tryPosition(column, row)) {
                    return true;
                }
            }
        }
        return false;
    }

    // Only positions that put a letter on a crossable cell can reach the needed
    // crossings; they are visited in the same order as the full scan would.
    const LetterSet letterSet = LettersOf(letters);
    if (direction == Direction::Across) {
        for (int32_t row = rowFrom; row <= rowTo; ++row) {
            for (Bits starts = CrossingStarts(letters, letterSet, Direction::Across, row,
                                              columnFrom, columnTo);
                 starts != 0; starts &= starts - 1) {
                if (tryPosition(LowestBit(starts), row)) {
                    return true;
                }
            }
        }
        return false;
    }
    // Down: the index gives start rows per column; turn it into start columns per row.
    std::array<Bits, kMaxIndexedSide> startsInRow; // rowTo - rowFrom < kMaxIndexedSide
    std::fill_n(startsInRow.begin(), rowTo - rowFrom + 1, Bits{0});
    for (int32_t column = columnFrom; column <= columnTo; ++column) {
        for (Bits starts =
                 CrossingStarts(letters, letterSet, Direction::Down, column, rowFrom, rowTo);
             starts != 0; starts &= starts - 1) {
            startsInRow[static_cast<size_t>(LowestBit(starts) - rowFrom)] |= Bits{1} << column;
        }
    }
    for (int32_t row = rowFrom; row <= rowTo; ++row) {
        for (Bits starts = startsInRow[static_cast<size_t>(row - rowFrom)]; starts != 0;
             starts &= starts - 1) {
            if (tryPosition(LowestBit(starts), row)) {
                return true;
            }
        }
    }
    return false;
}

int32_t Generator::CountCrossings(const std::string& word, int32_t column, int32_t row,
                                  Direction direction) const {
    const TFeld& grid = puzzle_.Grid;
    const Direction other = Other(direction);
    int32_t crossings = 0;
    for (size_t k = 0; k < word.size(); ++k) {
        const auto offset = static_cast<int32_t>(k);
        const TGridCell& cell = direction == Direction::Across ? grid.At(column + offset, row)
                                                               : grid.At(column, row + offset);
        const char letter = word[k];
        if (cell.Letter == letter && cell.Mark.IsOnly(other)) {
            ++crossings;
        }
        if ((cell.Letter != '.' && cell.Letter != letter) || cell.Mark.Carries(direction)) {
            return -1;
        }
    }
    return crossings;
}

bool Generator::Acceptable(const std::string& word, int32_t column, int32_t row,
                           int32_t minCrossings, Direction direction) const {
    const int32_t crossings = CountCrossings(word, column, row, direction);
    return crossings >= 0 && crossings >= minCrossings &&
           !IsFenced(column, row, static_cast<int32_t>(word.size()), direction);
}

bool Generator::Propose(const std::string& word, int32_t index, int32_t column, int32_t row,
                        Direction direction, bool& confirm) {
    TFeld& grid = puzzle_.Grid;
    const TFeld saved = grid;
    const auto length = static_cast<int32_t>(word.size());
    for (int32_t k = 0; k < length; ++k) {
        TGridCell& cell =
            direction == Direction::Across ? grid.At(column + k, row) : grid.At(column, row + k);
        cell.Letter = word[static_cast<size_t>(k)];
    }
    int32_t selectColumn = column;
    int32_t selectRow = row;
    if (direction == Direction::Across) {
        selectColumn = column + length < puzzle_.Columns ? column + length : puzzle_.Columns - 1;
    } else {
        selectRow = row + length < puzzle_.Rows ? row + length : puzzle_.Rows - 1;
    }
    UserDialogs::Answer answer = UserDialogs::Answer::No;
    try {
        dialogs_.Repaint();
        answer = dialogs_.ConfirmPlacement(DirectionPrefix(direction) + puzzle_.Entry(index).Word,
                                           selectColumn, selectRow);
    } catch (...) {
        grid = saved; // no half-proposed letters without marks stay behind
        throw;
    }
    if (answer == UserDialogs::Answer::No) {
        grid = saved;
        dialogs_.Repaint();
        return false;
    }
    if (answer == UserDialogs::Answer::Cancel) {
        confirm = false;
    }
    return true;
}

void Generator::Commit(const std::string& word, int32_t index, int32_t column, int32_t row,
                       Direction direction) {
    Puzzle& p = puzzle_;
    // Equal words that follow each other are one word with several clues.
    int32_t runEnd = index;
    while (runEnd < p.WordCount && p.Entry(runEnd + 1).Word == p.Entry(runEnd).Word) {
        ++runEnd;
    }
    for (int32_t i = index; i <= runEnd; ++i) {
        p.Entry(i).Available = 0;
    }
    const int32_t chosen = index + random_.Random(runEnd - index + 1);

    const auto length = static_cast<int32_t>(word.size());
    TFeld& grid = p.Grid;
    if (direction == Direction::Across) {
        grid.At(column, row).AcrossNo = chosen;
        if (column + length < p.Columns) {
            grid.At(column + length - 1, row).BarRight = 1;
        }
        if (column > 0) {
            grid.At(column - 1, row).BarRight = 1;
        }
    } else {
        grid.At(column, row).DownNo = chosen;
        if (row + length < p.Rows) {
            grid.At(column, row + length - 1).BarBelow = 1;
        }
        if (row > 0) {
            grid.At(column, row - 1).BarBelow = 1;
        }
    }

    const bool indexed = p.Columns <= kMaxIndexedSide && p.Rows <= kMaxIndexedSide;
    for (int32_t k = 0; k < length; ++k) {
        const int32_t c = direction == Direction::Across ? column + k : column;
        const int32_t r = direction == Direction::Across ? row : row + k;
        TGridCell& cell = grid.At(c, r);
        const TGridCell before = cell;
        cell.Letter = word[static_cast<size_t>(k)];
        cell.Mark = before.Mark.With(direction);
        if (indexed) {
            IndexCell(c, r, before, false);
            IndexCell(c, r, cell, true);
        }
    }
}

// ---------------------------------------------------------------------------
// The crossing index

void Generator::RebuildIndex() {
    const Puzzle& p = puzzle_;
    Crossable(Direction::Across).assign(static_cast<size_t>(std::max(p.Rows, 0)) * kSlots, 0);
    Crossable(Direction::Down).assign(static_cast<size_t>(std::max(p.Columns, 0)) * kSlots, 0);
    if (p.Columns > kMaxIndexedSide || p.Rows > kMaxIndexedSide) {
        return;
    }
    for (int32_t c = 0; c < p.Columns; ++c) {
        for (int32_t r = 0; r < p.Rows; ++r) {
            IndexCell(c, r, p.Grid.At(c, r), true);
        }
    }
}

// What a cell contributes to its row (across) and its column (down): taken by a
// word of that direction, or crossable with its letter, or holding a letter that
// only an equal letter may cross.
void Generator::IndexCell(int32_t column, int32_t row, const TGridCell& cell, bool add) {
    for (const Direction direction : {Direction::Across, Direction::Down}) {
        const int32_t line = direction == Direction::Across ? row : column;
        const int32_t position = direction == Direction::Across ? column : row;
        const Bits bit = Bits{1} << position;
        auto apply = [&](int slot) {
            Bits& bits = Crossable(direction).at(static_cast<size_t>(line) * kSlots +
                                                 static_cast<size_t>(slot));
            bits = add ? (bits | bit) : (bits & ~bit);
        };
        if (cell.Mark.Carries(direction)) {
            apply(kTakenSlot);
        }
        if (cell.Mark.IsOnly(Other(direction))) {
            const auto letter = static_cast<unsigned char>(cell.Letter);
            apply(letter);
            // Keep the line's set of crossable letters in step with the letter slot.
            const size_t base = static_cast<size_t>(line) * kSlots;
            Bits& present = Crossable(direction).at(base + kPresentSlot + letter / 128);
            const Bits letterBit = Bits{1} << (letter % 128);
            present = Crossable(direction).at(base + letter) != 0 ? (present | letterBit)
                                                                  : (present & ~letterBit);
            if (cell.Letter != '.') {
                apply(kLetteredSlot);
            }
        }
    }
}

// Start positions along the line at which some letter of the word lies on a cell
// it could cross, without any letter on a taken cell or on another letter.
namespace {

// The start positions of CrossingStarts, computed in an integer type wide enough
// for the line.
template <typename Line, bool Shifted>
Line StartsAlongLine(const std::string& word, const unsigned __int128* slots, int32_t from,
                     int takenSlot, int letteredSlot) {
    // Reading from `from` on costs a wide shift per read; only a long line needs it.
    auto cells = [&](int slot) {
        if constexpr (Shifted) {
            return static_cast<Line>(slots[slot] >> from);
        } else {
            return static_cast<Line>(slots[slot]);
        }
    };
    Line crossing = 0;
    for (size_t k = 0; k < word.size(); ++k) {
        crossing |= cells(static_cast<unsigned char>(word[k])) >> k;
    }
    if (crossing == 0) {
        return 0;
    }
    const Line taken = cells(takenSlot);
    const Line lettered = cells(letteredSlot);
    Line blocked = 0;
    for (size_t k = 0; k < word.size(); ++k) {
        blocked |= (taken | (lettered & ~cells(static_cast<unsigned char>(word[k])))) >> k;
    }
    return crossing & ~blocked;
}

} // namespace

Generator::LetterSet Generator::LettersOf(const std::string& word) {
    LetterSet set;
    for (const char c : word) {
        const auto letter = static_cast<unsigned char>(c);
        (letter < 128 ? set.Low : set.High) |= Bits{1} << (letter % 128);
    }
    return set;
}

Generator::Bits Generator::CrossingStarts(const std::string& word, const LetterSet& letters,
                                          Direction direction, int32_t line, int32_t from,
                                          int32_t to) const {
    const std::vector<Bits>& bits = crossable_[static_cast<size_t>(direction)];
    // line < Rows (across) or < Columns (down): the callers' windows lie inside the
    // grid, so the whole block of the line is inside the vector.
    const Bits* slots = bits.data() + static_cast<size_t>(line) * kSlots;
    if ((slots[kPresentSlot] & letters.Low) == 0 && (slots[kPresentSlot + 1] & letters.High) == 0) {
        return 0; // no letter of the word is crossable in this line
    }
    // Short lines, or the cells from `from` to the last letter of a word starting at
    // `to`, fit plain 64-bit arithmetic, which is cheaper.
    const int32_t lineLength = direction == Direction::Across ? puzzle_.Columns : puzzle_.Rows;
    const int32_t width = to - from + 1;
    uint64_t starts = 0;
    if (lineLength <= 64) {
        starts =
            StartsAlongLine<uint64_t, false>(word, slots, 0, kTakenSlot, kLetteredSlot) >> from;
    } else if (static_cast<size_t>(to - from) + word.size() <= 64) {
        starts = StartsAlongLine<uint64_t, true>(word, slots, from, kTakenSlot, kLetteredSlot);
    } else {
        const Bits wide = StartsAlongLine<Bits, false>(word, slots, 0, kTakenSlot, kLetteredSlot);
        return wide & (((Bits{1} << width) - 1) << from);
    }
    const uint64_t window = width >= 64 ? ~uint64_t{0} : (uint64_t{1} << width) - 1;
    return Bits{starts & window} << from;
}
