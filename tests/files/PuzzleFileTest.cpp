#include "files/PuzzleFile.h"
#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "files/LineFile.h"
#include "tests/io/ChildProcess.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {

// The file's lines and the saved file of a puzzle whose solution word is word.
std::vector<std::string> LinesWith(Puzzle puzzle, bool checked, const std::string& word) {
    puzzle.SolutionWord = checked ? std::optional(word) : std::nullopt;
    return PuzzleFile::Lines(puzzle);
}

void SaveWith(const fs::path& file, Puzzle puzzle, bool checked, const std::string& word) {
    puzzle.SolutionWord = checked ? std::optional(word) : std::nullopt;
    PuzzleFile::Save(file, puzzle);
}

class PuzzleFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "wabolex-puzzlefile-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir_, ec);
    }

    // A small numbered 6 x 5 puzzle with a Windows-1252 letter, bars, marks and clues.
    static Puzzle Sample() {
        Puzzle puzzle;
        puzzle.ResizeGrid(6, 5);
        puzzle.ResetGrid();
        const std::string word = W("HÄUS");
        for (int32_t c = 0; c < 4; ++c) {
            TGridCell& cell = puzzle.Grid.At(c, 0);
            cell.Letter = word[static_cast<size_t>(c)];
            cell.Mark = CellMark::Of(Direction::Across);
            cell.BarBelow = 1;
        }
        puzzle.Grid.At(3, 0).BarRight = 1;
        puzzle.Grid.At(0, 0).AcrossNo = 1;
        puzzle.Grid.At(0, 0).DownNo = 1;
        puzzle.Grid.At(0, 0).Mark = CellMark::Crossing();
        puzzle.Grid.At(0, 0).BarBelow = 0;
        puzzle.Grid.At(0, 1) = TGridCell{'U', CellMark::Of(Direction::Down), 0, 0, 0, 1};
        puzzle.Grid.At(5, 4).AcrossNo = 30; // the highest number a 6 x 5 grid can carry
        puzzle.ClueRows = {ClueRow::Of(1, Direction::Across, W("Gebäude * mit Dach")),
                           ClueRow::Of(1, Direction::Down, "Kopfbedeckung")};
        puzzle.SolutionMarks[0] = {0, 0, 1};
        puzzle.SolutionMarks[1] = {1, 0, 2};
        return puzzle;
    }

    static std::string Bytes(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    static void WriteBytes(const fs::path& file, const std::string& bytes) {
        std::ofstream out(file, std::ios::binary);
        out << bytes;
    }

    static std::string Join(const std::vector<std::string>& lines) {
        std::string text;
        for (const auto& line : lines) {
            text += line + "\r\n";
        }
        return text;
    }

    fs::path dir_;
};

TEST_F(PuzzleFileTest, LinesFollowTheFileLayout) {
    const Puzzle puzzle = Sample();
    const auto lines = LinesWith(puzzle, true, W("HÄ"));

    ASSERT_EQ(lines.size(), 5u + 2u + 23u); // R + K + 23
    EXPECT_EQ(lines[0], "xMax=6");
    EXPECT_EQ(lines[1], "yMax=5");
    // Letter, mark, across and down number in 4 digits, then BarRight before BarBelow.
    EXPECT_EQ(lines[2].substr(0, 36), "H+0001000100" + W("Ä") + "-0000000001U-0000000001");
    EXPECT_EQ(lines[2].size(), 72u);
    EXPECT_EQ(lines[6].substr(60), ". 0030000011");
    EXPECT_EQ(lines[7], W("1*waagerecht*Gebäude * mit Dach"));
    EXPECT_EQ(lines[8], "1*senkrecht*Kopfbedeckung");
    EXPECT_EQ(lines[9], "0|0|1");
    EXPECT_EQ(lines[10], "1|0|2");
    EXPECT_EQ(lines[28], "-1|-1|-1");
    EXPECT_EQ(lines[29], W("HÄ"));

    EXPECT_EQ(LinesWith(puzzle, false, W("HÄ")).back(), "*");
}

