#include "model/CommonWords.h"

#include <algorithm>

CommonWords CommonWords::Parse(std::string_view list) {
    CommonWords words;
    while (!list.empty()) {
        const size_t end = std::min(list.find('\n'), list.size());
        std::string_view line = list.substr(0, end);
        list.remove_prefix(std::min(end + 1, list.size()));
        while (!line.empty() && (line.back() == '\r' || line.back() == ' ')) {
            line.remove_suffix(1);
        }
        if (!line.empty()) {
            words.rank_.emplace(std::string(line), words.rank_.size());
        }
    }
    return words;
}

size_t CommonWords::Rank(std::string_view word) const {
    const auto found = rank_.find(word);
    return found == rank_.end() ? Unranked : found->second;
}
