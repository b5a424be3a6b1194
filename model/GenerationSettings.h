#pragma once

#include <algorithm>
#include <cstdint>
#include <string>

// The number of passes a generation runs, at most.
constexpr int32_t MaxPasses = 20;

// The fewest passes a grid of this size gets: its longer side div 5, plus one
// (2 for sides up to 9, 4 for 15, 20 for 95 to 99). The settings dialog raises
// its lowest pass count to it, and a generation runs at least this many.
constexpr int32_t MinimumPasses(int32_t columns, int32_t rows) {
    return std::max(columns, rows) / 5 + 1;
}

// What a generation reads from the settings dialog, with its start values.
struct GenerationSettings {
    bool ShowInsertions = true;                // "Einfügewort anzeigen"
    int32_t Passes = 4;                        // "Durchläufe"
    bool UseShortWords = true;                 // "Kurzwortdatei benutzen"
    bool UseSolutionWord = true;               // "Lösungswort "
    std::string SolutionWord = "HOCHZEITSTAG"; // the text of the solution-word field (Windows-1252)
};
