// wabolex-cli export to a puzzle sheet (.pdf) and a web page (.html), with the
// metadata options, on puzzles made from the shipped tables. The sheets are
// read with poppler's pdfinfo and pdftotext, as a user would check them.
#include "base/Cp1252.h"
#include "files/PuzzleFile.h"
#include "tests/cli/CliRun.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;
using CliRun::ReadBytes;

namespace {

// The output of a shell command (pdfinfo, pdftotext).
std::string Output(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
    std::string text;
    std::array<char, 4096> buffer{};
    while (pipe && std::fgets(buffer.data(), buffer.size(), pipe.get()) != nullptr) {
        text += buffer.data();
    }
    return text;
}

// The page count pdfinfo reports, 0 when it reports none.
int Pages(const std::string& info) {
    std::smatch match;
    return std::regex_search(info, match, std::regex("Pages: +([0-9]+)")) ? std::stoi(match[1]) : 0;
}

// Every font pdffonts lists is embedded (its column "emb" says yes).
bool FontsEmbedded(const std::string& list) {
    const std::regex row("(yes|no) +(yes|no) +(yes|no) +[0-9]+ +[0-9]+ *$");
    int fonts = 0;
    std::istringstream lines(list);
    for (std::string line; std::getline(lines, line);) {
        std::smatch match;
        if (std::regex_search(line, match, row)) {
            ++fonts;
            if (match[1] != "yes") {
                return false;
            }
        }
    }
    return fonts > 0;
}

// Runs of white space as one blank, for texts broken over lines.
std::string Flat(const std::string& text) {
    return std::regex_replace(text, std::regex("\\s+"), " ");
}

class CliSheetAndPageTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        folder_ = CliRun::MakeTempFolder("wabolex-cli-sheet");
        ASSERT_FALSE(folder_.empty());
    }
    static void TearDownTestSuite() {
        std::error_code ec;
        fs::remove_all(folder_, ec);
    }

    // A puzzle from the general vocabulary.
    static fs::path Generate(const std::string& name, const std::string& size,
                             const std::string& seed) {
        const fs::path table = fs::path(WABOLEX_ROOT) / "WortDateien2007" / "Allgemein.db";
        const fs::path file = folder_ / (name + ".wbx");
        if (!fs::exists(file)) {
            CliRun::Run(folder_, {"generate", table.string(), "-o", file.string(), "--size", size,
                                  "--seed", seed});
        }
        EXPECT_TRUE(fs::exists(file)) << name;
        return file;
    }

    // The temporary folder's name has no quote of its own.
    static std::string Quoted(const fs::path& file) {
        std::string quoted(1, '\'');
        quoted += file.string();
        quoted += '\'';
        return quoted;
    }

    static inline fs::path folder_;
};

} // namespace

TEST_F(CliSheetAndPageTest, SheetHoldsEveryClueOnOnePageUpTo21x21) {
    for (const std::string size : {"15x15", "21x21"}) {
        const fs::path puzzle = Generate("blatt-" + size, size, "1");
        const fs::path sheet = folder_ / ("blatt-" + size + ".pdf");
        const auto result = CliRun::Run(folder_, {"export", puzzle.string(), "-o", sheet.string()});
        ASSERT_EQ(result.Status, 0) << result.Err;
        const std::string info = Output("pdfinfo " + Quoted(sheet));
        EXPECT_EQ(Pages(info), 1) << info;
        EXPECT_NE(info.find("(A4)"), std::string::npos) << info;
        const std::string text = Flat(Output("pdftotext -raw " + Quoted(sheet) + " -"));
        const PuzzleFileContents contents = PuzzleFile::Read(puzzle);
        for (const ClueRow& row : contents.ClueRows) {
            EXPECT_NE(text.find(Cp1252::ToUtf8(row.Clue)), std::string::npos)
                << size << ": " << Cp1252::ToUtf8(row.Clue);
        }
        EXPECT_NE(text.find("Waagerecht"), std::string::npos);
        EXPECT_NE(text.find("Senkrecht"), std::string::npos);
        // The solution word's line, when the run placed the word.
        if (contents.Marks[0].Column >= 0) {
            EXPECT_NE(text.find("L\xC3\xB6sungswort"), std::string::npos);
        }
        const std::string fonts = Output("pdffonts " + Quoted(sheet));
        EXPECT_NE(fonts.find("LiberationSans"), std::string::npos) << fonts;
        EXPECT_TRUE(FontsEmbedded(fonts)) << fonts;
    }
}

TEST_F(CliSheetAndPageTest, LargestGridTakesPageOneAndTheCluesFollow) {
    const fs::path puzzle = Generate("blatt-99x99", "99x99", "5");
    const fs::path sheet = folder_ / "blatt-99x99.pdf";
    const auto result = CliRun::Run(
        folder_, {"export", puzzle.string(), "-o", sheet.string(), "--paper", "Letter"});
    ASSERT_EQ(result.Status, 0) << result.Err;
    const std::string info = Output("pdfinfo " + Quoted(sheet));
    EXPECT_NE(info.find("612 x 792 pts (letter)"), std::string::npos) << info;
    const int pages = Pages(info);
    EXPECT_GT(pages, 3) << info;
    // The first page: title, the solution word's label and the first clues.
    const std::string first = Flat(Output("pdftotext -raw -f 1 -l 1 " + Quoted(sheet) + " -"));
    EXPECT_EQ(first.rfind("blatt-99x99 ", 0), 0u) << first.substr(0, 80);
    EXPECT_NE(first.find("L\xC3\xB6sungswort"), std::string::npos);
    EXPECT_NE(first.find("Seite 1 von " + std::to_string(pages)), std::string::npos);
    const std::string text = Flat(Output("pdftotext -raw " + Quoted(sheet) + " -"));
    for (const ClueRow& row : PuzzleFile::Read(puzzle).ClueRows) {
        EXPECT_NE(text.find(Cp1252::ToUtf8(row.Clue)), std::string::npos)
            << Cp1252::ToUtf8(row.Clue);
    }
}

