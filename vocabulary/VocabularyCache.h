#pragma once

#include "model/Vocabulary.h"

#include <filesystem>
#include <memory>
#include <string>

// Built vocabularies kept in files, so that a command that loads the same
// tables again maps the finished texts, entries and word index instead of
// reading the tables, ordering them and indexing their words anew.
//
// A cache file belongs to one main table. It names the program that made it
// and both tables with their path, size, times and file number; it is used
// only while all of them still match, and only after every array in it has
// been checked. A missing, stale, damaged or foreign file is simply not used;
// a folder that cannot be written only means the next load builds again.
// Writing a file removes those of the folder not written for 30 days.
//
// A cache file stays mapped while its vocabulary is used. It is only ever
// replaced whole, under a new file number; another program that shortens it
// in place while it is used ends this process (SIGBUS).
class VocabularyCache {
public:
    // Files go into `folder`, made when the first one is written.
    explicit VocabularyCache(std::filesystem::path folder);

    // The user's cache folder: $XDG_CACHE_HOME/wabolex (an absolute
    // XDG_CACHE_HOME only), else ~/.cache/wabolex; empty when neither is known.
    static std::filesystem::path UserFolder();

    // The vocabulary kept for the main table under this key, or nullptr.
    std::shared_ptr<const Vocabulary> Find(const std::string& key,
                                           const std::filesystem::path& table) const;

    // Keeps the vocabulary loaded from the two tables, whose state `Key` read
    // before they were loaded. Failing to write is not an error.
    void Keep(const std::string& key, const std::filesystem::path& table,
              const Vocabulary& words) const;

    // What identifies the program and the two tables as they are now; empty
    // when it cannot be known (then nothing is cached).
    static std::string Key(const std::filesystem::path& table,
                           const std::filesystem::path& shortTable);

    // Is there a file for the main table, current or not?
    bool Holds(const std::filesystem::path& table) const;

    // The file for a main table.
    std::filesystem::path FileFor(const std::filesystem::path& table) const;

private:
    std::filesystem::path folder_;
};
