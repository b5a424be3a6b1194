#pragma once

#include "model/Direction.h"
#include "model/Generator.h"
#include "model/PuzzleScore.h"
#include "model/PuzzleStatistics.h"
#include "model/Vocabulary.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// What the outcomes of the commands say to the user: the German texts of the
// window's boxes and labels and of the command line's messages, in one place
// for both (Windows-1252).
namespace Messages {

// Why a generation did not make a puzzle; nullopt for one that did.
std::optional<std::string> OfGeneration(GenerationOutcome outcome);
// "Lösungswort HOCHZEITSTAG NICHT gefunden", with the word as it was searched.
std::string SolutionWordNotFound(std::string_view word);

// "Startbegriff": "waagerecht - WORT : Umschreibung".
std::string StartWordQuestion(Direction direction, const VocabularyEntry& entry);
// "Zufrieden": "senkrecht - WORT".
std::string PlacementQuestion(Direction direction, std::string_view word);

// Solving on screen.
std::string SolvingRefusal();
std::string CellOccupied();
std::string SolvingCompleted(int32_t attempts);
std::string AttemptsLabel(int32_t attempts);
std::string CorrectLabel(int32_t correct);
std::string LetterCountLabel(int32_t letters);

// The crossings' share with two decimals and a decimal comma: "16,44".
std::string Percent(const PuzzleStatistics& statistics);
// "Lösungswort gefunden, 41 schwarze Felder, 62 % häufige Wörter,
// 78 Überschneidungen, 3 Antworten mit 2 Buchstaben".
std::string Score(const PuzzleScore& score);

} // namespace Messages
