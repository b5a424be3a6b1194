#include "tests/model/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace testing_support {

std::string BarPicture(const Puzzle& p) {
    std::string out = "+";
    for (int32_t c = 0; c < p.Columns; ++c) {
        out += "-+";
    }
    out += '\n';
    for (int32_t r = 0; r < p.Rows; ++r) {
        std::string cells = "|";
        std::string below = "+";
        for (int32_t c = 0; c < p.Columns; ++c) {
            const TGridCell& cell = p.Grid.At(c, r);
            cells += cell.Letter;
            cells += cell.BarRight ? '|' : ' ';
            below += cell.BarBelow ? '-' : ' ';
            below += '+';
        }
        out += cells + '\n' + below + '\n';
    }
    return out;
}

std::string MarkPicture(const Puzzle& p) {
    std::string out;
    for (int32_t r = 0; r < p.Rows; ++r) {
        for (int32_t c = 0; c < p.Columns; ++c) {
            const char mark = p.Grid.At(c, r).Mark.Char();
            out += mark == ' ' ? '.' : mark;
        }
        out += '\n';
    }
    return out;
}

std::string LetterPicture(const Puzzle& p) {
    std::string out;
    for (int32_t r = 0; r < p.Rows; ++r) {
        for (int32_t c = 0; c < p.Columns; ++c) {
            out += p.Grid.At(c, r).Letter;
        }
        out += '\n';
    }
    return out;
}

std::string Picture(const char* raw) {
    std::string text(raw);
    if (!text.empty() && text.front() == '\n') {
        text.erase(0, 1);
    }
    return text;
}

void SetGrid(Puzzle& p, const std::vector<std::string>& letters,
             const std::vector<std::string>& marks) {
    const auto rows = static_cast<int32_t>(letters.size());
    const auto columns = static_cast<int32_t>(letters.at(0).size());
    p.ResizeGrid(columns, rows);
    p.ResetGrid();
    for (int32_t r = 0; r < rows; ++r) {
        for (int32_t c = 0; c < columns; ++c) {
            TGridCell& cell = p.Grid.At(c, r);
            cell.Letter = letters.at(r).at(c);
            const char mark = marks.empty() ? '.' : marks.at(r).at(c);
            cell.Mark = CellMark::FromChar(mark == '.' ? ' ' : mark).value();
        }
    }
}

Vocabulary Words(const std::vector<std::string>& mainWords,
                 const std::vector<std::string>& shortWords) {
    std::vector<TWordEntry> main;
    std::vector<TWordEntry> shorts;
    int n = 1;
    for (const auto& w : mainWords) {
        main.push_back({w, w + " clue " + std::to_string(n++)});
    }
    for (const auto& w : shortWords) {
        shorts.push_back({w, w + " clue " + std::to_string(n++)});
    }
    return Vocabulary(main, shorts);
}

Vocabulary SyntheticWords(int mainCount, int shortCount, uint32_t seed) {
    static const std::string letters = "EEEEENNNIIISSSRRRAAATTTDDHHUULLCGMOBWFKZP";
    std::mt19937 engine(seed);
    auto word = [&](int length) {
        std::string w;
        for (int k = 0; k < length; ++k) {
            w += letters[engine() % letters.size()];
        }
        return w;
    };
    std::vector<TWordEntry> main;
    for (int i = 0; i < mainCount; ++i) {
        const std::string w = word(2 + static_cast<int>(engine() % 14));
        main.push_back({w, "Begriff " + std::to_string(i)});
        if (engine() % 20 == 0) { // the same word with a second clue
            main.push_back({w, "Zweitbegriff " + std::to_string(i)});
        }
    }
    std::stable_sort(main.begin(), main.end(), [](const TWordEntry& a, const TWordEntry& b) {
        return a.Word.size() > b.Word.size();
    });
    std::vector<TWordEntry> shorts;
    for (int i = 0; i < shortCount; ++i) {
        shorts.push_back({word(2 + static_cast<int>(engine() % 2)), "kurz"});
    }
    return Vocabulary(main, shorts);
}

bool ScriptedDialogs::ConfirmStartWord(Direction direction, const VocabularyEntry& entry) {
    Events.push_back("start");
    StartTexts.push_back(std::string(DirectionWord(direction)) + " - " + std::string(entry.Word) +
                         " : " + std::string(entry.Clue));
    if (StartAnswers.empty()) {
        return true;
    }
    const bool answer = StartAnswers.front();
    StartAnswers.pop_front();
    return answer;
}

UserDialogs::Answer ScriptedDialogs::ConfirmPlacement(Direction direction, std::string_view word,
                                                      int column, int row) {
    Events.push_back("place");
    PlacementTexts.push_back(std::string(DirectionWord(direction)) + " - " + std::string(word));
    SelectedCells.emplace_back(column, row);
    if (Watched != nullptr) {
        LettersAtProposal.push_back(LetterPicture(*Watched));
    }
    if (PlacementAnswers.empty()) {
        return DefaultPlacement;
    }
    const Answer answer = PlacementAnswers.front();
    PlacementAnswers.pop_front();
    return answer;
}

void ScriptedDialogs::SetBusy(bool busy) {
    Busy = busy;
    Events.push_back(busy ? "busy" : "idle");
}

void ScriptedDialogs::ShowStatistics(const PuzzleStatistics& statistics) {
    Events.push_back("statistics");
    Statistics.push_back(statistics);
}

int32_t ScriptedRandom::Random(int32_t n) {
    Asked.push_back(n);
    if (values_.empty()) {
        return RandomSource::Random(n);
    }
    const int32_t value = values_.front();
    values_.pop_front();
    EXPECT_LT(value, n) << "scripted draw out of range";
    return value;
}

} // namespace testing_support
