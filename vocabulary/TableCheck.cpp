#include "vocabulary/TableCheck.h"

#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "vocabulary/Lexicon.h"
#include "vocabulary/ThesaurusImport.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace {

using ThesaurusImport::Term;

std::vector<std::string> ClueTerms(const std::string& clue) {
    std::vector<std::string> terms;
    size_t start = 0;
    for (size_t at = clue.find(", "); at != std::string::npos; at = clue.find(", ", start)) {
        terms.push_back(clue.substr(start, at - start));
        start = at + 2;
    }
    terms.push_back(clue.substr(start));
    return terms;
}

// The thesaurus groups an entry may come from, to see whether the group marks
// its answer or one of its clue terms as offensive.
class ThesaurusGroups {
public:
    // More groups than this with words of the table are refused: OpenThesaurus
    // has 34,000 groups in all, and each costs memory.
    static constexpr size_t MaxGroups = 100000;

    // Only the groups that hold a word of the table are kept.
    ThesaurusGroups(std::string_view utf8, const VocabularyRules::BanList* banned,
                    const std::vector<TWordEntry>& entries)
        : banned_(banned) {
        std::unordered_set<std::string_view> words;
        for (const TWordEntry& entry : entries) {
            words.insert(entry.Word);
        }
        while (!utf8.empty()) {
            const size_t end = std::min(utf8.find('\n'), utf8.size());
            const std::string_view line = utf8.substr(0, end);
            utf8.remove_prefix(std::min(end + 1, utf8.size()));
            if (line.empty() || line.front() == '#') {
                continue;
            }
            std::vector<Term> group = ThesaurusImport::ReadGroup(line);
            if (std::none_of(group.begin(), group.end(),
                             [&](const Term& term) { return words.count(term.Answer) != 0; })) {
                continue;
            }
            if (groups_.size() == MaxGroups) {
                throw WabolexError(W("Der Thesaurus hat mehr als ") + std::to_string(MaxGroups) +
                                   W(" Gruppen mit Wörtern der Tabelle."));
            }
            groups_.push_back(std::move(group));
            for (const Term& term : groups_.back()) {
                if (!term.Answer.empty()) {
                    byAnswer_[term.Answer].push_back(groups_.size() - 1);
                }
            }
        }
    }

    // Offensive when the entry can come only from groups that are unfit for a
    // puzzle: a word and clue that a sound group gives as well are sound.
    bool Offensive(const TWordEntry& entry) const {
        const auto found = byAnswer_.find(entry.Word);
        if (found == byAnswer_.end()) {
            return false;
        }
        const std::vector<std::string> clueTerms = ClueTerms(entry.Clue);
        bool fromAny = false;
        for (size_t g : found->second) {
            const std::optional<bool> offensive =
                OffensiveIn(groups_[g], entry.Word, clueTerms, banned_);
            if (offensive && !*offensive) {
                return false;
            }
            fromAny = fromAny || offensive.has_value();
        }
        return fromAny;
    }

private:
    // Whether the group marks the entry offensive; nothing when the entry does
    // not come from this group.
    static std::optional<bool> OffensiveIn(const std::vector<Term>& group, const std::string& word,
                                           const std::vector<std::string>& clueTerms,
                                           const VocabularyRules::BanList* banned) {
        bool offensive = ThesaurusImport::Unfit(group, banned);
        for (const Term& term : group) {
            offensive = offensive || (term.Answer == word && term.Offensive);
        }
        for (const std::string& clueTerm : clueTerms) {
            const std::string folded = VocabularyRules::Fold(clueTerm).Spelt;
            const auto match = std::find_if(group.begin(), group.end(), [&](const Term& t) {
                return VocabularyRules::Fold(t.Text).Spelt == folded ||
                       VocabularyRules::Fold(t.Bare).Spelt == folded;
            });
            if (match == group.end()) {
                return std::nullopt;
            }
            offensive = offensive || match->Offensive;
        }
        return offensive;
    }

    const VocabularyRules::BanList* banned_;
    std::vector<std::vector<Term>> groups_;
    std::unordered_map<std::string, std::vector<size_t>> byAnswer_;
};