TEST_F(CliSheetAndPageTest, TitleAuthorAndCopyrightInIpuzPageAndSheet) {
    const fs::path puzzle = Generate("meta", "15x15", "2");
    const std::vector<std::string> meta = {"--title",     "Vereinsr\xC3\xA4tsel Mai",
                                           "--author",    "Erika M\xC3\xBCller",
                                           "--copyright", "\xC2\xA9 2026 Turnverein"};
    for (const char* target : {"meta.ipuz", "meta.html", "meta.pdf"}) {
        std::vector<std::string> args = {"export", puzzle.string(), "-o", target};
        args.insert(args.end(), meta.begin(), meta.end());
        const auto result = CliRun::Run(folder_, args);
        ASSERT_EQ(result.Status, 0) << target << result.Err;
    }
    const std::string ipuz = ReadBytes(folder_ / "meta.ipuz");
    EXPECT_NE(ipuz.find("\"title\": \"Vereinsr\xC3\xA4tsel Mai\""), std::string::npos);
    EXPECT_NE(ipuz.find("\"author\": \"Erika M\xC3\xBCller\""), std::string::npos);
    EXPECT_NE(ipuz.find("\"copyright\": \"\xC2\xA9 2026 Turnverein\""), std::string::npos);
    EXPECT_NE(ipuz.find("\"intro\": \"Die Buchstaben in den Kreisfeldern"), std::string::npos);
    const std::string page = ReadBytes(folder_ / "meta.html");
    EXPECT_NE(page.find("<title>Vereinsr\xC3\xA4tsel Mai</title>"), std::string::npos);
    EXPECT_NE(page.find("Erika M\xC3\xBCller"), std::string::npos);
    EXPECT_NE(page.find("\xC2\xA9 2026 Turnverein"), std::string::npos);
    const std::string sheet = Flat(Output("pdftotext -raw " + Quoted(folder_ / "meta.pdf") + " -"));
    EXPECT_EQ(sheet.rfind("Vereinsr\xC3\xA4tsel Mai Erika M\xC3\xBCller", 0), 0u)
        << sheet.substr(0, 80);
    EXPECT_NE(sheet.find("\xC2\xA9 2026 Turnverein"), std::string::npos);
    EXPECT_NE(Output("pdfinfo " + Quoted(folder_ / "meta.pdf")).find("Vereinsr\xC3\xA4tsel Mai"),
              std::string::npos);

    // Without --title the file's name.
    ASSERT_EQ(CliRun::Run(folder_, {"export", puzzle.string(), "-o", "ohne.html"}).Status, 0);
    EXPECT_NE(ReadBytes(folder_ / "ohne.html").find("<title>meta</title>"), std::string::npos);
}

TEST_F(CliSheetAndPageTest, ClueTextInUtf8AndOptionsWhereTheyBelong) {
    const fs::path puzzle = Generate("kodierung", "15x15", "3");
    const auto utf8 =
        CliRun::Run(folder_, {"export", puzzle.string(), "-o", "k.png", "--encoding", "utf-8"});
    ASSERT_EQ(utf8.Status, 0) << utf8.Err;
    const std::string text = ReadBytes(folder_ / "k.txt");
    // The across clues open the list, the lowest number first.
    EXPECT_TRUE(std::regex_search(text, std::regex("^waagerecht\n[0-9]+\\) ")))
        << text.substr(0, 40);
    EXPECT_EQ(text.find('\r'), std::string::npos);
    const auto plain = CliRun::Run(folder_, {"export", puzzle.string(), "-o", "w.png"});
    ASSERT_EQ(plain.Status, 0);
    EXPECT_EQ(ReadBytes(folder_ / "w.txt"),
              Cp1252::FromUtf8(std::regex_replace(text, std::regex("\n"), "\r\n")));

    for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
             {"-o", "x.html", "--paper", "Letter"},
             {"-o", "x.bmp", "--author", "Erika"},
             {"-o", "x.png", "--title", "Titel"},
             {"-o", "x.html", "--encoding", "utf-8"},
             {"-o", "x.png", "--encoding", "latin9"},
             {"-o", "x.pdf", "--paper", "A3"},
             {"-o", "x.html", "--title", "zwei\nZeilen"},
             {"-o", "x.html", "--title", "kaputt \xC3("},
             {"-o", "x.html", "--title", "a", "--title", "b"},
         }) {
        std::vector<std::string> call = {"export", puzzle.string()};
        call.insert(call.end(), args.begin(), args.end());
        const auto result = CliRun::Run(folder_, call);
        EXPECT_EQ(result.Status, 2) << args[1] << " " << args[2] << ": " << result.Err;
        EXPECT_FALSE(fs::exists(folder_ / args[1])) << args[1];
    }
}
