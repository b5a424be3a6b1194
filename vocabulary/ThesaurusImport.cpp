#include "vocabulary/ThesaurusImport.h"

#include "base/Cp1252.h"
#include "vocabulary/Lexicon.h"
#include "vocabulary/VocabularyRules.h"

#include <algorithm>
#include <set>

namespace {

constexpr size_t kClueLength = 50;
constexpr size_t kClueTerms = 3;
constexpr size_t kTierSize = size_t{1} << 32; // above every position in a ranking

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t' || s.front() == '\r')) {
        s.remove_prefix(1);
    }
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) {
        s.remove_suffix(1);
    }
    return s;
}

// The terms of a line: split at ';', but not inside brackets ("(Federbett;
// regional)" stays one remark).
std::vector<std::string_view> SplitTerms(std::string_view line) {
    std::vector<std::string_view> parts;
    int depth = 0;
    size_t start = 0;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '(') {
            ++depth;
        } else if (line[i] == ')' && depth > 0) {
            --depth;
        } else if (line[i] == ';' && depth == 0) {
            parts.push_back(line.substr(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(line.substr(start));
    return parts;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return lower;
}

bool HasAny(const std::string& lowerRemark, std::initializer_list<std::string_view> keys) {
    return std::any_of(keys.begin(), keys.end(), [&](std::string_view key) {
        return lowerRemark.find(key) != std::string::npos;
    });
}

// "(sich) gewachsen zeigen", "(jemandem) etwas vorwerfen", "verlangen (nach)":
// words the phrase needs, kept in the clue; other brackets are remarks.
bool IsPartOfPhrase(std::string_view content) {
    static const std::set<std::string, std::less<>> kWords = {
        "sich",  "jemandem", "jemanden", "jemandes", "jemand", "etwas",  "einer",  "einem",
        "einen", "eine",     "ein",      "eines",    "sache",  "der",    "die",    "das",
        "den",   "dem",      "des",      "mit",      "von",    "für",    "auf",    "an",
        "in",    "zu",       "über",     "bei",      "um",     "nach",   "aus",    "gegen",
        "vor",   "unter",    "es",       "sein",     "seine",  "seinen", "seiner", "ihr",
        "ihre",  "ihren",    "ihm",      "ihn",      "sie",    "mir",    "mich",   "dir",
        "dich",  "uns",      "euch",     "so",       "da",     "hin",    "her",    "wieder"};
    const std::vector<std::string> words = VocabularyRules::Words(content);
    const bool onlyWords = content.find_first_of(".,!?'\"") == std::string_view::npos;
    return onlyWords && !words.empty() && std::all_of(words.begin(), words.end(), [](auto& w) {
               return kWords.count(Lower(Cp1252::ToUtf8(w))) != 0;
           });
}

void ReadRemark(std::string_view content, ThesaurusImport::Term& term) {
    const std::string remark = Lower(Cp1252::ToUtf8(content));
    term.Offensive =
        term.Offensive || HasAny(remark, {"vulg", "derb", "abwertend", "beleidigend", "schimpfwort",
                                          "menschenverachtend", "rassistisch", "diskriminierend",
                                          "ns-vokabel", "nationalsozialistisch"});
    term.Jargon = term.Jargon ||
                  HasAny(remark, {"fachspr",     "fachsprachlich", "med.",       "medizinisch",
                                  "chem",        "bot.",           "botanisch",  "zool",
                                  "biol",        "jur.",           "juristisch", "jargon",
                                  "mil.",        "militärisch",    "techn",      "wissenschaftlich",
                                  "amtsdeutsch", "papierdeutsch",  "anat",       "pharm",
                                  "math.",       "physik",         "geol"});
    term.Abbreviation =
        term.Abbreviation || HasAny(remark, {"abkürzung", "symbol", "einheitenzeichen", "kurzwort",
                                             "akronym", "formelzeichen"});
    term.Vulgar = term.Vulgar || HasAny(remark, {"vulg"});
    term.Main = term.Main || HasAny(remark, {"hauptform"});
    std::string rest = remark;
    for (std::string_view plain : {"ugs.", "fig.", "hauptform", ",", " "}) {
        for (size_t at = rest.find(plain); at != std::string::npos; at = rest.find(plain)) {
            rest.erase(at, plain.size());
        }
    }
    term.Marked = term.Marked || !rest.empty();
}

void Collapse(std::string& text) {
    std::string result;
    for (char c : text) {
        if (c != ' ' || (!result.empty() && result.back() != ' ')) {
            result += c;
        }
    }
    while (!result.empty() && result.back() == ' ') {
        result.pop_back();
    }
    text = std::move(result);
}

bool IsFragment(const std::string& text) {
    return text.find("...") != std::string::npos || text.find('\x85') != std::string::npos ||
           text.find("''") != std::string::npos || text.find_first_of("()") != std::string::npos ||
           std::none_of(text.begin(), text.end(), VocabularyRules::IsLetter);
}

ThesaurusImport::Term ReadTerm(std::string_view utf8) {
    ThesaurusImport::Term term;
    utf8 = Trim(utf8);
    const std::string text = Cp1252::FromUtf8(utf8);
    if (std::count(text.begin(), text.end(), '?') != std::count(utf8.begin(), utf8.end(), '?')) {
        term.Fragment = true; // characters without a Windows-1252 form
        return term;
    }
    int depth = 0;
    size_t open = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '(') {
            if (depth++ == 0) {
                open = i;
            }
        } else if (c == ')' && depth > 0) {
            if (--depth > 0) {
                continue;
            }
            const std::string_view content = std::string_view(text).substr(open + 1, i - open - 1);
            const bool inWord = (open > 0 && VocabularyRules::IsLetter(text[open - 1])) ||
                                (i + 1 < text.size() && VocabularyRules::IsLetter(text[i + 1]));
            if (inWord) {
                continue; // "stehen(d)", "gern(e)": the short form serves
            }
            if (content.find("...") != std::string_view::npos ||
                content.find('\x85') != std::string_view::npos) {
                // "Mann am (... / an der ...)", "in (...) Weise": a pattern to be filled
                // in, whose words alone make no sense.
                term.Fragment = true;
            }
            if (IsPartOfPhrase(content)) {
                term.Text += content;
            } else {
                ReadRemark(content, term);
            }
        } else if (depth == 0) {
            term.Text += c;
            term.Bare += c;
        }
    }
    if (depth != 0) {
        term.Fragment = true;
    }
    Collapse(term.Text);
    Collapse(term.Bare);
    term.Fragment = term.Fragment || IsFragment(term.Text);
    term.Answer = term.Fragment ? std::string() : ThesaurusImport::AnswerOf(term.Bare);
    return term;
}

