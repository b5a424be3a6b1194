#include "vocabulary/ThesaurusImport.h"

#include "model/Cp1252.h"

#include <algorithm>
#include <set>

namespace {

constexpr size_t kClueLength = 50;

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

std::vector<std::string_view> Split(std::string_view s, char separator) {
    std::vector<std::string_view> parts;
    size_t start = 0;
    for (size_t at = s.find(separator); at != std::string_view::npos;
         at = s.find(separator, start)) {
        parts.push_back(s.substr(start, at - start));
        start = at + 1;
    }
    parts.push_back(s.substr(start));
    return parts;
}

struct Term {
    std::string Text;     // Windows-1252, remarks in brackets removed
    std::string Answer;   // "" when the term cannot be an answer
    std::string Folded;   // for comparing forms: umlauts dropped to their vowel
    std::string SpeltOut; // and with the umlauts spelt out
    bool Offensive = false;
};

std::string Fold(std::string_view cp1252, bool spellOut = false);

// "(ugs.)", "(fachspr.)", "(sich)" and the like say how a term is used; they
// are left out of answers and clues. Vulgar terms are kept out altogether.
Term ReadTerm(std::string_view utf8) {
    Term term;
    const std::string text = Cp1252::FromUtf8(Trim(utf8));
    if (std::count(text.begin(), text.end(), '?') != std::count(utf8.begin(), utf8.end(), '?')) {
        return term; // characters without a Windows-1252 form
    }
    std::string plain;
    int depth = 0;
    std::string remark;
    for (char c : text) {
        if (c == '(') {
            ++depth;
        } else if (c == ')' && depth > 0) {
            --depth;
            if (depth == 0) {
                term.Offensive = term.Offensive || remark.find("vulg") != std::string::npos ||
                                 remark.find("derb") != std::string::npos;
                remark.clear();
            }
        } else if (depth > 0) {
            remark += c;
        } else if (c != ' ' || (!plain.empty() && plain.back() != ' ')) {
            plain += c;
        }
    }
    while (!plain.empty() && plain.back() == ' ') {
        plain.pop_back();
    }
    if (depth != 0) {
        plain.clear();
    }
    term.Text = plain;
    term.Answer = ThesaurusImport::AnswerOf(plain);
    term.Folded = Fold(plain);
    term.SpeltOut = Fold(plain, true);
    return term;
}

// Upper case with the umlauts either dropped to their vowel (Häuser -> HAUSER,
// which shows the kinship to HAUS) or spelt out (Ölen -> OELEN, the answer spelling).
std::string Fold(std::string_view cp1252, bool spellOut) {
    std::string result;
    for (char c : Cp1252::ToUpper(cp1252)) {
        switch (static_cast<unsigned char>(c)) {
        case 0xC4:
            result += spellOut ? "AE" : "A";
            break;
        case 0xD6:
            result += spellOut ? "OE" : "O";
            break;
        case 0xDC:
            result += spellOut ? "UE" : "U";
            break;
        case 0xDF:
            result += "SS";
            break;
        default:
            result += c;
        }
    }
    return result;
}

// The part of a word that its inflected forms share, roughly.
std::string_view Stem(std::string_view folded) {
    if (folded.size() >= 6) {
        return folded.substr(0, folded.size() - 2);
    }
    if (folded.size() >= 4) {
        return folded.substr(0, folded.size() - 1);
    }
    return folded;
}

bool PartGivesAway(std::string_view part, std::string_view answer) {
    // Two letters hide in too many words; only where a word begins or ends.
    const bool found = answer.size() <= 2 ? part.starts_with(answer) || part.ends_with(answer)
                                          : part.find(Stem(answer)) != std::string_view::npos;
    // A clue that is a piece of the answer gives it away as well.
    return found || (part.size() >= 4 && answer.find(Stem(part)) != std::string_view::npos);
}

// Each word of the term, and each part of a hyphenated word, is checked.
bool GivesAwayFolded(std::string_view term, std::string_view answer) {
    if (answer.empty()) {
        return false;
    }
    size_t start = 0;
    for (size_t at = 0; at <= term.size(); ++at) {
        if (at == term.size() || term[at] == ' ' || term[at] == '-') {
            if (at > start && PartGivesAway(term.substr(start, at - start), answer)) {
                return true;
            }
            start = at + 1;
        }
    }
    return false;
}

std::string Clue(const std::vector<Term>& group, size_t answerIndex) {
    std::string clue;
    std::set<std::string> used;
    for (size_t i = 0; i < group.size(); ++i) {
        const Term& t = group[i];
        const Term& answer = group[answerIndex];
        if (i == answerIndex || t.Text.empty() || t.Offensive ||
            GivesAwayFolded(t.Folded, answer.Folded) ||
            GivesAwayFolded(t.SpeltOut, answer.SpeltOut) || !used.insert(t.Folded).second) {
            continue;
        }
        const size_t length = clue.empty() ? t.Text.size() : clue.size() + 2 + t.Text.size();
        if (length <= kClueLength) {
            clue += (clue.empty() ? "" : ", ") + t.Text;
        }
    }
    return clue;
}

} // namespace

namespace ThesaurusImport {

std::string AnswerOf(std::string_view term) {
    std::string answer;
    for (char c : term) {
        const auto u = static_cast<unsigned char>(Cp1252::ToUpper(c));
        if (u >= 'A' && u <= 'Z') {
            answer += static_cast<char>(u);
        } else if (u == 0xC4) {
            answer += "AE";
        } else if (u == 0xD6) {
            answer += "OE";
        } else if (u == 0xDC) {
            answer += "UE";
        } else if (u == 0xDF) {
            answer += "SS";
        } else {
            return {};
        }
    }
    return answer;
}

bool GivesAway(std::string_view term, std::string_view answerTerm) {
    return GivesAwayFolded(Fold(term), Fold(answerTerm)) ||
           GivesAwayFolded(Fold(term, true), Fold(answerTerm, true));
}

std::vector<VocabularyRecord> Parse(std::string_view utf8, size_t minLength, size_t maxLength) {
    std::vector<VocabularyRecord> records;
    std::vector<Term> group;
    while (!utf8.empty()) {
        const size_t end = std::min(utf8.find('\n'), utf8.size());
        const std::string_view line = Trim(utf8.substr(0, end));
        utf8.remove_prefix(std::min(end + 1, utf8.size()));
        if (line.empty() || line.front() == '#') {
            continue;
        }
        group.clear();
        for (std::string_view part : Split(line, ';')) {
            group.push_back(ReadTerm(part));
        }
        std::set<std::string> answered; // one record per word and group
        for (size_t i = 0; i < group.size(); ++i) {
            const Term& t = group[i];
            if (t.Answer.size() < minLength || t.Answer.size() > maxLength || t.Offensive ||
                !answered.insert(t.Answer).second) {
                continue;
            }
            std::string clue = Clue(group, i);
            if (!clue.empty()) {
                records.push_back({t.Answer, std::move(clue)});
            }
        }
    }
    return records;
}

} // namespace ThesaurusImport
