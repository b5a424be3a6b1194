#pragma once

#include <cstdint>
#include <string>

// What a generation reads from the settings dialog, with its start values.
struct GenerationSettings {
    bool ShowInsertions = true;                // "Einfügewort anzeigen"
    int32_t Passes = 4;                        // "Durchläufe"
    bool UseShortWords = true;                 // "Kurzwortdatei benutzen"
    bool UseSolutionWord = true;               // "Lösungswort "
    std::string SolutionWord = "HOCHZEITSTAG"; // the text of the solution-word field (Windows-1252)
};