class GroupImport {
public:
    GroupImport(const std::vector<ThesaurusImport::Term>& group,
                const ThesaurusImport::Options& options)
        : group_(group), options_(options) {
        for (const auto& term : group_) {
            usable_.push_back(!term.Fragment && !term.Offensive &&
                              !ThesaurusImport::Banned(term, options_.Banned));
            rank_.push_back(RankOf(term));
        }
    }

    void AddRecords(std::vector<VocabularyRecord>& records) const {
        std::set<std::string> answered; // one record per word and group
        for (size_t i = 0; i < group_.size(); ++i) {
            if (!IsAnswer(i) || !answered.insert(group_[i].Answer).second) {
                continue;
            }
            std::string clue = Clue(i);
            if (!clue.empty()) {
                records.push_back({group_[i].Answer, std::move(clue)});
            }
        }
    }

private:
    bool Common(size_t i) const { return options_.Words == nullptr || rank_[i] < 2 * kTierSize; }

    // The most common term first: one word before a phrase, a word found in
    // the rankings before one that is not; within each, by frequency, where a
    // phrase counts as common as its rarest word.
    size_t RankOf(const ThesaurusImport::Term& term) const {
        if (options_.Words == nullptr || !options_.Words->HasRanking() || term.Main) {
            return 0;
        }
        const std::vector<std::string> words = VocabularyRules::Words(term.Text);
        size_t rank = 0;
        for (const std::string& word : words) {
            rank = std::max(rank, options_.Words->Rank(word));
        }
        const size_t tier = (rank == Lexicon::Unranked ? 2 : 0) + (words.size() > 1 ? 1 : 0);
        return tier * kTierSize + (rank == Lexicon::Unranked ? 0 : rank);
    }

