#include "files/PrintPuzzle.h"

#include "model/Cp1252.h"

#include <algorithm>
#include <cmath>

namespace {

const QColor kBlack(0, 0, 0);

constexpr int kCell = 80;
constexpr int kLeft = 100;
constexpr int kGridTop = 200;
constexpr QPoint kTitle{300, 100};
constexpr int kLinePitch = 40;
constexpr int kCharWidth = 24;

const CanvasFont kTitleFont = CanvasFont::Cell(40, true);
const CanvasFont kLetterFont = CanvasFont::Cell(60, true);
const CanvasFont kNumberFont = CanvasFont::Cell(22, false);
const CanvasFont kSmallBoldFont = CanvasFont::Cell(16, true);
const CanvasFont kHeadingFont = CanvasFont::Cell(40, true);

class PrintRun {
public:
    PrintRun(Canvas& canvas, const PrintPage& page, const Puzzle& puzzle,
             const std::string& caption, OutputVariant variant)
        : canvas_(canvas), page_(page), puzzle_(puzzle), caption_(caption),
          solution_(variant == OutputVariant::Solution) {}

    void GridPage(const GridBand& band) {
        Title();
        const int right = kLeft + kCell * band.Columns;
        const int bottom = kGridTop + kCell * band.Rows;
        canvas_.SetPen(1, kBlack);
        for (int v = 0; v <= band.Columns; ++v) {
            canvas_.Line({kLeft + kCell * v, kGridTop}, {kLeft + kCell * v, bottom});
        }
        if (band.FirstColumn == 0) {
            canvas_.SetPen(6, kBlack);
            canvas_.Line({kLeft, kGridTop}, {kLeft, bottom});
        }
        canvas_.SetPen(1, kBlack);
        for (int u = 0; u <= band.Rows; ++u) {
            canvas_.Line({kLeft, kGridTop + kCell * u}, {right, kGridTop + kCell * u});
        }
        if (band.FirstRow == 0) {
            canvas_.SetPen(6, kBlack);
            canvas_.Line({kLeft, kGridTop}, {right, kGridTop});
        }
        for (int i = 0; i < band.Columns; ++i) {
            for (int j = 0; j < band.Rows; ++j) {
                Cell(band.FirstColumn + i, band.FirstRow + j, kLeft + kCell * i,
                     kGridTop + kCell * j);
            }
        }
        if (band.FirstColumn == 0 && band.FirstRow == 0 && puzzle_.SolutionWordShown) {
            SolutionRow(bottom);
        }
        canvas_.NewPage();
    }

    void CluePages() {
        Title();
        canvas_.Text({kLeft, kGridTop}, Heading(Direction::Across), kHeadingFont, kBlack);
        y_ = 250;
        Section(Direction::Across);
        if (!line_.empty()) {
            PrintLine();
        }
        if (y_ > Lowest()) {
            canvas_.NewPage();
            Title();
            canvas_.Text({kLeft, kGridTop}, Heading(Direction::Down), kHeadingFont, kBlack);
            y_ = 240;
        } else {
            canvas_.Text({kLeft, y_}, Heading(Direction::Down), kHeadingFont, kBlack);
            y_ += 50;
        }
        Section(Direction::Down);
        if (!line_.empty()) {
            canvas_.Text({kLeft, y_}, line_, ClueFont(), kBlack);
        }
    }

private:
    int Lowest() const { return page_.Height - 300; }

    // 4 points at the printer's resolution, taken as canvas units.
    CanvasFont ClueFont() const {
        return CanvasFont::Character(static_cast<int>(std::lround(4.0 * page_.DpiY / 72.0)), false);
    }

    void Title() { canvas_.Text(kTitle, caption_, kTitleFont, kBlack); }

    // "waagerecht:" and "senkrecht:" above the clues of a direction.
    static std::string Heading(Direction direction) {
        return std::string(DirectionWord(direction)) + ":";
    }

