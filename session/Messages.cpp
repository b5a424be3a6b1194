#include "session/Messages.h"

#include "base/Cp1252.h"

namespace Messages {

std::optional<std::string> OfGeneration(GenerationOutcome outcome) {
    switch (outcome) {
    case GenerationOutcome::Generated:
        return std::nullopt;
    case GenerationOutcome::NoVocabulary:
        return W("Es wurde keine Wortschatzdatei gewählt!");
    case GenerationOutcome::OnlyShortWords:
        return W("Die Wortschatzdatei enthält nur Kurzwörter. Zum Generieren wird eine "
                 "Wortschatzdatei mit längeren Begriffen benötigt.");
    case GenerationOutcome::NoStartWordAcross:
        return W("Kein Begriff des Wortschatzes ist kürzer als die Spaltenanzahl. Bitte das "
                 "Gitter breiter wählen oder einen anderen Wortschatz öffnen.");
    case GenerationOutcome::NoStartWordDown:
        return W("Kein Begriff des Wortschatzes ist kürzer als die Zeilenanzahl. Bitte das "
                 "Gitter höher wählen oder einen anderen Wortschatz öffnen.");
    }
    return W("Es wurde kein Rätsel erzeugt.");
}

std::string SolutionWordNotFound(std::string_view word) {
    return W("Lösungswort ") + std::string(word) + " NICHT gefunden";
}

std::string StartWordQuestion(Direction direction, const VocabularyEntry& entry) {
    return PlacementQuestion(direction, entry.Word) + " : " + std::string(entry.Clue);
}

std::string PlacementQuestion(Direction direction, std::string_view word) {
    return std::string(DirectionWord(direction)) + " - " + std::string(word);
}

std::string SolvingRefusal() {
    return "Du darfst den richtigen Buchstaben genau einmal eingeben!";
}

std::string CellOccupied() {
    return "Das Feld ist doch schon belegt!";
}

std::string SolvingCompleted(int32_t attempts) {
    return W("Du hast das Rätsel in ") + std::to_string(attempts) + W(" Versuchen gelöst!");
}

std::string AttemptsLabel(int32_t attempts) {
    return "Versuche " + std::to_string(attempts);
}

std::string CorrectLabel(int32_t correct) {
    return "Richtig " + std::to_string(correct);
}

std::string LetterCountLabel(int32_t letters) {
    return "Anzahl " + std::to_string(letters);
}

std::string Percent(const PuzzleStatistics& statistics) {
    const int64_t hundredths = statistics.CrossingHundredths();
    const std::string fraction = std::to_string(hundredths % 100);
    // German decimal comma, whatever locale the C library runs in.
    return std::to_string(hundredths / 100) + "," + (fraction.size() < 2 ? "0" : "") + fraction;
}

std::string Score(const PuzzleScore& score) {
    std::string word;
    switch (score.Word) {
    case PuzzleScore::SolutionWord::Placed:
        word = W("Lösungswort gefunden");
        break;
    case PuzzleScore::SolutionWord::NotAsked:
        word = W("ohne Lösungswort");
        break;
    case PuzzleScore::SolutionWord::NotFound:
        word = W("Lösungswort nicht gefunden");
        break;
    }
    return word + ", " + std::to_string(score.BlackCells) + " schwarze Felder, " +
           std::to_string(score.CommonPercent()) + W(" % häufige Wörter, ") +
           std::to_string(score.Crossings) + W(" Überschneidungen, ") +
           std::to_string(score.TwoLetterAnswers) + " Antworten mit 2 Buchstaben";
}

} // namespace Messages