    bool IsAnswer(size_t i) const {
        const ThesaurusImport::Term& term = group_[i];
        if (!usable_[i] || term.Abbreviation || term.Answer.size() < options_.MinLength ||
            term.Answer.size() > options_.MaxLength) {
            return false;
        }
        if (options_.Words != nullptr && options_.Words->HasKnownWords() &&
            !options_.Words->Knows(term.Bare)) {
            return false;
        }
        return !term.Jargon || Common(i);
    }

    std::string Clue(size_t answer) const {
        std::vector<size_t> candidates;
        std::set<std::string> seen;
        for (size_t i = 0; i < group_.size(); ++i) {
            const ThesaurusImport::Term& term = group_[i];
            if (i == answer || !usable_[i] || (term.Jargon && !Common(i)) ||
                VocabularyRules::GivesAway(term.Text, group_[answer].Bare) ||
                !seen.insert(VocabularyRules::Fold(term.Text).Spelt).second) {
                continue;
            }
            candidates.push_back(i);
        }
        std::stable_sort(candidates.begin(), candidates.end(), [&](size_t a, size_t b) {
            if (group_[a].Marked != group_[b].Marked) {
                return !group_[a].Marked;
            }
            return rank_[a] < rank_[b];
        });
        std::string clue;
        size_t terms = 0;
        for (size_t i : candidates) {
            const std::string& text = group_[i].Text;
            const size_t length = clue.empty() ? text.size() : clue.size() + 2 + text.size();
            if (length <= kClueLength) {
                clue += (clue.empty() ? "" : ", ") + text;
                if (++terms == kClueTerms) {
                    break;
                }
            }
        }
        return clue;
    }

    const std::vector<ThesaurusImport::Term>& group_;
    const ThesaurusImport::Options& options_;
    std::vector<bool> usable_;
    std::vector<size_t> rank_;
};

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

std::vector<Term> ReadGroup(std::string_view utf8Line) {
    std::vector<Term> group;
    for (std::string_view part : SplitTerms(utf8Line)) {
        group.push_back(ReadTerm(part));
    }
    return group;
}

bool Banned(const Term& term, const VocabularyRules::BanList* banned) {
    return banned != nullptr && banned->BansAnyIn(term.Text + " " + term.Bare);
}

bool Unfit(const std::vector<Term>& group, const VocabularyRules::BanList* banned) {
    const auto unfit = std::count_if(group.begin(), group.end(),
                                     [&](const Term& t) { return t.Vulgar || Banned(t, banned); });
    return unfit > 0 && 3 * static_cast<size_t>(unfit) >= group.size();
}

void AddLine(std::string_view utf8, const Options& options,
             std::vector<VocabularyRecord>& records) {
    const std::string_view line = Trim(utf8);
    if (line.empty() || line.front() == '#') {
        return;
    }
    const std::vector<Term> group = ReadGroup(line);
    if (!Unfit(group, options.Banned)) {
        GroupImport(group, options).AddRecords(records);
    }
}

std::vector<VocabularyRecord> Parse(std::string_view utf8, const Options& options) {
    std::vector<VocabularyRecord> records;
    while (!utf8.empty()) {
        const size_t end = std::min(utf8.find('\n'), utf8.size());
        AddLine(utf8.substr(0, end), options, records);
        utf8.remove_prefix(std::min(end + 1, utf8.size()));
    }
    return records;
}

} // namespace ThesaurusImport
