#pragma once

#include "model/ClueRow.h"

#include <QString>

#include <string>
#include <vector>

// The clue text written beside an exported bitmap: "waagerecht", its rows as
// "N) clue", then "senkrecht" and its rows. Windows-1252, CR LF after every
// line, no byte-order mark. Rows with any other direction text are left out.
class ClueText {
public:
    static std::string Contents(const std::vector<ClueRow>& rows);
    // Replaces an existing file; a failure throws WabolexError (German).
    static void Write(const QString& path, const std::vector<ClueRow>& rows);
};
