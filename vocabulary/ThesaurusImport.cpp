#include "vocabulary/ThesaurusImport.h"

#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "vocabulary/Lexicon.h"
#include "vocabulary/ReviewedClues.h"
#include "vocabulary/VocabularyRules.h"

#include <algorithm>
#include <set>
#include <tuple>

// The texts of vocabulary/data/KeineLoesungswoerter.txt and Nebensinn.txt,
// compiled in at build time.
std::string_view ShippedNotAnswersText();
std::string_view ShippedSideSensesText();

namespace {

constexpr size_t kClueLength = 50;
constexpr size_t kClueTerms = 2;
constexpr size_t kCluesPerWord = 2;
constexpr size_t kAlternativeTerms = 5; // terms that may join the first where the best clue is taken
constexpr size_t kManyMeanings = 4; // groups with a clue for one word
constexpr size_t kTierSize = size_t{1} << 32; // above every position in a ranking
constexpr size_t kNoTerm = 4 * kTierSize;      // after every rank of a term

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
    // Words a reader from elsewhere or of today does not know.
    term.Regional =
        term.Regional ||
        HasAny(remark, {"österr",       "schweiz",      "süddt",         "norddt",
                        "norddeutsch",  "süddeutsch",   "regional",      "bair",
                        "bayr",         "ruhrdt",       "veraltet",      "veraltend",
                        "selten",       "schwäb",       "rheinisch",     "rhein.",
                        "berlinerisch", "berl.",        "kölsch",        "ddr",
                        "landschaftl",  "fränk",        "niederdt",      "niederdeutsch",
                        "plattdeutsch", "thüring",      "südtirol",      "sächs",
                        "alemann",      "westfäl",      "badisch",       "pfälz",
                        "westdeutsch",  "ostdeutsch",   "mitteldeutsch", "oberdeutsch",
                        "hessisch",     "liechtenstein", "luxemb",       "lux.",
                        "saarl",        "altertümelnd", "altertümlich",  "mundartl",
                        "dialekt",      "wienerisch",   "tirol",         "kärnt",
                        "steir",        "vorarlberg",   "schles",        "ostfries",
                        "hamburg",      "mecklenb",     "elsäss"});
    term.Foreign = term.Foreign || HasAny(remark, {"engl.", "franz.", "lat.", "ital.", "span.",
                                                   "griech", "jidd", "niederl", "japan",
                                                   "russ.", "portug", "türk", "arab"});
    term.Vulgar = term.Vulgar || HasAny(remark, {"vulg"});
    term.Main = term.Main || HasAny(remark, {"hauptform"});
    std::string rest = remark;
    for (std::string_view plain : {"geh.", "hauptform", ",", " "}) {
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

// Clue texts compared as the solver reads them: "Folge, Reihe" and "folge,
// Reihe" are one.
std::string ClueKey(const std::string& clue) {
    return VocabularyRules::Fold(clue).Spelt;
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

// The clues one group offers for its answers.
class GroupImport {
public:
    GroupImport(const std::vector<ThesaurusImport::Term>& group,
                const ThesaurusImport::Options& options)
        : group_(group), options_(options) {
        for (const auto& term : group_) {
            rank_.push_back(RankOf(term));
        }
    }

    // Calls add(word, form, key, clues) once for each word of the group with a
    // clue; clues holds the best clue first, then others for where it is taken.
    template <typename Add> void ForEachClue(Add add) const {
        std::set<std::string> answered; // one clue per word and group
        for (size_t i = 0; i < group_.size(); ++i) {
            if (!IsAnswer(i) || !answered.insert(group_[i].Answer).second) {
                continue;
            }
            const std::vector<std::vector<size_t>> choices = ClueChoices(i);
            if (choices.empty()) {
                continue;
            }
            std::vector<std::string> clues;
            for (const std::vector<size_t>& terms : choices) {
                std::string clue;
                for (size_t t : terms) {
                    clue += (clue.empty() ? "" : ", ") + group_[t].Text;
                }
                clues.push_back(std::move(clue));
            }
            // The word's own standing in the group first: its usual sense
            // before a marked one; then the clue: plain terms before marked
            // ones, a common first term before a rare one; then the group
            // whose clue terms are the most common; then the smaller group.
            const std::vector<size_t>& terms = choices.front();
            const ThesaurusImport::Term& answer = group_[i];
            const size_t standing = answer.Main ? 0 : answer.Marked ? 2 : 1;
            add(answer.Answer, FormOf(answer),
                std::vector<size_t>{standing, group_[terms[0]].Marked ? size_t{1} : size_t{0},
                                    rank_[terms[0]] < kTierSize ? size_t{0} : size_t{1},
                                    rank_[terms[0]],
                                    terms.size() > 1 ? rank_[terms[1]] : kNoTerm, group_.size()},
                std::move(clues));
        }
    }

private:
    bool Common(size_t i) const { return options_.Words == nullptr || rank_[i] < 2 * kTierSize; }

    // The most common term first: one word before a phrase, a word found in
    // the rankings before one that is not; within each, by frequency, where a
    // phrase counts as common as its rarest word.
    size_t RankOf(const ThesaurusImport::Term& term) const {
        if (options_.Words == nullptr || !options_.Words->HasRanking()) {
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

    bool Usable(size_t i) const {
        const ThesaurusImport::Term& term = group_[i];
        return !term.Fragment && !term.Regional && (!term.Jargon || Common(i)) &&
               (options_.NotAnswers == nullptr || options_.NotAnswers->count(term.Bare) == 0);
    }

    bool IsAnswer(size_t i) const {
        const ThesaurusImport::Term& term = group_[i];
        // "verantwortlich (sein)" is a phrase, "Survey (engl.)" a foreign word.
        if (!Usable(i) || term.Abbreviation || term.Foreign || term.Text != term.Bare ||
            (options_.SideSenses != nullptr && options_.SideSenses->count(term.Bare) != 0) ||
            term.Answer.size() < options_.MinLength || term.Answer.size() > options_.MaxLength) {
            return false;
        }
        return options_.Words == nullptr || !options_.Words->HasKnownWords() ||
               options_.Words->Knows(term.Bare);
    }

    // How good a word of this form is as an answer, where frequency does not
    // tell: nouns first, then other words, participles ("flimmernd",
    // "geröstet") last.
    static size_t FormOf(const ThesaurusImport::Term& term) {
        if (IsNoun(term)) {
            return 0;
        }
        const std::string& bare = term.Bare;
        const bool participle = bare.ends_with("end") || (bare.starts_with("ge") && bare.ends_with("t"));
        return participle ? 2 : 1;
    }

    // A noun answer wants a noun in its clue, any other word none: groups mix
    // them ("Wunschdenken; unrealistisch"). A phrase counts by its last word
    // ("bauliche Anlage" is a noun).
    static bool IsNoun(const ThesaurusImport::Term& term) {
        const std::vector<std::string> words = VocabularyRules::Words(term.Text);
        return !words.empty() && Cp1252::ToUpper(words.back()[0]) == words.back()[0];
    }

    // "hrsg.", "OS", "JuHe", "Hbf", "Xe", "um": no clue for a long word.
    static bool LooksAbbreviated(const ThesaurusImport::Term& term) {
        if (term.Abbreviation || term.Text.find('.') != std::string::npos) {
            return true;
        }
        const std::vector<std::string> words = VocabularyRules::Words(term.Text);
        if (words.size() != 1) {
            return false;
        }
        const std::string& word = words[0];
        const bool capitalInside = std::any_of(word.begin() + 1, word.end(), [](char c) {
            return Cp1252::ToUpper(c) == c && c != '\xDF'; // ß has no capital
        });
        const std::string upper = VocabularyRules::Fold(word).Spelt;
        const bool vowel = upper.find_first_of("AEIOUY") != std::string::npos;
        return word.size() < 3 || capitalInside || !vowel;
    }

    // The terms that may clue the answer, the most common first; marked
    // terms only where the group has no plain one.
    std::vector<size_t> ClueCandidates(size_t answer) const {
        std::vector<size_t> candidates;
        std::set<std::string> seen;
        for (size_t i = 0; i < group_.size(); ++i) {
            const ThesaurusImport::Term& term = group_[i];
            if (i == answer || !Usable(i) || LooksAbbreviated(term) ||
                IsNoun(term) != IsNoun(group_[answer]) ||
                VocabularyRules::GivesAway(term.Text, group_[answer].Bare) ||
                !seen.insert(VocabularyRules::Fold(term.Text).Spelt).second) {
                continue;
            }
            candidates.push_back(i);
        }
        const bool plainTerms = std::any_of(candidates.begin(), candidates.end(),
                                            [&](size_t i) { return !group_[i].Marked; });
        if (plainTerms) {
            std::erase_if(candidates, [&](size_t i) { return group_[i].Marked; });
        }
        std::stable_sort(candidates.begin(), candidates.end(),
                         [&](size_t a, size_t b) { return rank_[a] < rank_[b]; });
        return candidates;
    }

    // True when the term may follow `first` in a clue of `length` characters so far.
    bool MayFollow(size_t first, size_t term, size_t length) const {
        // Two forms of one word ("Glaube, Glauben") are one term.
        const bool kin = VocabularyRules::GivesAway(group_[term].Text, group_[first].Bare);
        // A rare word after a common one adds more doubt than help
        // ("Wärme, Demse").
        const bool rareAfterCommon = rank_[first] < kTierSize && rank_[term] >= 2 * kTierSize;
        return !kin && !rareAfterCommon && length + 2 + group_[term].Text.size() <= kClueLength;
    }

    // The clues for the answer, best first. The best: one or two terms, the
    // most common first. Then, for a word whose best clue a more common word
    // of the group already has, the first term with another of the group's
    // most common candidates, then the first term alone: the term that fits
    // best stays, only its company changes.
    std::vector<std::vector<size_t>> ClueChoices(size_t answer) const {
        const std::vector<size_t> candidates = ClueCandidates(answer);
        std::vector<std::vector<size_t>> choices;
        std::vector<size_t> best;
        for (size_t i : candidates) {
            const size_t length = best.empty() ? 0 : group_[best[0]].Text.size();
            if (best.empty() ? group_[i].Text.size() <= kClueLength : MayFollow(best[0], i, length)) {
                best.push_back(i);
                if (best.size() == kClueTerms) {
                    break;
                }
            }
        }
        if (best.empty()) {
            return choices;
        }
        choices.push_back(best);
        const size_t first = best.front();
        const size_t n = std::min(candidates.size(), kAlternativeTerms);
        for (size_t b = 0; b < n; ++b) {
            const size_t other = candidates[b];
            std::vector<size_t> pair = {first, other};
            if (other != first && pair != best && MayFollow(first, other, group_[first].Text.size())) {
                choices.push_back(std::move(pair));
            }
        }
        if (best.size() > 1) {
            choices.push_back({first});
        }
        return choices;
    }

    const std::vector<ThesaurusImport::Term>& group_;
    const ThesaurusImport::Options& options_;
    std::vector<size_t> rank_;
};

} // namespace

namespace ThesaurusImport {

namespace {

// One term a line, '#' starts a comment.
std::set<std::string> TermsOf(std::string_view text) {
    std::set<std::string> result;
    while (!text.empty()) {
        const size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = Trim(text.substr(0, std::min(text.find('#'), end)));
        if (!line.empty()) {
            result.insert(Cp1252::FromUtf8(line));
        }
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return result;
}

} // namespace

const std::set<std::string>& ShippedNotAnswers() {
    static const std::set<std::string> words = TermsOf(ShippedNotAnswersText());
    return words;
}

const std::set<std::string>& ShippedSideSenses() {
    static const std::set<std::string> words = TermsOf(ShippedSideSensesText());
    return words;
}

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
    return std::any_of(group.begin(), group.end(),
                       [&](const Term& t) { return t.Offensive || Banned(t, banned); });
}

void Importer::AddLine(std::string_view utf8) {
    const std::string_view line = Trim(utf8);
    if (line.empty() || line.front() == '#') {
        return;
    }
    const std::vector<Term> group = ReadGroup(line);
    if (Unfit(group, options_.Banned)) {
        // A word whose usual meaning is unfit keeps none of its others:
        // Vater (Hauptform) beside "der Alte (derb)" would be left with
        // "Elternknoten".
        for (const Term& term : group) {
            if (term.Main && !term.Answer.empty() && lostMain_.insert(term.Answer).second) {
                Keep();
            }
        }
        return;
    }
    GroupImport(group, options_).ForEachClue(
        [&](const std::string& word, size_t form, std::vector<size_t> key,
            std::vector<std::string> clues) {
            const size_t texts = clues.size();
            candidates_[word].push_back({std::move(key), std::move(clues), form});
            Keep(texts);
        });
}

void Importer::Keep(size_t texts) {
    kept_ += texts;
    if (kept_ > MaxKept) {
        throw WabolexError(W("Der Thesaurus ergibt mehr als ") + std::to_string(MaxKept) +
                           W(" Umschreibungen; so viele nimmt kein Wortschatz auf."));
    }
}

void Importer::AddThesaurusClues(const std::string& word, std::set<std::string>& taken,
                                 std::vector<VocabularyRecord>& records) const {
    std::vector<Candidate> best = candidates_.at(word);
    std::stable_sort(best.begin(), best.end(),
                     [](const Candidate& a, const Candidate& b) { return a.Key < b.Key; });
    // A word of many meanings gets a clue of the wrong one too often, and
    // one whose usual meaning went with an unfit group has only others
    // left: each stays only where the thesaurus names its usual meaning.
    if ((best.size() >= kManyMeanings || lostMain_.count(word) != 0) && best.front().Key[0] != 0) {
        return;
    }
    // A word the thesaurus marks in every group ("Birne (ugs.)" for the
    // head) has only a special meaning there.
    if (best.front().Key[0] == 2) {
        return;
    }
    // A second meaning only when it stands as well as the first: the word
    // unmarked in both, plain clue terms in both, a common first term.
    std::set<std::string> meanings; // the best clue of each meaning given
    std::vector<std::string> given;
    for (const Candidate& candidate : best) {
        const bool asGood = candidate.Key[0] == best.front().Key[0] &&
                            candidate.Key[1] == best.front().Key[1] && candidate.Key[0] < 2 &&
                            candidate.Key[2] == 0 && best.size() < kManyMeanings;
        if (given.size() == kCluesPerWord || (!given.empty() && !asGood)) {
            break;
        }
        if (!meanings.insert(candidate.Clues.front()).second) {
            continue; // one meaning in two groups
        }
        // Two answers with one clue text leave the solver guessing which is
        // which where both stand in a puzzle: the best clue no other word
        // has, else the best.
        const auto free =
            std::find_if(candidate.Clues.begin(), candidate.Clues.end(),
                         [&](const std::string& clue) { return taken.count(ClueKey(clue)) == 0; });
        const std::string& clue = free != candidate.Clues.end() ? *free : candidate.Clues.front();
        if (std::find(given.begin(), given.end(), clue) == given.end()) {
            taken.insert(ClueKey(clue));
            given.push_back(clue);
            records.push_back({word, clue});
        }
    }
}

std::vector<VocabularyRecord> Importer::Finish() const {
    const ReviewedClues* reviewed = options_.Reviewed;
    std::map<std::string, size_t> forms; // every word with a clue, and its best form
    for (const auto& [word, candidates] : candidates_) {
        size_t form = 2;
        for (const Candidate& candidate : candidates) {
            form = std::min(form, candidate.Form);
        }
        forms.emplace(word, form);
    }
    std::set<std::string> taken; // clue texts, as ClueKey gives them
    if (reviewed != nullptr) {
        for (const auto& [word, clues] : reviewed->Words()) {
            for (const std::string& clue : clues) {
                taken.insert(ClueKey(clue));
            }
            if (clues.empty() || forms.count(word) != 0 || word.size() < options_.MinLength ||
                word.size() > options_.MaxLength) {
                continue;
            }
            if (options_.Words != nullptr && options_.Words->HasKnownWords() &&
                !options_.Words->Knows(word)) {
                throw WabolexError(W("Das von Hand geprüfte Wort ") + word +
                                   W(" steht in keiner Wortliste."));
            }
            forms.emplace(word, 1);
        }
    }
    // Ranked words by rank; the others by their form, then alphabetically (the
    // map's order).
    std::vector<std::tuple<size_t, size_t, const std::string*>> words; // rank, form, word
    for (const auto& [word, form] : forms) {
        const size_t rank = options_.Words != nullptr ? options_.Words->Rank(word) : 0;
        words.emplace_back(rank, rank == Lexicon::Unranked ? form : 0, &word);
    }
    std::stable_sort(words.begin(), words.end(), [](const auto& a, const auto& b) {
        return std::tie(std::get<0>(a), std::get<1>(a)) < std::tie(std::get<0>(b), std::get<1>(b));
    });
    std::vector<VocabularyRecord> records;
    for (const auto& [rank, form, word] : words) {
        if (const std::vector<std::string>* clues =
                reviewed != nullptr ? reviewed->Find(*word) : nullptr) {
            for (const std::string& clue : *clues) {
                records.push_back({*word, clue});
            }
        } else {
            AddThesaurusClues(*word, taken, records);
        }
    }
    return records;
}

std::vector<VocabularyRecord> Parse(std::string_view utf8, const Options& options) {
    Importer importer(options);
    while (!utf8.empty()) {
        const size_t end = std::min(utf8.find('\n'), utf8.size());
        importer.AddLine(utf8.substr(0, end));
        utf8.remove_prefix(std::min(end + 1, utf8.size()));
    }
    return importer.Finish();
}

} // namespace ThesaurusImport
