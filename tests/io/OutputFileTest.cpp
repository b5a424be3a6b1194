#include "io/OutputFile.h"
#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "tests/io/AppendOnlyFolder.h"
#include "tests/io/ChildProcess.h"
#include "tests/vocabulary/TempFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fcntl.h>
#include <fstream>
#include <sched.h>
#include <sstream>
#include <sys/file.h>
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

// A temporary is a hidden file whose name only this program makes.
TEST_P(OutputFileTest, TemporariesCarryANameOnlyThisProgramMakes) {
    // A writer killed while it wrote: seen from outside, one temporary.
    const int status = ChildProcess::Run([&] {
        OutputFile unfinished(Path("raetsel.wbx"), W("Die Datei"));
        unfinished.Write("halb");
        unfinished.Commit(); // a new file is linked under its own name at once
        OutputFile again(Path("raetsel.wbx"), W("Die Datei"));
        again.Write("neu");
        for (const std::string& name : Names(folder_.Path())) {
            if (name != "raetsel.wbx") {
                return OutputFile::IsTemporaryName(name) && name.starts_with(".raetsel.wbx.") ? 0
                                                                                              : 1;
            }
        }
        // Unnamed until committed.
        return GetParam() ? 0 : 2;
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(Names(folder_.Path()), std::vector<std::string>{"raetsel.wbx"});

    for (const char* name :
         {".raetsel.wbx.0a1b2c3d4e5f.wabolex-tmp", ".x.zzzzzzzzzzzz.wabolex-tmp"}) {
        EXPECT_TRUE(OutputFile::IsTemporaryName(name)) << name;
    }
    for (const char* name :
         {"raetsel.wbx.0a1b2c3d4e5f.wabolex-tmp", ".raetsel.wbx.0A1B2C3D4E5F.wabolex-tmp",
          ".raetsel.wbx.0a1b2c3d4e5.wabolex-tmp", ".raetsel.wbx-0a1b2c3d4e5f.wabolex-tmp",
          "..0a1b2c3d4e5f.wabolex-tmp", ".raetsel.wbx.0a1b2c3d4e5f.wabolex-tmp~",
          ".raetsel.wbx.0a1b2c3d4e5f"}) {
        EXPECT_FALSE(OutputFile::IsTemporaryName(name)) << name;
    }
}

// What a killed writer left is removed by the next write into the folder, and
// only that: a temporary another running writer holds, files that merely look
// alike, links and folders stay.
TEST_P(OutputFileTest, TheNextWriteRemovesLeftoversOfKilledWriters) {
    const std::string leftover = ".raetsel.wbx.aaaaaaaaaaaa.wabolex-tmp";
    const std::string held = ".raetsel.wbx.bbbbbbbbbbbb.wabolex-tmp";
    const std::string link = ".ziel.txt.cccccccccccc.wabolex-tmp";
    const std::string folder = ".ordner.dddddddddddd.wabolex-tmp";
    const std::vector<std::string> lookalikes = {
        "raetsel.wbx.aaaaaaaaaaaa.wabolex-tmp", ".raetsel.wbx.AAAAAAAAAAAA.wabolex-tmp",
        ".raetsel.wbx.aaaaaaaaaaaa.tmp", ".raetsel.wbx.aaaaaaaaaaaa.wabolex-tmp.bak"};
    for (const std::string& name : lookalikes) {
        std::ofstream(Path(name)) << "fremd";
    }
    std::ofstream(Path(leftover)) << "halb";
    std::ofstream(Path(held)) << "wird geschrieben";
    std::ofstream(Path("ziel.txt")) << "ziel";
    fs::create_symlink("ziel.txt", Path(link));
    fs::create_directory(Path(folder));

    // Another writer that is still at work holds its temporary locked.
    int ready[2];
    int release[2];
    ASSERT_EQ(::pipe(ready), 0);
    ASSERT_EQ(::pipe(release), 0);
    const pid_t holder = ::fork();
    if (holder == 0) {
        const int fd = ::open(Path(held).c_str(), O_RDONLY);
        ::flock(fd, LOCK_EX);
        char byte = 'x';
        (void)!::write(ready[1], &byte, 1);
        (void)!::read(release[0], &byte, 1);
        ::_exit(0);
    }
    char byte = 0;
    ASSERT_EQ(::read(ready[0], &byte, 1), 1);

    // In a process of its own: a process cleans a folder on its first write there.
    EXPECT_EQ(ChildProcess::Run([&] {
                  OutputFile::WriteWhole(Path("neu.txt"), "neu", W("Die Datei"));
                  return 0;
              }),
              0);
    (void)!::write(release[1], &byte, 1);
    ::waitpid(holder, nullptr, 0);
    for (const int fd : {ready[0], ready[1], release[0], release[1]}) {
        ::close(fd);
    }

    std::vector<std::string> expected = lookalikes;
    for (const std::string& name :
         {held, link, folder, std::string("neu.txt"), std::string("ziel.txt")}) {
        expected.push_back(name);
    }
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(Names(folder_.Path()), expected);
    EXPECT_EQ(Bytes(Path("ziel.txt")), "ziel");
}

// Writers of several processes in one folder at once, each cleaning it on its
// first write: none takes away the temporary of another, every write succeeds.
TEST_P(OutputFileTest, WritersInOneFolderAtOnceNeverDisturbEachOther) {
    std::ofstream(Path("a.wbx")) << "alt"; // an old file: every write needs a temporary
    const std::string content(64 * 1024, 'a');
    const pid_t steady = ::fork();
    if (steady == 0) {
        ::alarm(30);
        try {
            for (int i = 0; i < 300; ++i) {
                OutputFile::WriteWhole(Path("a.wbx"), content, W("Die Datei"));
            }
        } catch (const WabolexError&) {
            ::_exit(1);
        }
        ::_exit(0);
    }
    int failures = 0;
    for (int round = 0; round < 60; ++round) {
        failures += ChildProcess::Run([&] {
                        OutputFile::WriteWhole(Path("b" + std::to_string(round % 3) + ".wbx"), "b",
                                               W("Die Datei"));
                        return 0;
                    }) != 0;
    }
    int status = 0;
    ::waitpid(steady, &status, 0);
    EXPECT_EQ(failures, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the steady writer failed";
    EXPECT_EQ(Names(folder_.Path()),
              (std::vector<std::string>{"a.wbx", "b0.wbx", "b1.wbx", "b2.wbx"}));
}

// SIGTERM while many threads write at once: none of their temporaries is left,
// however many there are.
TEST_P(OutputFileTest, ASignalLeavesNoTemporaryOfAnyThread) {
    for (int i = 0; i < 100; ++i) {
        std::ofstream(Path("f" + std::to_string(i))) << "alt";
    }
    for (int round = 0; round < 6; ++round) {
        const pid_t pid = ::fork();
        if (pid == 0) {
            ::alarm(20);
            std::vector<std::thread> threads;
            for (int t = 0; t < 100; ++t) {
                threads.emplace_back([&, t] {
                    const std::string content(16 * 1024, 'x');
                    for (;;) {
                        try {
                            OutputFile::WriteWhole(Path("f" + std::to_string(t)), content,
                                                   W("Die Datei"));
                        } catch (const WabolexError&) {
                        }
                    }
                });
            }
            for (std::thread& thread : threads) {
                thread.join();
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50 + 20 * round));
        ::kill(pid, SIGTERM);
        int status = 0;
        ::waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGTERM);
        for (const std::string& name : Names(folder_.Path())) {
            EXPECT_EQ(name[0], 'f') << name << " in round " << round;
        }
    }
}

// An append-only folder (chattr +a) lets nothing be renamed or removed: the
// write is refused before a temporary exists.
TEST_P(OutputFileTest, AnAppendOnlyFolderIsRefusedAndKeepsNothing) {
    const fs::path folder = Path("nur-anhaengen");
    fs::create_directory(folder);
    std::ofstream(folder / "alt.png") << "alt";
    AppendOnlyFolder appendOnly(folder);
    if (!appendOnly.Active()) {
        GTEST_SKIP() << AppendOnlyFolder::NotPermitted;
    }
    const std::string reason =
        "im Ordner können Dateien nur hinzugefügt, aber nicht ersetzt werden (Attribut „a“).";
    EXPECT_NE(RefusalOf(folder / "neu.png").find(reason), std::string::npos);
    EXPECT_NE(RefusalOf(folder / "alt.png").find(reason), std::string::npos);
    const std::vector<std::string> names = Names(folder);
    EXPECT_EQ(names, std::vector<std::string>{"alt.png"});
    EXPECT_EQ(Bytes(folder / "alt.png"), "alt");
}

INSTANTIATE_TEST_SUITE_P(Temporaries, OutputFileTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "Unnamed" : "Named"; });
