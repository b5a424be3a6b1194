#pragma once

// The clues a list of imported records gives one word, in their order.
#include "vocabulary/ParadoxWriter.h"

#include <string>
#include <vector>

inline std::vector<std::string> CluesFor(const std::vector<VocabularyRecord>& records,
                                         const std::string& word) {
    std::vector<std::string> clues;
    for (const VocabularyRecord& r : records) {
        if (r.Word == word) {
            clues.push_back(r.Clue);
        }
    }
    return clues;
}
