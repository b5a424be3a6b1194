// The German texts of the outcomes, as the window and the command line show them.
#include "session/Messages.h"

#include "base/Cp1252.h"

#include <gtest/gtest.h>

namespace {

TEST(MessagesTest, EveryRefusalOfAGenerationIsWordedAndAPuzzleIsNot) {
    EXPECT_FALSE(Messages::OfGeneration(GenerationOutcome::Generated));
    EXPECT_EQ(Messages::OfGeneration(GenerationOutcome::NoVocabulary),
              W("Es wurde keine Wortschatzdatei gewählt!"));
    EXPECT_NE(Messages::OfGeneration(GenerationOutcome::OnlyShortWords)->find(W("nur Kurzwörter")),
              std::string::npos);
    EXPECT_NE(Messages::OfGeneration(GenerationOutcome::NoStartWordAcross)->find("Spaltenanzahl"),
              std::string::npos);
    EXPECT_NE(Messages::OfGeneration(GenerationOutcome::NoStartWordDown)->find("Zeilenanzahl"),
              std::string::npos);
    EXPECT_EQ(Messages::SolutionWordNotFound(W("BÄRE")), W("Lösungswort BÄRE NICHT gefunden"));
}

TEST(MessagesTest, QuestionsNameDirectionWordAndClue) {
    const VocabularyEntry entry{"KLEID", "Gewand"};
    EXPECT_EQ(Messages::StartWordQuestion(Direction::Across, entry), "waagerecht - KLEID : Gewand");
    EXPECT_EQ(Messages::PlacementQuestion(Direction::Down, "AX"), "senkrecht - AX");
}

TEST(MessagesTest, SolvingTextsAndLabels) {
    EXPECT_EQ(Messages::SolvingCompleted(10), W("Du hast das Rätsel in 10 Versuchen gelöst!"));
    EXPECT_EQ(Messages::AttemptsLabel(3), "Versuche 3");
    EXPECT_EQ(Messages::CorrectLabel(0), "Richtig 0");
    EXPECT_EQ(Messages::LetterCountLabel(42), "Anzahl 42");
}

TEST(MessagesTest, PercentHasTwoDecimalsAndACommaWhateverTheLocale) {
    PuzzleStatistics s;
    s.Columns = 16;
    s.Rows = 16;
    s.Crossings = 40; // 15.625 rounds up
    EXPECT_EQ(Messages::Percent(s), "15,63");
    s.Crossings = 256;
    EXPECT_EQ(Messages::Percent(s), "100,00");
    s.Columns = 40;
    s.Rows = 40;
    s.Crossings = 1;
    EXPECT_EQ(Messages::Percent(s), "0,06");
    EXPECT_EQ(Messages::Percent(PuzzleStatistics{}), "0,00");
}

TEST(MessagesTest, ScoreNamesItsPartsInOrder) {
    const PuzzleScore score{PuzzleScore::SolutionWord::NotAsked, 10, 4, 2, 1, 2};
    EXPECT_EQ(Messages::Score(score), W("ohne Lösungswort, 10 schwarze Felder, 50 % häufige "
                                        "Wörter, 1 Überschneidungen, 2 Antworten mit 2 Buchstaben"));
    PuzzleScore found = score;
    found.Word = PuzzleScore::SolutionWord::NotFound;
    EXPECT_EQ(Messages::Score(found).rfind(W("Lösungswort nicht gefunden, "), 0), 0u);
}

} // namespace
