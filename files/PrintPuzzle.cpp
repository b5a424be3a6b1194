#include "files/PrintPuzzle.h"

#include "files/CellPainter.h"

#include <algorithm>
#include <cmath>

namespace {

const QColor kBlack(0, 0, 0);

constexpr int kLeft = 100;
constexpr int kGridTop = 200;
constexpr QPoint kTitle{300, 100};
constexpr int kLinePitch = 40;
constexpr int kCharWidth = 24;

const CanvasFont kTitleFont = CanvasFont::Cell(40, true);
const CanvasFont kHeadingFont = CanvasFont::Cell(40, true);

class PrintRun {
public:
    PrintRun(Canvas& canvas, const PrintPage& page, const Puzzle& puzzle,
             const std::string& caption, OutputVariant variant)
        : canvas_(canvas), page_(page), puzzle_(puzzle), caption_(caption), variant_(variant),
          cells_(canvas, CellStyle::Print()) {}

    void GridPage(const GridBand& band) {
        Title();
        const int cell = cells_.Style().Cell;
        const int right = kLeft + cell * band.Columns;
        const int bottom = kGridTop + cell * band.Rows;
        canvas_.SetPen(1, kBlack);
        for (int v = 0; v <= band.Columns; ++v) {
            canvas_.Line({kLeft + cell * v, kGridTop}, {kLeft + cell * v, bottom});
        }
        if (band.FirstColumn == 0) {
            canvas_.SetPen(6, kBlack);
            canvas_.Line({kLeft, kGridTop}, {kLeft, bottom});
        }
        canvas_.SetPen(1, kBlack);
        for (int u = 0; u <= band.Rows; ++u) {
            canvas_.Line({kLeft, kGridTop + cell * u}, {right, kGridTop + cell * u});
        }
        if (band.FirstRow == 0) {
            canvas_.SetPen(6, kBlack);
            canvas_.Line({kLeft, kGridTop}, {right, kGridTop});
        }
        for (int i = 0; i < band.Columns; ++i) {
            for (int j = 0; j < band.Rows; ++j) {
                const int column = band.FirstColumn + i;
                const int row = band.FirstRow + j;
                const QPoint corner(kLeft + cell * i, kGridTop + cell * j);
                cells_.OutputCell(corner, puzzle_.Grid.At(column, row), variant_);
                cells_.Marks(corner, puzzle_.ShownMarks(), column, row);
            }
        }
        // The row goes below the first page's part of the grid.
        if (band.FirstColumn == 0 && band.FirstRow == 0 && puzzle_.SolutionWordShown) {
            cells_.SolutionRow({kLeft, bottom}, puzzle_.SolutionWord.value_or(""), variant_);
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
    const OutputVariant variant_;
    CellPainter cells_;
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
