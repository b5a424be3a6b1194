#pragma once

#include "files/ExportOptions.h"
#include "model/ClueRow.h"

#include <QString>

#include <string>
#include <vector>

// The clue text written beside an exported bitmap: "waagerecht", its rows as
// "N) clue", then "senkrecht" and its rows. Windows-1252, CR LF after every
// line, no byte-order mark; or, when asked for, UTF-8 with LF. Rows with any
// other direction text are left out.
class ClueText {
public:
    static std::string Contents(const std::vector<ClueRow>& rows,
                                TextEncoding encoding = TextEncoding::Windows1252);
    // Replaces an existing file; a failure throws WabolexError (German).
    static void Write(const QString& path, const std::vector<ClueRow>& rows);
};
