#include "io/OutputFile.h"
#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "tests/io/ChildProcess.h"
#include "tests/vocabulary/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <sched.h>
#include <sstream>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <thread>

namespace fs = std::filesystem;

namespace {

std::string Bytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> Names(const fs::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string RefusalOf(const fs::path& target) {
    try {
        OutputFile::WriteWhole(target, "neu", W("Die Datei"));
    } catch (const WabolexError& e) {
        return Cp1252::ToUtf8(e.what());
    }
    return "(geschrieben)";
}

// Every test runs with the unnamed temporary and with the named one it falls
// back to where the system offers no unnamed files.
class OutputFileTest : public ::testing::TestWithParam<bool> {
protected:
    void SetUp() override { OutputFile::AllowUnnamedTemporaries(GetParam()); }
    void TearDown() override { OutputFile::AllowUnnamedTemporaries(true); }

    TempFolder folder_;
    fs::path Path(const std::string& name) const { return folder_.Path() / name; }
};

} // namespace

TEST_P(OutputFileTest, ReplacesTheWholeFileAndLeavesNothingElse) {
    std::ofstream(Path("alt.txt")) << std::string(10000, 'x');
    fs::permissions(Path("alt.txt"), fs::perms(0640));
    OutputFile::WriteWhole(Path("alt.txt"), "kurz", W("Die Datei"));
    EXPECT_EQ(Bytes(Path("alt.txt")), "kurz");
    EXPECT_EQ(fs::status(Path("alt.txt")).permissions(), fs::perms(0640)) << "keeps its rights";

    const mode_t mask = ::umask(022);
    OutputFile::WriteWhole(Path("neu.txt"), "neu", W("Die Datei"));
    OutputFile::WriteWhole(Path("fest.wbx"), "fest", W("Die Datei"), true);
    ::umask(mask);
    EXPECT_EQ(fs::status(Path("neu.txt")).permissions(), fs::perms(0644));
    EXPECT_EQ(fs::status(Path("fest.wbx")).permissions(), fs::perms(0444));

    { // Not committed: the old file stays, the temporary goes.
        OutputFile unfinished(Path("alt.txt"), W("Die Datei"));
        unfinished.Write("halb");
    }
    EXPECT_EQ(Bytes(Path("alt.txt")), "kurz");
    EXPECT_EQ(Names(folder_.Path()), (std::vector<std::string>{"alt.txt", "fest.wbx", "neu.txt"}));
}

// A target that must not be replaced is refused before anything is written,
// and stays what it was.
TEST_P(OutputFileTest, RefusesFoldersDevicesPipesAndReadOnlyFiles) {
    fs::create_directory(Path("Ordner"));
    ASSERT_EQ(::mkfifo(Path("pipe").c_str(), 0600), 0);
    std::ofstream(Path("fest.wbx")) << "alt";
    fs::permissions(Path("fest.wbx"), fs::perms(0444));
    std::ofstream(Path("datei")) << "x";

    const std::string notRegular = "das ist keine gewöhnliche Datei (sondern ein Gerät, eine Pipe "
                                   "oder ein Socket).";
    EXPECT_EQ(RefusalOf(Path("Ordner")), "Die Datei \"" + Path("Ordner").string() +
                                             "\" kann nicht geschrieben werden: das ist ein "
                                             "Ordner.");
    EXPECT_NE(RefusalOf(Path("pipe")).find(notRegular), std::string::npos);
    EXPECT_TRUE(fs::is_fifo(Path("pipe")));
    EXPECT_NE(RefusalOf(Path("fest.wbx")).find("die Datei ist schreibgeschützt."),
              std::string::npos);
    EXPECT_EQ(Bytes(Path("fest.wbx")), "alt");
    EXPECT_NE(RefusalOf(Path("fehlt/x.bmp"))
                  .find("der Ordner \"" + Path("fehlt").string() + "\" existiert nicht."),
              std::string::npos);
    EXPECT_NE(RefusalOf(Path("datei/x.bmp")).find("ein Teil des Pfades ist kein Ordner."),
              std::string::npos);
    EXPECT_NE(RefusalOf(Path(std::string(300, 'n'))).find("der Name ist zu lang."),
              std::string::npos);

    // A device node made here, so that no real device is ever at stake.
    if (::geteuid() == 0 && ::mknod(Path("null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) {
        EXPECT_NE(RefusalOf(Path("null")).find(notRegular), std::string::npos);
        EXPECT_TRUE(fs::is_character_file(Path("null")));
    }
    EXPECT_NO_THROW(OutputFile::Check(Path("neu.txt"), W("Die Datei")));
    for (const std::string& name : Names(folder_.Path())) {
        EXPECT_TRUE(name == "Ordner" || name == "pipe" || name == "fest.wbx" || name == "datei" ||
                    name == "null")
            << name;
    }
}

TEST_P(OutputFileTest, ALinkStaysAndTheFileItNamesIsReplaced) {
    fs::create_directory(Path("echt"));
    std::ofstream(Path("echt/ziel.txt")) << "alt";
    fs::create_symlink("echt/ziel.txt", Path("zwischen"));
    fs::create_symlink("zwischen", Path("link.txt"));
    fs::create_symlink("echt/neu.txt", Path("offen.txt")); // names a file not there yet
    OutputFile::WriteWhole(Path("link.txt"), "neu", W("Die Datei"));
    OutputFile::WriteWhole(Path("offen.txt"), "auch", W("Die Datei"));
    EXPECT_TRUE(fs::is_symlink(Path("link.txt")));
    EXPECT_TRUE(fs::is_symlink(Path("offen.txt")));
    EXPECT_EQ(Bytes(Path("echt/ziel.txt")), "neu");
    EXPECT_EQ(Bytes(Path("echt/neu.txt")), "auch");
    EXPECT_EQ(Names(Path("echt")), (std::vector<std::string>{"neu.txt", "ziel.txt"}));

    fs::create_symlink("schleife", Path("schleife"));
    EXPECT_NE(RefusalOf(Path("schleife")).find("zu viele symbolische Verknüpfungen"),
              std::string::npos);
}

// A file-size limit makes a write fail part-way, as a full disk does.
TEST_P(OutputFileTest, AWriteFailingPartWayKeepsTheOldFile) {
    const std::string old(3000, 'a');
    std::ofstream(Path("bild.bmp")) << old;
    const int status = ChildProcess::Run([&] {
        const rlimit limit{8192, 8192};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        try {
            OutputFile::WriteWhole(Path("bild.bmp"), std::string(100000, 'b'), W("Die Bitmap"));
        } catch (const WabolexError& e) {
            return Cp1252::ToUtf8(e.what()).find("die Datei würde größer als erlaubt") !=
                           std::string::npos
                       ? 0
                       : 2;
        }
        return 1;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Bytes(Path("bild.bmp")), old);
    EXPECT_EQ(Names(folder_.Path()), std::vector<std::string>{"bild.bmp"});
}

// SIGINT or SIGTERM at any moment of a save: the target is old or new, whole,
// and no temporary is left in the folder.
TEST_P(OutputFileTest, ASignalDuringASaveLeavesNoTemporary) {
    const std::string content(256 * 1024, 'w');
    for (int round = 0; round < 16; ++round) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::alarm(20);
            for (;;) {
                OutputFile::WriteWhole(Path("raetsel.wbx"), content, W("Die Datei"));
            }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(2000 + 1500 * round));
        ::kill(pid, round % 2 == 0 ? SIGTERM : SIGINT);
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status));
        const std::vector<std::string> names = Names(folder_.Path());
        EXPECT_TRUE(names.empty() || names == std::vector<std::string>{"raetsel.wbx"})
            << "round " << round << ": " << names.size() << " files";
        if (names == std::vector<std::string>{"raetsel.wbx"}) {
            EXPECT_EQ(fs::file_size(Path("raetsel.wbx")), content.size());
        }
    }
}

