#pragma once

#include "model/GridSide.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>

// The number of passes a generation runs, at most.
constexpr int32_t MaxPasses = 20;

// The fewest passes a grid of this size gets: its longer side div 5, plus one
// (2 for sides up to 9, 4 for 15, 20 for 95 to 99). The settings dialog raises
// its lowest pass count to it, and a generation runs at least this many.
constexpr int32_t MinimumPasses(int32_t columns, int32_t rows) {
    return std::max(columns, rows) / 5 + 1;
}

// The settings of the settings dialog "Einstellungen", with their start
// values: one value, which the dialog edits and the commands read.
struct GenerationSettings {
    // "Spaltenanzahl", "Zeilenanzahl": the size the grid takes when the user
    // agrees to a change (a generation keeps the grid's own size until then).
    int32_t Columns = StartGridSide;
    int32_t Rows = StartGridSide;
    bool ShowInsertions = true;                // "Einfügewort anzeigen"
    int32_t Passes = 4;                        // "Durchläufe"
    bool UseShortWords = true;                 // "Kurzwortdatei benutzen"
    bool UseSolutionWord = true;               // "Lösungswort "
    std::string SolutionWord = "HOCHZEITSTAG"; // the text of the solution-word field (Windows-1252)
    bool MixWords = false;                     // "Wörter mischen": the words in a drawn order

    // The solution word a puzzle carries under these settings: nullopt while
    // the box is unchecked.
    std::optional<std::string> CarriedSolutionWord() const {
        return UseSolutionWord ? std::optional<std::string>(SolutionWord) : std::nullopt;
    }

    bool operator==(const GenerationSettings&) const = default;
};