TEST_F(PuzzleFileTest, SaveWritesCrLfAndLeavesTheFileReadOnly) {
    const fs::path file = dir_ / "Tiere-6x5-2.wbx";
    SaveWith(file, Sample(), true, "HU");

    const std::string bytes = Bytes(file);
    EXPECT_EQ(bytes, Join(LinesWith(Sample(), true, "HU")));
    EXPECT_EQ(bytes.substr(0, 8), "xMax=6\r\n");
    EXPECT_EQ(bytes.substr(bytes.size() - 4), "HU\r\n");
    const auto perms = fs::status(file).permissions();
    EXPECT_EQ(perms & (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write),
              fs::perms::none);
    EXPECT_NE(perms & fs::perms::owner_read, fs::perms::none);
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(fs::directory_iterator(dir_), fs::directory_iterator()), 1);
}

TEST_F(PuzzleFileTest, SavedPuzzleLoadsBackExactly) {
    const Puzzle original = Sample();
    const fs::path file = dir_ / "p.wbx";
    SaveWith(file, original, true, W("HÄ"));

    const PuzzleFileContents contents = PuzzleFile::Read(file);
    EXPECT_EQ(contents.SolutionWord, W("HÄ"));

    Puzzle loaded;
    PuzzleFile::Apply(contents, loaded);
    EXPECT_EQ(loaded.Columns, 6);
    EXPECT_EQ(loaded.Rows, 5);
    EXPECT_EQ(loaded.Grid, original.Grid);
    EXPECT_EQ(loaded.ClueRows, original.ClueRows); // the "*" inside the clue survives
    EXPECT_EQ(loaded.SolutionMarks, original.SolutionMarks);
    EXPECT_TRUE(loaded.SolutionWordShown);
    EXPECT_EQ(loaded.SolutionWord, W("HÄ"));
}

TEST_F(PuzzleFileTest, UnsetSolutionWordAndUnmarkedPuzzle) {
    Puzzle fresh; // never generated: one empty clue row, marks cleared
    const auto lines = LinesWith(fresh, false, "HOCHZEITSTAG");
    EXPECT_EQ(lines[17], "**");
    EXPECT_EQ(lines.back(), "*");

    const PuzzleFileContents contents = PuzzleFile::Parse(lines, "x.wbx");
    EXPECT_FALSE(contents.SolutionWord.has_value());
    ASSERT_EQ(contents.ClueRows.size(), 1u);
    EXPECT_EQ(contents.ClueRows[0], ClueRow{});

    // Marks that name no cell leave the display flag as it was, either way.
    Puzzle shown = Sample();
    shown.SolutionWordShown = true;
    PuzzleFile::Apply(contents, shown);
    EXPECT_TRUE(shown.SolutionWordShown);
    EXPECT_EQ(shown.Grid, fresh.Grid);
    Puzzle hidden = Sample();
    PuzzleFile::Apply(contents, hidden);
    EXPECT_FALSE(hidden.SolutionWordShown);
    EXPECT_EQ(hidden.SolutionWord, std::nullopt) << "a file without a solution word clears it";

    // A checked but empty solution word is an empty last line, not "*".
    const auto emptyWord = LinesWith(fresh, true, "");
    EXPECT_EQ(PuzzleFile::Parse(emptyWord, "x.wbx").SolutionWord, std::optional<std::string>(""));
}

TEST_F(PuzzleFileTest, ReadsLfLineEndsAndAMissingLastLineEnd) {
    const auto lines = LinesWith(Sample(), true, "HU");
    std::string lf;
    for (const auto& line : lines) {
        lf += line + "\n";
    }
    WriteBytes(dir_ / "lf.wbx", lf);
    WriteBytes(dir_ / "open.wbx", Join(lines).substr(0, Join(lines).size() - 2));
    WriteBytes(dir_ / "emptyword.wbx", Join(LinesWith(Sample(), true, "")));

    EXPECT_EQ(PuzzleFile::Read(dir_ / "lf.wbx").Grid, Sample().Grid);
    EXPECT_EQ(PuzzleFile::Read(dir_ / "open.wbx").SolutionWord, std::optional<std::string>("HU"));
    EXPECT_EQ(PuzzleFile::Read(dir_ / "emptyword.wbx").ClueRows, Sample().ClueRows);
}

