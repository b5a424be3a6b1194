#pragma once

#include "vocabulary/ParadoxWriter.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// Vocabulary from an OpenThesaurus text file: one synonym group a line, terms
// separated by ';'. Every term that is a single word of letters becomes an
// answer (upper case, Ä -> AE, Ö -> OE, Ü -> UE, ß -> SS); its clue lists other
// terms of the same group, at most 50 characters, cut between terms, and never
// a term that contains the answer or a form of it. One record per word and group.
namespace ThesaurusImport {

std::vector<VocabularyRecord> Parse(std::string_view utf8, size_t minLength = 2,
                                    size_t maxLength = 15);

// The answer spelling of a term (Windows-1252), or "" when it is not a single
// word of letters.
std::string AnswerOf(std::string_view cp1252Term);

// True when a clue term gives the answer away: it contains the answer, its
// stem, or is itself a part of the answer. Both in Windows-1252.
bool GivesAway(std::string_view cp1252Term, std::string_view cp1252AnswerTerm);

} // namespace ThesaurusImport
