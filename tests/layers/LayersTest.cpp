// Reads the includes of every source file of the libraries and the programs.
// Dependencies point inward: a library includes only from itself and the
// libraries below it, and no files include each other in a circle.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <algorithm>
#include <functional>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path kRoot = WABOLEX_SOURCE_DIR;

// Each folder with the folders it may include from (besides itself).
const std::map<std::string, std::set<std::string>> kMayInclude = {
    {"base", {}},
    {"io", {"base"}},
    {"model", {"base"}},
    {"vocabulary", {"base", "io", "model"}},
    {"files", {"base", "io", "model", "vocabulary"}},
    {"session", {"base", "io", "model", "vocabulary", "files"}},
    {"ui", {"base", "io", "model", "vocabulary", "files", "session"}},
    {"app", {"base", "io", "model", "vocabulary", "files", "session", "ui"}},
};

// Folders whose code runs without Qt.
const std::set<std::string> kWithoutQt = {"base", "io", "model", "vocabulary", "session"};

struct Source {
    std::string Folder;                // the library: the first folder of its path
    std::vector<std::string> Includes; // project files, as written ("model/Puzzle.h")
    bool IncludesQt = false;
    std::vector<std::string> TestNames; // names of test classes the code mentions
};

// Every source file of the libraries and programs by its path from the root.
std::map<std::string, Source> ReadTree() {
    static const std::regex include(R"re(^\s*#\s*include\s*([<"])([^">]+)[">])re");
    static const std::regex testName(R"re(\b(\w*(Test|Tests|TestAccess|Fixture))\b)re");
    std::map<std::string, Source> tree;
    for (const auto& [folder, below] : kMayInclude) {
        for (const auto& entry : fs::recursive_directory_iterator(kRoot / folder)) {
            const std::string ext = entry.path().extension().string();
            if (!entry.is_regular_file() || (ext != ".h" && ext != ".cpp")) {
                continue;
            }
            Source source;
            source.Folder = folder;
            std::ifstream in(entry.path());
            std::string line;
            std::smatch match;
            while (std::getline(in, line)) {
                const std::string code = line.substr(0, line.find("//"));
                if (std::regex_search(code, match, testName)) {
                    source.TestNames.push_back(match[1]);
                }
                if (!std::regex_search(line, match, include)) {
                    continue;
                }
                const std::string name = match[2];
                if (match[1] == "\"") {
                    source.Includes.push_back(name);
                } else if (name.rfind("Q", 0) == 0) {
                    source.IncludesQt = true;
                }
            }
            tree[fs::relative(entry.path(), kRoot).generic_string()] = std::move(source);
        }
    }
    return tree;
}

std::string FolderOf(const std::string& path) {
    return path.substr(0, path.find('/'));
}

TEST(LayersTest, EveryIncludeComesFromTheSameOrALowerLibrary) {
    const auto tree = ReadTree();
    ASSERT_GT(tree.size(), 100u) << "Quellbaum nicht gefunden: " << kRoot;
    for (const auto& [path, source] : tree) {
        const std::set<std::string>& below = kMayInclude.at(source.Folder);
        for (const std::string& name : source.Includes) {
            const std::string folder = FolderOf(name);
            if (kMayInclude.count(folder) == 0) {
                continue; // generated or third-party headers
            }
            EXPECT_TRUE(folder == source.Folder || below.count(folder) != 0)
                << path << " bindet " << name << " ein";
        }
        if (kWithoutQt.count(source.Folder) != 0) {
            EXPECT_FALSE(source.IncludesQt) << path << " bindet Qt ein";
        }
    }
}

// Tests reach the code through its public functions and object names; no
// production class grants a test class access.
TEST(LayersTest, NoProductionCodeNamesATestClass) {
    for (const auto& [path, source] : ReadTree()) {
        for (const std::string& name : source.TestNames) {
            ADD_FAILURE() << path << " nennt " << name;
        }
    }
}

TEST(LayersTest, NoFilesIncludeEachOtherInACircle) {
    const auto tree = ReadTree();
    enum class Mark { Open, Done };
    std::map<std::string, Mark> marks;
    std::vector<std::string> path;
    std::function<void(const std::string&)> visit = [&](const std::string& file) {
        const auto known = tree.find(file);
        if (known == tree.end()) {
            return;
        }
        marks[file] = Mark::Open;
        path.push_back(file);
        for (const std::string& next : known->second.Includes) {
            const auto mark = marks.find(next);
            if (mark == marks.end()) {
                visit(next);
            } else if (mark->second == Mark::Open) {
                std::string circle;
                for (auto it = std::find(path.begin(), path.end(), next); it != path.end(); ++it) {
                    circle += *it + " -> ";
                }
                ADD_FAILURE() << "Kreis: " << circle << next;
            }
        }
        path.pop_back();
        marks[file] = Mark::Done;
    };
    for (const auto& [file, source] : tree) {
        if (marks.count(file) == 0) {
            visit(file);
        }
    }
}

} // namespace