// A CR alone ends a line as CR LF and LF do; a line end too many at the end
// of the file is named as what it is.
TEST_F(PuzzleFileTest, ReadsCrLineEndsAndNamesABlankLineAtTheEnd) {
    const auto lines = LinesWith(Sample(), true, "HU");
    std::string cr;
    for (const auto& line : lines) {
        cr += line + "\r";
    }
    WriteBytes(dir_ / "cr.wbx", cr);
    const PuzzleFileContents contents = PuzzleFile::Read(dir_ / "cr.wbx");
    EXPECT_EQ(contents.Grid, Sample().Grid);
    EXPECT_EQ(contents.ClueRows, Sample().ClueRows);
    EXPECT_EQ(contents.SolutionWord, std::optional<std::string>("HU"));

    for (const std::string& end :
         {std::string("\r\n"), std::string("\r"), std::string("\r\n\r\n")}) {
        for (const bool checked : {true, false}) {
            WriteBytes(dir_ / "leer.wbx", Join(LinesWith(Sample(), checked, "HU")) + end);
            try {
                PuzzleFile::Read(dir_ / "leer.wbx");
                ADD_FAILURE() << "accepted";
            } catch (const WabolexError& e) {
                const std::string line = end.size() == 4 ? "32" : "31";
                EXPECT_EQ(Cp1252::ToUtf8(e.what()),
                          "Die Rätseldatei \"" + (dir_ / "leer.wbx").string() +
                              "\" ist fehlerhaft, Zeile " + line +
                              ": eine leere Zeile zu viel am Ende der Datei.");
            }
        }
    }
}

// A file holds no more than a puzzle of its size can: clue texts as long as a
// word entry's, at most one clue row per cell and direction, at most 2 MB.
// Anything beyond is refused before it costs memory or time.
TEST_F(PuzzleFileTest, TextsAndLinesBeyondWhatThePuzzleCanHoldAreRefused) {
    const auto refusal = [this](const std::string& bytes) {
        WriteBytes(dir_ / "gross.wbx", bytes);
        try {
            PuzzleFile::Read(dir_ / "gross.wbx");
        } catch (const WabolexError& e) {
            return Cp1252::ToUtf8(e.what());
        }
        return std::string("(gelesen)");
    };
    const std::string prefix =
        "Die Rätseldatei \"" + (dir_ / "gross.wbx").string() + "\" ist fehlerhaft, ";
    std::vector<std::string> lines = LinesWith(Sample(), true, "HU");
    lines[7] = "1*waagerecht*" + std::string(50, 'x');
    EXPECT_EQ(refusal(Join(lines)), "(gelesen)");
    lines[7] += "x";
    EXPECT_EQ(refusal(Join(lines)), prefix + "Zeile 8: die Umschreibung hat 51 Zeichen, "
                                             "höchstens 50 sind möglich.");
    lines[7] = "12345*waagerecht*Haus";
    EXPECT_EQ(refusal(Join(lines)), prefix + "Zeile 8: die Nummer der Umschreibung hat 5 "
                                             "Zeichen, höchstens 4 sind möglich.");
    lines[7] = "1*waagerechtx*Haus";
    EXPECT_EQ(refusal(Join(lines)), prefix + "Zeile 8: die Richtung der Umschreibung hat 11 "
                                             "Zeichen, höchstens 10 sind möglich.");
    lines[7] = "1*waagerecht*" + std::string(15 * 1024 * 1024, 'x');
    EXPECT_EQ(refusal(Join(lines)), "Die Datei gross.wbx ist zu groß (höchstens 2 MB).");

    // 6 x 5 cells: 2 size lines, 5 grid lines, 60 clue rows, 20 marks, the word.
    lines = LinesWith(Sample(), true, "HU");
    lines.insert(lines.begin() + 9, 58, "3*senkrecht*Hut");
    ASSERT_EQ(lines.size(), 88u);
    EXPECT_EQ(refusal(Join(lines)), "(gelesen)");
    lines.insert(lines.begin() + 9, "3*senkrecht*Hut");
    EXPECT_EQ(refusal(Join(lines)), prefix + "Zeile 89: ein Rätsel von 6x5 hat höchstens 88 "
                                             "Zeilen.");
    EXPECT_THROW(PuzzleFile::Parse(lines, "gross.wbx"), WabolexError);
    // A million empty lines after the size lines: refused at the first too many.
    EXPECT_EQ(refusal("xMax=6\r\nyMax=5\r\n" + std::string(1000000, '\n')),
              prefix + "Zeile 89: ein Rätsel von 6x5 hat höchstens 88 Zeilen.");
}

