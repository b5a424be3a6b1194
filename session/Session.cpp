#include "session/Session.h"

#include "files/PuzzleFile.h"
#include "io/FileError.h"
#include "model/Variety.h"
#include "vocabulary/ShippedCommonWords.h"
#include "vocabulary/VocabularyLoader.h"

#include <climits>
#include <utility>

namespace {

// The user's answers as the window gives them; a new puzzle is shown from the
// moment its generation begins.
class ShowingNewPuzzle : public UserDialogs {
public:
    ShowingNewPuzzle(UserDialogs& user, ViewFlags& view) : user_(user), view_(view) {}

    bool ConfirmStartWord(Direction direction, const VocabularyEntry& entry) override {
        return user_.ConfirmStartWord(direction, entry);
    }
    Answer ConfirmPlacement(Direction direction, std::string_view word, int column,
                            int row) override {
        return user_.ConfirmPlacement(direction, word, column, row);
    }
    void BeginNewPuzzle() override {
        view_.ShowNewPuzzle();
        user_.BeginNewPuzzle();
    }
    void Repaint() override { user_.Repaint(); }
    void SetBusy(bool busy) override { user_.SetBusy(busy); }
    void ShowStatistics(const PuzzleStatistics& statistics) override {
        user_.ShowStatistics(statistics);
    }

private:
    UserDialogs& user_;
    ViewFlags& view_;
};

} // namespace

Session::Session(uint64_t seed) : random_(seed), words_(std::make_shared<const Vocabulary>()) {
    puzzle_.SolutionWord = settings_.CarriedSolutionWord();
}

// --- Settings ---------------------------------------------------------------------

void Session::SetSettings(const GenerationSettings& settings) {
    settings_ = settings;
    puzzle_.SolutionWord = settings_.CarriedSolutionWord();
}

bool Session::SizeChangeAsked() const {
    return settings_.Columns != puzzle_.Columns || settings_.Rows != puzzle_.Rows;
}

void Session::ApplySize() {
    puzzle_.SolutionWordShown = false;
    view_.ForgetOldGrid();
    puzzle_.ResizeGrid(settings_.Columns, settings_.Rows);
    puzzle_.ResetGrid();
}

// --- Words and generation -------------------------------------------------------------

std::optional<std::string> Session::LoadTable(const std::filesystem::path& table) {
    LoadedVocabulary loaded = VocabularyLoader::Load(table);
    words_ = std::move(loaded.Words);
    sourceName_ = std::move(loaded.SourceName);
    return std::move(loaded.ShortWordsProblem);
}

GenerationOutcome Session::Generate(UserDialogs& dialogs) {
    // "Wörter mischen": the words of each length in an order drawn from the
    // session's random source, as wabolex-cli generate --vary draws it from
    // its seed, always from the table's own order.
    std::optional<Vocabulary> mixed;
    if (settings_.MixWords) {
        const uint64_t seed = static_cast<uint64_t>(random_.Random(INT32_MAX)) << 32 |
                              static_cast<uint32_t>(random_.Random(INT32_MAX));
        mixed = Variety::Shuffled(*words_, seed, &ShippedCommonWords());
    }
    ShowingNewPuzzle user(dialogs, view_);
    Generator generator(puzzle_, mixed ? *mixed : *words_, user, random_);
    return generator.RGenerieren(settings_);
}

SolutionWord::Outcome Session::PlaceSolutionWord() {
    return SolutionWord::Place(puzzle_, settings_.SolutionWord, random_);
}

void Session::ClearSolutionMarks() {
    puzzle_.ClearSolutionMarks();
}

PuzzleStatistics Session::Statistics() const {
    return PuzzleStatistics::Count(puzzle_);
}

// --- Puzzle files ---------------------------------------------------------------------

std::string Session::ProposedPuzzleName() const {
    return PuzzleFile::ProposedName(puzzle_, sourceName_);
}

void Session::CheckSavable() const {
    PuzzleFile::Lines(puzzle_);
}

void Session::SavePuzzle(const std::filesystem::path& file) const {
    PuzzleFile::Save(file, puzzle_);
}

void Session::LoadPuzzle(const std::filesystem::path& file) {
    const PuzzleFileContents contents = PuzzleFile::Read(file);
    sourceName_ = FileError::NameOf(file);
    PuzzleFile::Apply(contents, puzzle_);
    // The settings show the file's size and solution word; the solution-word
    // field holds at most 20 characters.
    settings_.Columns = puzzle_.Columns;
    settings_.Rows = puzzle_.Rows;
    settings_.UseSolutionWord = contents.SolutionWord.has_value();
    settings_.SolutionWord = contents.SolutionWord.value_or("").substr(0, MaxSolutionLength);
    puzzle_.SolutionWord = settings_.CarriedSolutionWord();
    StartSolving();
}

void Session::ShowPuzzle(const Puzzle& puzzle, const ViewFlags& view) {
    puzzle_ = puzzle;
    puzzle_.SolutionWord = settings_.CarriedSolutionWord();
    view_ = view;
    solving_ = SolvingSession{};
}

// --- Solving --------------------------------------------------------------------------

void Session::StartSolving() {
    Solver(puzzle_, solving_, view_).Start();
}

bool Session::ShowSolution() {
    return Solver(puzzle_, solving_, view_).ShowSolution();
}

Solver::KeyOutcome Session::Key(int32_t column, int32_t row, unsigned char key) {
    return Solver(puzzle_, solving_, view_).Key(column, row, key);
}

void Session::EndSolving() {
    Solver(puzzle_, solving_, view_).EndSolving();
}

Solver::PeekOutcome Session::Peek(int32_t column, int32_t row,
                                  const std::function<void()>& repaintNow) {
    return Solver(puzzle_, solving_, view_).Peek(column, row, repaintNow);
}

void Session::SetTypingDirection(std::optional<Direction> direction) {
    solving_.TypingDirection = direction;
}
