#include "vocabulary/VocabularyCache.h"

#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "io/InputFile.h"
#include "io/OutputFile.h"
#include "model/FlatImage.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>
#include <system_error>
#include <utility>

namespace fs = std::filesystem;

namespace {

// The first number of every cache file; a file written with another byte
// order or by another program does not start with it.
constexpr int64_t kMagic = 0x57424C58564F4331; // "WBLXVOC1"
// Raised whenever the layout of a cache file changes.
constexpr int64_t kFormat = 1;

// A file as stat sees it: a file replaced, changed or touched differs in one
// of these.
bool AddState(FlatImage::Writer& key, const fs::path& file, bool required) {
    struct stat status {};
    if (::stat(file.c_str(), &status) != 0) {
        if (required) {
            return false;
        }
        key.Number(0); // missing, and so it must stay
        return true;
    }
    key.Number(1);
    for (const auto number :
         {static_cast<int64_t>(status.st_dev), static_cast<int64_t>(status.st_ino),
          static_cast<int64_t>(status.st_size), static_cast<int64_t>(status.st_mtim.tv_sec),
          static_cast<int64_t>(status.st_mtim.tv_nsec), static_cast<int64_t>(status.st_ctim.tv_sec),
          static_cast<int64_t>(status.st_ctim.tv_nsec)}) {
        key.Number(number);
    }
    return true;
}

void AddText(FlatImage::Writer& key, const std::string& text) {
    key.Array(std::span<const char>(text));
}

// A file left by a table that is gone or unused goes after this long; one in
// use is only built once more.
constexpr auto kKeptFor = std::chrono::hours(24 * 30);
const std::string kExtension = ".vocabulary";

// Removes the folder's cache files not written for kKeptFor. A process that
// still has one mapped keeps reading it.
void RemoveOld(const fs::path& folder) {
    std::error_code error;
    const auto oldest = fs::file_time_type::clock::now() - kKeptFor;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        const fs::path& file = it->path();
        std::error_code ignored;
        if (file.extension() == kExtension && it->is_regular_file(ignored) &&
            it->last_write_time(ignored) < oldest) {
            fs::remove(file, ignored);
        }
    }
}

fs::path Absolute(const fs::path& file) {
    std::error_code error;
    const fs::path absolute = fs::absolute(file, error);
    return error ? fs::path() : absolute.lexically_normal();
}

} // namespace

VocabularyCache::VocabularyCache(fs::path folder) : folder_(std::move(folder)) {}

fs::path VocabularyCache::UserFolder() {
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && cache[0] == '/') {
        return fs::path(cache) / "wabolex";
    }
    if (const char* home = std::getenv("HOME"); home && home[0] == '/') {
        return fs::path(home) / ".cache" / "wabolex";
    }
    return {};
}

std::string VocabularyCache::Key(const fs::path& table, const fs::path& shortTable) {
    const fs::path main = Absolute(table);
    const fs::path other = Absolute(shortTable);
    if (main.empty() || other.empty()) {
        return {};
    }
    // A program built anew may load tables differently: its caches start afresh.
    FlatImage::Writer key;
    key.Number(kMagic);
    key.Number(kFormat);
    if (!AddState(key, "/proc/self/exe", true)) {
        return {};
    }
    AddText(key, main.string());
    if (!AddState(key, main, true)) {
        return {};
    }
    AddText(key, other.string());
    if (!AddState(key, other, false)) {
        return {};
    }
    return key.Take();
}

fs::path VocabularyCache::FileFor(const fs::path& table) const {
    // FNV-1a of the table's absolute path: one file per table, whatever its name.
    uint64_t hash = 0xcbf29ce484222325;
    for (const char c : Absolute(table).string()) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 0x100000001b3;
    }
    char name[32];
    std::snprintf(name, sizeof name, "%016llx", static_cast<unsigned long long>(hash));
    return folder_ / (name + kExtension);
}

bool VocabularyCache::Holds(const fs::path& table) const {
    struct stat status {};
    return !folder_.empty() && ::stat(FileFor(table).c_str(), &status) == 0;
}

std::shared_ptr<const Vocabulary> VocabularyCache::Find(const std::string& key,
                                                        const fs::path& table) const {
    if (key.empty() || folder_.empty()) {
        return nullptr;
    }
    try {
        if (!Holds(table)) {
            return nullptr; // the usual case the first time: no word about it
        }
        auto image = std::make_shared<InputFile::Image>(InputFile(FileFor(table)).Map());
        FlatImage::Reader reader(image->Bytes());
        const std::span<const char> kept = reader.Array<char>();
        if (kept.size() != key.size() || std::memcmp(kept.data(), key.data(), key.size()) != 0) {
            return nullptr;
        }
        auto words = std::make_shared<const Vocabulary>(Vocabulary::ReadFrom(reader, image));
        return reader.AtEnd() ? words : nullptr;
    } catch (const FlatImage::Invalid&) {
        return nullptr;
    } catch (const WabolexError&) {
        return nullptr; // unreadable: built anew
    }
}

void VocabularyCache::Keep(const std::string& key, const fs::path& table,
                           const Vocabulary& words) const {
    if (key.empty() || folder_.empty()) {
        return;
    }
    FlatImage::Writer image;
    AddText(image, key);
    words.WriteTo(image);
    try {
        std::error_code error;
        fs::create_directories(folder_, error);
        RemoveOld(folder_);
        OutputFile::WriteWhole(FileFor(table), image.Take(), W("Der Zwischenspeicher"));
    } catch (const WabolexError&) {
        // Without the file the next load is only slower.
    }
}