// Many megabytes in the shapes a damaged or hostile file takes, read in a
// child whose memory is limited to 256 MB: each is refused cleanly, at once.
TEST_F(PuzzleFileTest, BigInputsAreRefusedWithinAMemoryLimit) {
    if (ChildProcess::UnderAddressSanitizer) {
        GTEST_SKIP() << "ASan läuft nicht unter einer Grenze des Adressraums.";
    }

    const std::string sizes = "xMax=99\r\nyMax=99\r\n";
    const std::vector<std::pair<std::string, std::string>> inputs = {
        {"leer.wbx", std::string(16 * 1024 * 1024, '\n')},
        {"zeilen.wbx", sizes + std::string(2 * 1024 * 1024 - sizes.size(), '\n')},
        {"cr.wbx", sizes + std::string(2 * 1024 * 1024 - sizes.size(), '\r')},
        {"eine.wbx", "xMax=" + std::string(2 * 1024 * 1024 - 10, '9')},
        {"gitter.wbx", sizes + std::string(2 * 1024 * 1024 - sizes.size(), '.')},
    };
    for (const auto& [name, bytes] : inputs) {
        WriteBytes(dir_ / name, bytes);
    }
    WriteBytes(dir_ / "loch.wbx", "");
    fs::resize_file(dir_ / "loch.wbx", 64ull << 30); // claims 64 GB, holds nothing
    const int status = ChildProcess::Run([&] {
        const rlimit limit{256ull << 20, 256ull << 20};
        ::setrlimit(RLIMIT_AS, &limit);
        for (const std::string name :
             {"leer.wbx", "zeilen.wbx", "cr.wbx", "eine.wbx", "gitter.wbx", "loch.wbx"}) {
            try {
                PuzzleFile::Read(dir_ / name);
                return 1;
            } catch (const WabolexError&) {
            }
        }
        return 0;
    });
    EXPECT_EQ(status, 0);
}

TEST_F(PuzzleFileTest, TextsWithLineEndsStayOnTheirLine) {
    Puzzle puzzle = Sample();
    puzzle.ClueRows[1].Clue = "zwei\r\nZeilen";
    const auto lines = LinesWith(puzzle, true, "A\nB");
    const PuzzleFileContents contents = PuzzleFile::Parse(LineFile::Split(Join(lines)), "x.wbx");
    EXPECT_EQ(contents.ClueRows[1].Clue, "zwei  Zeilen");
    EXPECT_EQ(contents.SolutionWord, std::optional<std::string>("A B"));
}

