// Built vocabularies kept in the cache folder: used only while they are what
// loading the tables again would build.
#include "vocabulary/VocabularyCache.h"
#include "model/FlatImage.h"
#include "tests/vocabulary/TempFolder.h"
#include "vocabulary/ParadoxWriter.h"
#include "vocabulary/VocabularyLoader.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

const fs::path kShortName = fs::path(u8"Kurzwörter2004.DB");

// Everything a vocabulary holds, its index included, as bytes.
std::string FlatOf(const Vocabulary& words) {
    FlatImage::Writer writer;
    words.WriteTo(writer);
    return writer.Take();
}

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteBytes(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

class VocabularyCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(Tables());
        ParadoxWriter::WriteVocabulary(
            Table(),
            {{"HUND", "Bellt"}, {"ELEFANT", "Grau"}, {"KATZE", "Miaut"}, {"HUND", "Haustier"}});
        ParadoxWriter::WriteVocabulary(Tables() / kShortName,
                                       {{"EI", "Vom Huhn"}, {"AAL", "Fisch"}});
    }
    fs::path Tables() const { return folder_.Path() / "tabellen"; }
    fs::path Table() const { return Tables() / "tiere.db"; }
    fs::path CacheFolder() const { return folder_.Path() / "cache" / "wabolex"; }

    // Loaded through the cache; whether it came from there.
    LoadedVocabulary Load(bool& fromCache) const {
        const VocabularyCache cache(CacheFolder());
        fromCache =
            cache.Find(VocabularyCache::Key(Table(), Tables() / kShortName), Table()) != nullptr;
        return VocabularyLoader::Load(Table(), &cache);
    }
    std::string Fresh() const { return FlatOf(*VocabularyLoader::Load(Table()).Words); }

    TempFolder folder_;
};

} // namespace

TEST_F(VocabularyCacheTest, TheSecondLoadComesFromTheCacheAndEqualsAFreshOne) {
    bool fromCache = true;
    const LoadedVocabulary first = Load(fromCache);
    EXPECT_FALSE(fromCache);
    EXPECT_EQ(FlatOf(*first.Words), Fresh());
    ASSERT_TRUE(fs::exists(VocabularyCache(CacheFolder()).FileFor(Table())));

    const LoadedVocabulary second = Load(fromCache);
    EXPECT_TRUE(fromCache);
    EXPECT_EQ(FlatOf(*second.Words), Fresh());
    EXPECT_EQ(second.SourceName, "tiere.db");
    EXPECT_FALSE(second.ShortWordsProblem);
    EXPECT_EQ(second.Words->Entry(2).Clue, "Miaut");
}

TEST_F(VocabularyCacheTest, AChangedTableIsLoadedAnew) {
    bool fromCache = false;
    Load(fromCache);
    // Another main table under the same name.
    ParadoxWriter::WriteVocabulary(Table(), {{"PFERD", "Wiehert"}});
    LoadedVocabulary loaded = Load(fromCache);
    EXPECT_FALSE(fromCache);
    EXPECT_EQ(loaded.Words->Entry(1).Word, "PFERD");
    EXPECT_EQ(FlatOf(*loaded.Words), Fresh());

    // The short-word table changed in place, same size, its time put back.
    Load(fromCache);
    ASSERT_TRUE(fromCache);
    const fs::path shortTable = Tables() / kShortName;
    struct stat before {};
    ASSERT_EQ(::stat(shortTable.c_str(), &before), 0);
    std::string image = ReadBytes(shortTable);
    const size_t at = image.find("AAL");
    ASSERT_NE(at, std::string::npos);
    image.replace(at, 3, "OHR");
    std::fstream(shortTable, std::ios::binary | std::ios::in | std::ios::out) << image;
    const struct timespec times[2] = {before.st_atim, before.st_mtim};
    ASSERT_EQ(::utimensat(AT_FDCWD, shortTable.c_str(), times, 0), 0);
    loaded = Load(fromCache);
    EXPECT_FALSE(fromCache);
    EXPECT_EQ(loaded.Words->Entry(loaded.Words->WordCount() - 1).Word, "OHR");

    // Without the short-word table nothing comes from the cache, and the
    // problem is named on every load.
    fs::remove(shortTable);
    for (int i = 0; i < 2; ++i) {
        loaded = Load(fromCache);
        EXPECT_FALSE(fromCache);
        EXPECT_TRUE(loaded.ShortWordsProblem);
        EXPECT_EQ(loaded.Words->WordCount(), 1);
    }
}