// A real full disk and a read-only one: a small file system of its own, in a
// mount namespace of a child process where the system allows that.
TEST_P(OutputFileTest, AFullDiskAndAReadOnlyDiskAreNamed) {
    constexpr int kCannotMount = 77;
    const fs::path disk = Path("disk");
    fs::create_directory(disk);
    const auto messageOf = [](const fs::path& target, const std::string& bytes) {
        try {
            OutputFile::WriteWhole(target, bytes, W("Die Datei"));
        } catch (const WabolexError& e) {
            return Cp1252::ToUtf8(e.what());
        }
        return std::string("(geschrieben)");
    };
    const int status = ChildProcess::Run([&] {
        const int user = ::geteuid() == 0 ? 0 : CLONE_NEWUSER;
        if (::unshare(CLONE_NEWNS | user) != 0 ||
            ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("tmpfs", disk.c_str(), "tmpfs", 0, "size=64k") != 0) {
            return kCannotMount;
        }
        const std::string old(10000, 'a');
        std::ofstream(disk / "alt.bmp") << old;
        if (messageOf(disk / "alt.bmp", std::string(200000, 'b'))
                .find("kein Platz mehr auf dem Datenträger.") == std::string::npos) {
            return 1;
        }
        if (Bytes(disk / "alt.bmp") != old || Names(disk) != std::vector<std::string>{"alt.bmp"}) {
            return 2;
        }
        if (::mount(nullptr, disk.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
            return kCannotMount;
        }
        for (const char* name : {"alt.bmp", "neu.bmp"}) {
            if (messageOf(disk / name, "x").find("der Datenträger ist schreibgeschützt.") ==
                std::string::npos) {
                return 3;
            }
        }
        return 0;
    });
    if (status == kCannotMount) {
        GTEST_SKIP() << "no mount namespace for a small file system here";
    }
    EXPECT_EQ(status, 0);
}

INSTANTIATE_TEST_SUITE_P(Temporaries, OutputFileTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Unnamed" : "Named"; });
