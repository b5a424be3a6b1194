#include "io/InputFile.h"
#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "tests/io/ChildProcess.h"
#include "tests/vocabulary/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {

std::string RefusalOf(const fs::path& file) {
    try {
        InputFile in(file);
    } catch (const WabolexError& e) {
        return Cp1252::ToUtf8(e.what());
    }
    return "(gelesen)";
}

} // namespace

// Nothing but a regular file is read, and opening never waits for a writer.
TEST(InputFileTest, RefusesWhatIsNotARegularFileWithItsReason) {
    TempFolder folder;
    const fs::path fifo = folder.Path() / "pipe.wbx";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const int status = ChildProcess::Run(
        [&] {
            return RefusalOf(fifo) == "Die Datei pipe.wbx kann nicht gelesen werden: das ist keine "
                                      "gewöhnliche Datei (sondern ein Gerät, eine Pipe oder ein "
                                      "Socket)."
                       ? 0
                       : 1;
        },
        10);
    EXPECT_EQ(status, 0) << "a FIFO without a writer must be refused at once";

    EXPECT_EQ(RefusalOf("/dev/zero"), "Die Datei zero kann nicht gelesen werden: das ist keine "
                                      "gewöhnliche Datei (sondern ein Gerät, eine Pipe oder ein "
                                      "Socket).");
    fs::create_directory(folder.Path() / "Texte");
    EXPECT_EQ(RefusalOf(folder.Path() / "Texte"),
              "Die Datei Texte kann nicht gelesen werden: das ist ein Ordner.");
    EXPECT_EQ(RefusalOf(folder.Path() / "fehlt.db"), "Die Datei fehlt.db existiert NICHT!");
    if (::geteuid() != 0) {
        std::ofstream(folder.Path() / "geheim.db") << "x";
        fs::permissions(folder.Path() / "geheim.db", fs::perms::none);
        EXPECT_EQ(RefusalOf(folder.Path() / "geheim.db"),
                  "Die Datei geheim.db kann nicht gelesen werden: keine Berechtigung.");
    }
}

TEST(InputFileTest, LinesComeOneByOneWithinTheLimit) {
    TempFolder folder;
    const fs::path file = folder.Path() / "liste.txt";
    std::ofstream(file, std::ios::binary) << "eins\r\nzwei\n"
                                          << std::string(100, 'x') << "\n"
                                          << std::string(16, 'y') << "\ndrei";
    InputFile in(file);
    std::vector<std::string> lines;
    std::vector<bool> cut;
    std::string line;
    bool tooLong = false;
    while (in.ReadLine(line, 16, tooLong)) {
        lines.push_back(line);
        cut.push_back(tooLong);
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"eins", "zwei", "", std::string(16, 'y'), "drei"}));
    EXPECT_EQ(cut, (std::vector<bool>{false, false, true, false, false}));

    InputFile whole(file);
    EXPECT_EQ(whole.ReadAll(1000).size(), whole.Size());
    try {
        whole.ReadAll(50);
        ADD_FAILURE() << "read beyond the limit";
    } catch (const WabolexError& e) {
        EXPECT_EQ(Cp1252::ToUtf8(e.what()),
                  "Die Datei liste.txt ist zu groß (höchstens 50 Bytes).");
    }
}

// LF, CR LF and a CR alone all end a line, also where a CR LF is split between
// two reads of the file.
TEST(InputFileTest, EveryKindOfLineEndEndsALine) {
    TempFolder folder;
    const fs::path file = folder.Path() / "mac.txt";
    const std::string filler(64 * 1024 - 3, 'f'); // its CR is the last byte of the first read
    std::ofstream(file, std::ios::binary) << "a\r" << filler << "\r\nb\rc\r\rd\n\re\r\n";
    InputFile in(file);
    std::vector<std::string> lines;
    std::string line;
    bool tooLong = false;
    while (in.ReadLine(line, 1 << 20, tooLong)) {
        lines.push_back(line);
    }
    EXPECT_EQ(lines, (std::vector<std::string>{"a", filler, "b", "c", "", "d", "", "e"}));
}

// The image holds the file as it was opened, stays after the file is closed
// and moves without a copy; an empty file gives an empty image.
TEST(InputFileTest, TheImageHoldsTheWholeFile) {
    TempFolder folder;
    const fs::path file = folder.Path() / "tabelle.db";
    std::string bytes(70000, '\0');
    for (size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>(i * 7);
    }
    std::ofstream(file, std::ios::binary) << bytes;
    InputFile::Image image = InputFile(file).Map();
    EXPECT_EQ(image.Bytes(), bytes);
    const char* const data = image.Bytes().data();
    InputFile::Image moved = std::move(image);
    EXPECT_TRUE(image.Bytes().empty());
    EXPECT_EQ(moved.Bytes().data(), data);

    const fs::path empty = folder.Path() / "leer.db";
    std::ofstream(empty, std::ios::binary).flush();
    EXPECT_TRUE(InputFile(empty).Map().Bytes().empty());
}
