#include "vocabulary/ShippedCommonWords.h"

#include <string_view>

// The list written at build time by wabolex-common-words.
std::string_view ShippedCommonWordsText();

const CommonWords& ShippedCommonWords() {
    static const CommonWords words = CommonWords::Parse(ShippedCommonWordsText());
    return words;
}