// Clue rows are taken as the list would show them: any texts in the first two
// columns, a missing "*" leaves its columns empty. Such rows belong to neither
// section and come back from a save as they were read.
TEST_F(PuzzleFileTest, OddClueRowsLoadAsTheyStandAndSaveBack) {
    std::vector<std::string> lines = LinesWith(Sample(), true, "HU");
    lines[7] = "1*Waagerecht*Haus";
    lines[8] = "A1*senkrecht*Hut";
    lines.insert(lines.begin() + 9, {"007*waagerecht*x", "12*nur ein Stern", "kein Stern", "**"});
    const PuzzleFileContents contents = PuzzleFile::Parse(lines, "odd.wbx");
    const std::vector<ClueRow> expected = {ClueRow::FromTexts("1", "Waagerecht", "Haus"),
                                           ClueRow::FromTexts("A1", "senkrecht", "Hut"),
                                           ClueRow::FromTexts("007", "waagerecht", "x"),
                                           ClueRow::FromTexts("12", "", "nur ein Stern"),
                                           ClueRow::FromTexts("", "", "kein Stern"),
                                           ClueRow::FromTexts("", "", "")};
    EXPECT_EQ(contents.ClueRows, expected);
    EXPECT_FALSE(contents.ClueRows[0].Dir);
    EXPECT_EQ(contents.ClueRows[1].Number, 0);
    EXPECT_EQ(contents.ClueRows[2].NumberText(), "007");

    Puzzle puzzle;
    PuzzleFile::Apply(contents, puzzle);
    const std::vector<std::string> saved = LinesWith(puzzle, true, "HU");
    EXPECT_EQ(std::vector<std::string>(saved.begin() + 7, saved.begin() + 13),
              (std::vector<std::string>{"1*Waagerecht*Haus", "A1*senkrecht*Hut", "007*waagerecht*x",
                                        "12**nur ein Stern", "**kein Stern", "**"}));
    EXPECT_EQ(PuzzleFile::Parse(saved, "odd.wbx").ClueRows, expected);

    // Texts from a table may hold control characters; they are saved as blanks.
    puzzle.ClueRows[0].Clue = std::string("Tab\tNUL") + '\0';
    EXPECT_EQ(LinesWith(puzzle, true, "HU")[7], "1*Waagerecht*Tab NUL ");
}

// Every damage is refused with a message naming the file and, where there is
// one, the line (counted from 1).
TEST_F(PuzzleFileTest, DamagedFilesAreRefusedNamingFileAndLine) {
    using Lines = std::vector<std::string>;
    struct Damage {
        const char* name;
        std::function<void(Lines&)> apply;
        const char* where;
    };
    const std::vector<Damage> damages = {
        {"empty file", [](Lines& l) { l.clear(); }, ""},
        {"width 4", [](Lines& l) { l[0] = "xMax=4"; }, "Zeile 1:"},
        {"height 100", [](Lines& l) { l[1] = "yMax=100"; }, "Zeile 2:"},
        {"width no number", [](Lines& l) { l[0] = "xMax=6a"; }, "Zeile 1:"},
        {"height without =", [](Lines& l) { l[1] = "yMax 5"; }, "Zeile 2:"},
        {"huge width", [](Lines& l) { l[0] = "xMax=99999999999"; }, "Zeile 1:"},
        {"taller than its lines", [](Lines& l) { l[1] = "yMax=60"; }, "mindestens"},
        {"grid line short", [](Lines& l) { l[4].pop_back(); }, "Zeile 5:"},
        {"grid line long", [](Lines& l) { l[4] += "0"; }, "Zeile 5:"},
        {"unknown mark", [](Lines& l) { l[3][13] = '#'; }, "Zeile 4:"},
        {"letter in a number", [](Lines& l) { l[2][4] = 'O'; }, "Zeile 3:"},
        {"minus in a number", [](Lines& l) { l[2].replace(2, 4, "-001"); }, "Zeile 3:"},
        {"number above the cell count", [](Lines& l) { l[6].replace(62, 4, "0031"); }, "Zeile 7:"},
        {"bar flag 2", [](Lines& l) { l[2][11] = '2'; }, "Zeile 3:"},
        {"bar flag blank", [](Lines& l) { l[2][22] = ' '; }, "Zeile 3:"},
        {"NUL in a clue", [](Lines& l) { l[7] += std::string(1, '\0') + "x"; }, "Zeile 8:"},
        {"lone CR in a grid line", [](Lines& l) { l[3][0] = '\r'; }, "Zeile 4:"},
        {"escape in the solution word", [](Lines& l) { l[29] = "H\x1bU"; }, "Zeile 30:"},
        {"two numbers in a mark", [](Lines& l) { l[9] = "0|0"; }, "Zeile 10:"},
        {"four numbers in a mark", [](Lines& l) { l[12] = "0|0|1|2"; }, "Zeile 13:"},
        {"mark overflows", [](Lines& l) { l[28] = "-1|-1|4294967296"; }, "Zeile 29:"},
        {"mark not a number", [](Lines& l) { l[20] = "a|b|c"; }, "Zeile 21:"},
        {"solution word 21", [](Lines& l) { l[29] = std::string(21, 'A'); }, "Zeile 30:"},
        {"a mark line lost", [](Lines& l) { l.erase(l.begin() + 15); }, "Zeile 9:"},
        {"only the size lines", [](Lines& l) { l.resize(2); }, "mindestens"},
    };
    for (const Damage& damage : damages) {
        SCOPED_TRACE(damage.name);
        Lines lines = LinesWith(Sample(), true, "HU");
        damage.apply(lines);
        const fs::path file = dir_ / "kaputt.wbx";
        WriteBytes(file, Join(lines));
        try {
            PuzzleFile::Read(file);
            ADD_FAILURE() << "accepted";
        } catch (const WabolexError& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find("kaputt.wbx"), std::string::npos) << message;
            EXPECT_NE(message.find(damage.where), std::string::npos) << message;
        }
    }
}

