// Writes the list of the most common words that the program compiles in, from
// frequency-ranked word lists, at build time:
//   wabolex-common-words OUTPUT COUNT LIST...
// The words go out in crossword spelling, one a line, most common first.
// Without a readable list the output is empty, and the program counts no
// word as common.
#include "base/Cp1252.h"
#include "io/InputFile.h"
#include "vocabulary/Lexicon.h"

#include <cstdlib>
#include <exception>
#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::cerr << "Aufruf: wabolex-common-words AUSGABE ANZAHL LISTE...\n";
        return 2;
    }
    Lexicon lexicon;
    for (int i = 3; i < argc; ++i) {
        try {
            InputFile in(argv[i]);
            lexicon.AddRanking(in.ReadAll(64 * 1024 * 1024));
        } catch (const std::exception& e) {
            std::cerr << Cp1252::ToUtf8(e.what()) << '\n';
        }
    }
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    for (const std::string& word : lexicon.MostCommon(std::strtoul(argv[2], nullptr, 10))) {
        out << word << '\n';
    }
    out.close();
    return out ? 0 : 1;
}