    void Cell(int column, int row, int x, int y) {
        const TGridCell& cell = puzzle_.Grid.At(column, row);
        if (cell.Letter == '.') {
            canvas_.FillRect(QRect(x, y, kCell, kCell), kBlack);
        } else {
            if (solution_) {
                canvas_.Text({x + 20, y + 20}, std::string(1, cell.Letter), kLetterFont, kBlack);
            }
            // The across number wins where both words start.
            const int number = cell.AcrossNo != 0 ? cell.AcrossNo : cell.DownNo;
            if (number > 0) {
                canvas_.Text({x + 5, y + 5}, std::to_string(number), kNumberFont, kBlack);
            }
        }
        if (cell.BarRight == 1) {
            canvas_.SetPen(6, kBlack);
            canvas_.Line({x + 80, y + 2}, {x + 80, y + 78});
        }
        if (cell.BarBelow == 1) {
            canvas_.SetPen(6, kBlack);
            canvas_.Line({x + 2, y + 80}, {x + 78, y + 80});
        }
        for (const SolutionMark& mark : puzzle_.ShownMarks()) {
            if (mark.Column == column && mark.Row == row) {
                SolutionMarkAt(x, y, mark.Position);
            }
        }
    }

    void SolutionMarkAt(int x, int y, int position) {
        canvas_.SetPen(2, kBlack);
        canvas_.Arc({x + 1, y + 1}, {x + 79, y + 79}, {x + 76, y + 40}, {x + 76, y + 64});
        const int textX = position <= 9 ? x + 68 : x + 64;
        canvas_.Text({textX, y + 40}, std::to_string(position), kSmallBoldFont, kBlack);
    }

    void SolutionRow(int bottom) {
        const std::string word = Cp1252::ToUpper(puzzle_.SolutionWord);
        const int n = static_cast<int>(word.size());
        canvas_.Text({kLeft, bottom + 20}, W("Lösungswort"), kHeadingFont, kBlack);
        canvas_.SetPen(2, kBlack);
        const int right = kLeft + kCell * n;
        canvas_.ClosedLine({{kLeft, bottom + 80},
                            {kLeft, bottom + 160},
                            {right, bottom + 160},
                            {right, bottom + 80}});
        for (int i = 0; i < n; ++i) {
            const int x = kLeft + kCell * i;
            canvas_.Line({x, bottom + 80}, {x, bottom + 160});
            canvas_.Text({x + 2, bottom + 82}, std::to_string(i + 1), kSmallBoldFont, kBlack);
            if (solution_) {
                canvas_.Text({x + 20, bottom + 88}, std::string(1, word[i]), kLetterFont, kBlack);
            }
        }
    }

    // Several clues per line; a line is closed before an entry whose number
    // would no longer fit by the assumed character width. The clue itself is
    // not counted, so a line may run over by up to one clue.
    void Section(Direction direction) {
        for (const ClueRow& row : puzzle_.ClueRows) {
            if (row.Dir != direction) {
                continue;
            }
            const std::string number = row.NumberText();
            const auto length = static_cast<long long>(line_.size() + number.size() + 4);
            if (length * kCharWidth > page_.Width) {
                PrintLine();
                if (y_ > Lowest()) {
                    canvas_.NewPage();
                    Title();
                    canvas_.Text({kLeft, kGridTop}, Heading(direction), kHeadingFont, kBlack);
                    y_ = 240;
                }
            }
            line_ += number + ") " + row.Clue + " ";
        }
    }

    void PrintLine() {
        canvas_.Text({kLeft, y_}, line_, ClueFont(), kBlack);
        line_.clear();
        y_ += kLinePitch;
    }

    Canvas& canvas_;
    const PrintPage& page_;
    const Puzzle& puzzle_;
    const std::string& caption_;
    const bool solution_;
    std::string line_;
    int y_ = 0;
};

} // namespace

std::vector<GridBand> PrintPuzzle::GridBands(int columns, int rows) {
    std::vector<GridBand> bands;
    for (int r0 = 0; r0 < rows; r0 += BandRows) {
        for (int c0 = 0; c0 < columns; c0 += BandColumns) {
            bands.push_back(
                {c0, r0, std::min(BandColumns, columns - c0), std::min(BandRows, rows - r0)});
        }
    }
    return bands;
}

void PrintPuzzle::Draw(Canvas& canvas, const PrintPage& page, const Puzzle& puzzle,
                       const std::string& caption, OutputVariant variant) {
    PrintRun run(canvas, page, puzzle, caption, variant);
    for (const GridBand& band : GridBands(puzzle.Columns, puzzle.Rows)) {
        run.GridPage(band);
    }
    run.CluePages();
}