TEST_F(PuzzleFileTest, ReadOnlyTargetIsNeverReplaced) {
    const fs::path file = dir_ / "p.wbx";
    SaveWith(file, Sample(), true, "HU");
    const std::string before = Bytes(file);

    Puzzle other;
    EXPECT_THROW(SaveWith(file, other, false, ""), WabolexError);
    EXPECT_EQ(Bytes(file), before);

    // Once writable again it is replaced as a whole.
    fs::permissions(file, fs::perms::owner_write, fs::perm_options::add);
    SaveWith(file, other, false, "");
    EXPECT_EQ(Bytes(file), Join(LinesWith(other, false, "")));
}

TEST_F(PuzzleFileTest, FailedSavesWriteNothing) {
    EXPECT_THROW(SaveWith(dir_ / "fehlt" / "p.wbx", Sample(), false, ""), WabolexError);
    EXPECT_THROW(SaveWith(dir_, Sample(), false, ""), WabolexError);
    // A state that could not be read back is refused before the disk is touched.
    EXPECT_THROW(SaveWith(dir_ / "lang.wbx", Sample(), true, std::string(21, 'A')), WabolexError);
    Puzzle unnumbered = Sample();
    unnumbered.Grid.At(2, 2).AcrossNo = 31; // a word-list index, not a clue number
    EXPECT_THROW(SaveWith(dir_ / "roh.wbx", unnumbered, false, ""), WabolexError);
    EXPECT_TRUE(fs::is_empty(dir_));

    EXPECT_THROW(PuzzleFile::Read(dir_ / "nicht-da.wbx"), WabolexError);
    EXPECT_THROW(PuzzleFile::Read(dir_), WabolexError);
}

TEST_F(PuzzleFileTest, ProposedNameFromSourceSizeAndClueRows) {
    Puzzle puzzle = Sample();
    EXPECT_EQ(PuzzleFile::ProposedName(puzzle, "Tiere.db"), "Tiere-6x5-2");
    EXPECT_EQ(PuzzleFile::ProposedName(puzzle, "Tiere-6x5-2.wbx.bak"), "Tiere-6x5-2-6x5-2");
    EXPECT_EQ(PuzzleFile::ProposedName(Puzzle{}, "NoName"), "-15x15-1"); // no "."
}

} // namespace