TEST_F(VocabularyCacheTest, ADamagedOrForeignCacheFileIsIgnoredAndReplaced) {
    bool fromCache = false;
    Load(fromCache);
    const fs::path file = VocabularyCache(CacheFolder()).FileFor(Table());
    const std::string good = ReadBytes(file);
    // Past the tables' names and states: the vocabulary's own arrays.
    int64_t keySize = 0;
    std::memcpy(&keySize, good.data(), sizeof keySize);
    const auto arrays = static_cast<size_t>(8 + (keySize + 7) / 8 * 8 + 64);
    ASSERT_LT(arrays, good.size());
    const std::string damages[] = {
        good.substr(0, good.size() / 2),  // cut short
        good.substr(0, good.size() - 8),  // its last number missing
        good + std::string(8, '\0'),      // something after the end
        std::string(),                    // empty
        std::string(good.size(), '\xff'), // garbage
        ReadBytes(Table()),               // a table, not a cache file
        good.substr(0, arrays) + std::string(good.size() - arrays, '\x7f'), // arrays overwritten
    };
    for (const std::string& damaged : damages) {
        WriteBytes(file, damaged);
        const LoadedVocabulary loaded = Load(fromCache);
        EXPECT_FALSE(fromCache) << damaged.size();
        EXPECT_EQ(FlatOf(*loaded.Words), Fresh());
        EXPECT_EQ(ReadBytes(file), good) << "written anew";
    }
}

TEST_F(VocabularyCacheTest, WithoutAWritableCacheFolderTablesStillLoad) {
    // The place of the folder is taken by a file.
    WriteBytes(folder_.Path() / "cache", "kein Ordner");
    bool fromCache = true;
    for (int i = 0; i < 2; ++i) {
        const LoadedVocabulary loaded = Load(fromCache);
        EXPECT_FALSE(fromCache);
        EXPECT_EQ(FlatOf(*loaded.Words), Fresh());
    }
    // No folder known at all.
    const VocabularyCache none{fs::path()};
    EXPECT_EQ(FlatOf(*VocabularyLoader::Load(Table(), &none).Words), Fresh());
}

TEST(VocabularyCacheFolderTest, XdgCacheHomeThenHome) {
    const char* savedXdg = std::getenv("XDG_CACHE_HOME");
    const char* savedHome = std::getenv("HOME");
    const std::string xdg = savedXdg ? savedXdg : "";
    const std::string home = savedHome ? savedHome : "";
    ::setenv("XDG_CACHE_HOME", "/var/cache/x", 1);
    ::setenv("HOME", "/home/erika", 1);
    EXPECT_EQ(VocabularyCache::UserFolder(), fs::path("/var/cache/x/wabolex"));
    ::setenv("XDG_CACHE_HOME", "relativ", 1); // not absolute: ignored
    EXPECT_EQ(VocabularyCache::UserFolder(), fs::path("/home/erika/.cache/wabolex"));
    ::unsetenv("XDG_CACHE_HOME");
    ::unsetenv("HOME");
    EXPECT_EQ(VocabularyCache::UserFolder(), fs::path());
    savedXdg ? ::setenv("XDG_CACHE_HOME", xdg.c_str(), 1) : ::unsetenv("XDG_CACHE_HOME");
    savedHome ? ::setenv("HOME", home.c_str(), 1) : ::unsetenv("HOME");
}

TEST_F(VocabularyCacheTest, WritingRemovesFilesNotWrittenForAMonth) {
    fs::create_directories(CacheFolder());
    const fs::path old = CacheFolder() / "0000000000000001.vocabulary";
    const fs::path young = CacheFolder() / "0000000000000002.vocabulary";
    const fs::path other = CacheFolder() / "notiz.txt";
    for (const fs::path& file : {old, young, other}) {
        WriteBytes(file, "alt");
        fs::last_write_time(file, fs::file_time_type::clock::now() - std::chrono::hours(24 * 40));
    }
    fs::last_write_time(young, fs::file_time_type::clock::now() - std::chrono::hours(24 * 20));
    bool fromCache = false;
    Load(fromCache);
    EXPECT_FALSE(fs::exists(old));
    EXPECT_TRUE(fs::exists(young));
    EXPECT_TRUE(fs::exists(other));
    EXPECT_TRUE(fs::exists(VocabularyCache(CacheFolder()).FileFor(Table())));
}