void CountWords(const std::vector<TWordEntry>& entries, TableCheck::Report& report) {
    std::set<std::string_view> words;
    for (const TWordEntry& entry : entries) {
        if (words.insert(entry.Word).second) {
            ++report.WordsByLength[entry.Word.size()];
        }
    }
    report.DistinctWords = words.size();
    std::vector<size_t> lengths;
    for (const TWordEntry& entry : entries) {
        lengths.push_back(entry.Clue.size());
    }
    std::sort(lengths.begin(), lengths.end());
    if (!lengths.empty()) {
        const size_t middle = lengths.size() / 2;
        report.MedianClueLength = lengths.size() % 2 == 1
                                      ? static_cast<double>(lengths[middle])
                                      : (lengths[middle - 1] + lengths[middle]) / 2.0;
    }
}

// A word whose entries are split by other words becomes two words for the
// generator, and may stand twice in one puzzle.
void FindScattered(const std::vector<TWordEntry>& entries, TableCheck::Report& report) {
    std::set<std::string_view> finished;
    for (size_t i = 0; i < entries.size(); ++i) {
        const bool startsRun = i == 0 || entries[i - 1].Word != entries[i].Word;
        if (startsRun && !finished.insert(entries[i].Word).second) {
            report.Scattered.Entries.push_back(&entries[i]);
        }
    }
}

} // namespace

namespace TableCheck {

bool Report::BreaksHardRule() const {
    for (const Finding* finding :
         {&GiveAways, &SharedParts, &Banned, &Offensive, &EmptyClues, &InShortWords, &Scattered,
          &WrongLength, &BlackCells, &Unknown, &LongFields, &Duplicates}) {
        if (finding->Hard && !finding->Entries.empty()) {
            return true;
        }
    }
    return false;
}

Report Check(const std::vector<TWordEntry>& entries, const Inputs& inputs) {
    Report report;
    report.Entries = entries.size();
    report.ShortWordsCompared = inputs.ShortWords != nullptr;
    report.ThesaurusCompared = !inputs.ThesaurusUtf8.empty();
    report.LengthsCompared = inputs.MaxLength > 0;
    report.WordsCompared = inputs.Words != nullptr;
    CountWords(entries, report);
    FindScattered(entries, report);

    std::unique_ptr<ThesaurusGroups> thesaurus;
    if (report.ThesaurusCompared) {
        thesaurus = std::make_unique<ThesaurusGroups>(inputs.ThesaurusUtf8, inputs.Banned, entries);
    }
    std::set<std::pair<std::string_view, std::string_view>> pairs;
    for (const TWordEntry& entry : entries) {
        if (entry.Word.empty() || entry.Clue.empty()) {
            report.EmptyClues.Entries.push_back(&entry);
        }
        if (entry.HoldsBlackCell()) {
            report.BlackCells.Entries.push_back(&entry);
        }
        if (VocabularyRules::GivesAway(entry.Clue, entry.Word)) {
            report.GiveAways.Entries.push_back(&entry);
        }
        if (VocabularyRules::SharesWordPartIn(entry.Clue, entry.Word)) {
            report.SharedParts.Entries.push_back(&entry);
        }
        if (inputs.Words != nullptr && !inputs.Words->Knows(entry.Word)) {
            report.Unknown.Entries.push_back(&entry);
        }
        if (inputs.Banned != nullptr &&
            (inputs.Banned->Bans(entry.Word) || inputs.Banned->BansAnyIn(entry.Clue))) {
            report.Banned.Entries.push_back(&entry);
        }
        if (thesaurus && thesaurus->Offensive(entry)) {
            report.Offensive.Entries.push_back(&entry);
        }
        if (inputs.ShortWords != nullptr && inputs.ShortWords->count(entry.Word) != 0) {
            report.InShortWords.Entries.push_back(&entry);
        }
        if (report.LengthsCompared &&
            (entry.Word.size() < inputs.MinLength || entry.Word.size() > inputs.MaxLength)) {
            report.WrongLength.Entries.push_back(&entry);
        }
        if (entry.Word.size() > TWordEntry::MaxWordLength ||
            entry.Clue.size() > TWordEntry::MaxClueLength) {
            report.LongFields.Entries.push_back(&entry);
        }
        if (!pairs.insert({entry.Word, entry.Clue}).second) {
            report.Duplicates.Entries.push_back(&entry);
        }
    }
    return report;
}

} // namespace TableCheck
