#include "files/PuzzleSheet.h"

#include "base/Cp1252.h"
#include "base/WabolexError.h"
#include "files/CellPainter.h"
#include "files/CellStyle.h"
#include "files/Cp1252Qt.h"
#include "files/OutputDevice.h"
#include "files/PainterCanvas.h"
#include "files/PuzzleWords.h"
#include "io/OutputFile.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QHashFunctions>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <functional>
#include <optional>
#include <vector>

namespace {

// Measures in points.
constexpr double kMm = 72.0 / 25.4;
constexpr double kMargin = 15 * kMm;
constexpr double kGap = 5 * kMm; // grid to clues, column to column
constexpr double kLargestCell = 10 * kMm;
constexpr double kSmallestCell = 5 * kMm;     // of a grid that shares its page with the clues
constexpr double kNarrowestColumn = 45 * kMm; // of clues
constexpr double kLargestBox = 8 * kMm;       // of the solution word
constexpr double kCellStep = 0.25;
constexpr double kTitleSize = 16;
constexpr double kAuthorSize = 10;
constexpr double kFooterSize = 7.5;
// Clue sizes tried for a sheet on one page, largest first; clues below
// kReadable points only where the readable ones do not fit.
constexpr double kClueSizes[] = {9.5, 9, 8.5, 8, 7.5, 7};
constexpr double kReadable = 8;
constexpr double kContinuedSize = 8.5; // the clues of a sheet over several pages
constexpr int kResolution = 1200;

// The grid and the solution word's boxes in hundredths of a cell, black and
// white like the print; the bars run on over the corners so that they meet.
const CellStyle& SheetStyle() {
    static const CellStyle style = [] {
        CellStyle s;
        s.Cell = 100;
        s.LetterAt = {26, 24};
        s.LetterFont = CanvasFont::Cell(64, true);
        s.LetterColour = Qt::black;
        s.NumberAt = {5, 3};
        s.NumberFont = CanvasFont::Cell(30, false);
        s.BarWidth = 8;
        s.BarInset = -4;
        s.MarkWidth = 3;
        s.MarkColour = Qt::black;
        s.MarkArcFrom = {95, 50};
        s.MarkArcTo = {95, 80};
        s.MarkNumberAt = {83, 52};
        s.MarkNumberFont = CanvasFont::Cell(22, true);
        s.RowLabelDrop = 36;
        s.RowLabelFont = CanvasFont::Cell(44, true);
        s.RowLineWidth = 4;
        s.RowNumberAt = {4, 3};
        s.RowNumberFont = CanvasFont::Cell(26, true);
        s.RowLetterAt = {26, 24};
        return s;
    }();
    return style;
}

QPageSize PageSizeOf(Paper paper) {
    return QPageSize(paper == Paper::Letter ? QPageSize::Letter : QPageSize::A4);
}

// Fonts and text widths on the PDF device, in points.
class Measure {
public:
    explicit Measure(const QPaintDevice& device)
        : device_(device), perPoint_(device.logicalDpiY() / 72.0) {}

    static QFont Font(double points, bool bold) {
        PainterCanvas::RegisterArialSubstitute();
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(points);
        font.setBold(bold);
        font.setHintingPreference(QFont::PreferNoHinting);
        return font;
    }
    double Width(const QFont& font, const QString& text) const {
        return QFontMetricsF(font, &device_).horizontalAdvance(text) / perPoint_;
    }
    // The text cut with "…" to fit the width.
    QString Elided(const QFont& font, const QString& text, double width) const {
        return QFontMetricsF(font, &device_).elidedText(text, Qt::ElideRight, width * perPoint_);
    }
    double Ascent(const QFont& font) const {
        return QFontMetricsF(font, &device_).ascent() / perPoint_;
    }

private:
    const QPaintDevice& device_;
    double perPoint_;
};

// A text placed on a page: its font, its left end on the baseline.
struct PlacedText {
    int Page = 0;
    QPointF Baseline;
    QFont Font;
    QString Text;
};

struct Frame {
    int Page = 0;
    QRectF Rect;
};

struct ClueEntry {
    QString Number;
    QString Text;
};

struct ClueSection {
    QString Heading;
    std::vector<ClueEntry> Entries;
};

std::vector<ClueSection> SectionsOf(const Puzzle& puzzle) {
    std::vector<ClueSection> sections{{QStringLiteral("Waagerecht"), {}},
                                      {QStringLiteral("Senkrecht"), {}}};
    for (const ClueRow& row : puzzle.ClueRows) {
        if (!row.Dir) {
            continue;
        }
        QString text = Cp1252::ToQString(row.Clue);
        const std::string enumeration = PuzzleWords::Enumeration(
            PuzzleWords::Answer(puzzle.Grid, PuzzleWords::Cells(puzzle.Grid, row)));
        if (!enumeration.empty()) {
            text += QStringLiteral(" (") + QString::fromStdString(enumeration) + ")";
        }
        sections[*row.Dir == Direction::Across ? 0 : 1].Entries.push_back(
            {Cp1252::ToQString(row.NumberText()), text});
    }
    return sections;
}

// Greedy line breaking at blanks; a word longer than the line is cut.
std::vector<QString> Wrap(const Measure& measure, const QFont& font, const QString& text,
                          double width) {
    std::vector<QString> lines;
    QString line;
    for (const QString& word : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QString longer = line.isEmpty() ? word : line + " " + word;
        if (measure.Width(font, longer) <= width || line.isEmpty()) {
            line = longer;
        } else {
            lines.push_back(line);
            line = word;
        }
        while (measure.Width(font, line) > width && line.size() > 1) {
            qsizetype cut = line.size() - 1;
            while (cut > 1 && measure.Width(font, line.left(cut)) > width) {
                --cut;
            }
            lines.push_back(line.left(cut));
            line = line.mid(cut);
        }
    }
    if (!line.isEmpty() || lines.empty()) {
        lines.push_back(line);
    }
    return lines;
}

// Pours the clue sections into the frames in order: a heading stays with its
// first clue, a clue is never split. nullopt when the frames run out.
std::optional<std::vector<PlacedText>> Pour(const std::vector<ClueSection>& sections,
                                            const std::function<std::optional<Frame>()>& nextFrame,
                                            double size, const Measure& measure) {
    const QFont number = Measure::Font(size, true);
    const QFont clue = Measure::Font(size, false);
    const QFont heading = Measure::Font(size + 1.5, true);
    const double line = size * 1.22;
    const double headingLine = (size + 1.5) * 1.3;
    const double entryGap = size * 0.2;
    double numberColumn = 0;
    for (const ClueSection& section : sections) {
        for (const ClueEntry& entry : section.Entries) {
            numberColumn = std::max(numberColumn, measure.Width(number, entry.Number));
        }
    }
    numberColumn += size * 0.4;

    std::vector<PlacedText> placed;
    std::optional<Frame> frame = nextFrame();
    if (!frame) {
        return std::nullopt;
    }
    double y = frame->Rect.top();
    const auto fits = [&](double height) { return y + height <= frame->Rect.bottom() + 0.01; };
    const auto advance = [&] {
        frame = nextFrame();
        y = frame ? frame->Rect.top() : 0;
        return frame.has_value();
    };
    const auto textWidth = [&] { return frame->Rect.width() - numberColumn; };

    for (const ClueSection& section : sections) {
        if (section.Entries.empty()) {
            continue;
        }
        // The heading and the first clue together.
        for (int attempt = 0;; ++attempt) {
            const double before = y > frame->Rect.top() ? line * 0.6 : 0;
            const size_t firstLines =
                Wrap(measure, clue, section.Entries.front().Text, textWidth()).size();
            if (fits(before + headingLine + line * static_cast<double>(firstLines))) {
                y += before;
                break;
            }
            if (attempt > 0 || !advance()) {
                return std::nullopt;
            }
        }
        placed.push_back({frame->Page,
                          {frame->Rect.left(), y + measure.Ascent(heading)},
                          heading,
                          section.Heading});
        y += headingLine;
        for (const ClueEntry& entry : section.Entries) {
            std::vector<QString> lines = Wrap(measure, clue, entry.Text, textWidth());
            if (!fits(line * static_cast<double>(lines.size()))) {
                if (!advance()) {
                    return std::nullopt;
                }
                lines = Wrap(measure, clue, entry.Text, textWidth());
                if (!fits(line * static_cast<double>(lines.size()))) {
                    return std::nullopt;
                }
            }
            const double ascent = measure.Ascent(clue);
            const double numberRight = frame->Rect.left() + numberColumn - size * 0.4;
            placed.push_back({frame->Page,
                              {numberRight - measure.Width(number, entry.Number), y + ascent},
                              number,
                              entry.Number});
            for (const QString& text : lines) {
                placed.push_back(
                    {frame->Page, {frame->Rect.left() + numberColumn, y + ascent}, clue, text});
                y += line;
            }
            y += entryGap;
        }
    }
    return placed;
}

// Columns side by side across a rectangle, as many as are wide enough (at most max).
std::vector<Frame> Columns(int page, const QRectF& area, int max) {
    std::vector<Frame> frames;
    int count = max;
    while (count > 1 && (area.width() - kGap * (count - 1)) / count < kNarrowestColumn) {
        --count;
    }
    if (area.width() < kNarrowestColumn || area.height() <= 0) {
        return frames;
    }
    const double width = (area.width() - kGap * (count - 1)) / count;
    for (int i = 0; i < count; ++i) {
        frames.push_back(
            {page, QRectF(area.left() + i * (width + kGap), area.top(), width, area.height())});
    }
    return frames;
}

// Where everything goes.
class SheetLayout {
public:
    SheetLayout(const Puzzle& puzzle, OutputVariant variant, const ExportOptions& options,
                const QPageSize& pageSize, const Measure& measure)
        : puzzle_(puzzle), measure_(measure), sections_(SectionsOf(puzzle)) {
        const QSizeF page = pageSize.size(QPageSize::Point);
        pageSize_ = page;
        content_ =
            QRectF(kMargin, kMargin, page.width() - 2 * kMargin, page.height() - 2 * kMargin);
        title_ = QString::fromStdString(options.TitleText());
        if (variant == OutputVariant::Solution) {
            title_ += QStringLiteral(" \u2013 L\u00f6sung");
        }
        author_ = QString::fromStdString(options.Author);
        copyright_ = QString::fromStdString(options.Copyright);

        double top = content_.top() + kTitleSize * 1.3;
        if (!author_.isEmpty()) {
            top += kAuthorSize * 1.35;
        }
        gridTop_ = top + 3 * kMm;
        const auto letters = static_cast<double>(puzzle.ShownMarks().size());
        if (letters > 0) {
            box_ = std::min(kLargestBox, content_.width() / letters);
        }
        rowHeight_ = letters > 0 ? 2 * box_ + 2 * kMm : 0;
        Choose();
    }

    PuzzleSheet::Plan Plan() const { return {cell_, size_, pages_}; }
    // Title and author, drawn first; then the clues and the page's foot.
    const std::vector<PlacedText>& Heads() const { return heads_; }
    const std::vector<PlacedText>& Texts() const { return texts_; }
    QRectF Grid() const { return grid_; }
    // The top left corner of the solution word's boxes (the label above them).
    QPointF Row() const { return {grid_.left(), grid_.bottom() + 2 * kMm}; }
    double Box() const { return box_; }
    QSizeF PageSize() const { return pageSize_; }

private:
    // The largest grid whose clues still fit on the page at a readable size;
    // larger clues where they cost the grid at most a tenth of that. Failing
    // that, the clues at their smallest; else the grid as wide as the page
    // and the clues on over further pages.
    void Choose() {
        const double largest = LargestCell();
        if (largest >= kSmallestCell) {
            if (const std::optional<double> best = LargestFitting(kReadable, largest)) {
                for (const double size : kClueSizes) {
                    const std::optional<double> cell =
                        size > kReadable ? LargestFitting(size, largest) : best;
                    if (cell && *cell >= 0.9 * *best) {
                        Place(*cell, size, false);
                        return;
                    }
                }
            }
            for (const double size : kClueSizes) {
                if (size >= kReadable) {
                    continue;
                }
                if (const std::optional<double> cell = LargestFitting(size, largest)) {
                    Place(*cell, size, false);
                    return;
                }
            }
        }
        Place(largest, kContinuedSize, true);
    }

    double LargestCell() const {
        const double across = content_.width() / puzzle_.Columns;
        const double down = (content_.bottom() - gridTop_ - rowHeight_) / puzzle_.Rows;
        return std::min({kLargestCell, across, down});
    }

    // Binary search over cell sizes in steps: a smaller grid leaves more room.
    std::optional<double> LargestFitting(double size, double largest) const {
        const int steps = static_cast<int>((largest - kSmallestCell) / kCellStep);
        const auto cellAt = [&](int step) { return largest - step * kCellStep; };
        if (!Fits(cellAt(steps), size)) {
            return std::nullopt;
        }
        int low = 0;      // largest cell that may fit
        int high = steps; // fits
        while (low < high) {
            const int middle = (low + high) / 2;
            if (Fits(cellAt(middle), size)) {
                high = middle;
            } else {
                low = middle + 1;
            }
        }
        return cellAt(high);
    }

    bool Fits(double cell, double size) const {
        std::vector<Frame> frames = FirstPageFrames(cell);
        size_t next = 0;
        return Pour(
                   sections_,
                   [&]() -> std::optional<Frame> {
                       if (next < frames.size()) {
                           return frames[next++];
                       }
                       return std::nullopt;
                   },
                   size, measure_)
            .has_value();
    }

    QRectF GridRect(double cell) const {
        const double width = cell * puzzle_.Columns;
        const double height = cell * puzzle_.Rows;
        const double beside = content_.width() - width - kGap;
        // Without clues beside it, the grid stands in the middle.
        const double left = beside >= kNarrowestColumn
                                ? content_.left()
                                : content_.left() + (content_.width() - width) / 2;
        return {left, gridTop_, width, height};
    }

    // Beside the grid (where there is room), then in columns under it.
    std::vector<Frame> FirstPageFrames(double cell) const {
        const QRectF grid = GridRect(cell);
        const double rowWidth = box_ * static_cast<double>(puzzle_.ShownMarks().size());
        const double blockBottom = grid.bottom() + rowHeight_;
        // The solution word's boxes may reach under the clues beside the grid.
        const double besideBottom = rowWidth > grid.width() ? grid.bottom() : blockBottom;
        std::vector<Frame> frames = Columns(0,
                                            QRectF(QPointF(grid.right() + kGap, grid.top()),
                                                   QPointF(content_.right(), besideBottom)),
                                            2);
        const std::vector<Frame> below = Columns(
            0, QRectF(QPointF(content_.left(), blockBottom + kGap), content_.bottomRight()), 3);
        frames.insert(frames.end(), below.begin(), below.end());
        return frames;
    }

    void Place(double cell, double size, bool continued) {
        cell_ = cell;
        size_ = size;
        grid_ = GridRect(cell);
        std::vector<Frame> frames = FirstPageFrames(cell);
        size_t next = 0;
        int page = 0;
        const auto nextFrame = [&]() -> std::optional<Frame> {
            if (next < frames.size()) {
                return frames[next++];
            }
            if (!continued) {
                return std::nullopt;
            }
            frames = Columns(++page, content_, 3);
            next = 0;
            return frames[next++];
        };
        std::optional<std::vector<PlacedText>> clues = Pour(sections_, nextFrame, size, measure_);
        texts_ = clues ? std::move(*clues) : std::vector<PlacedText>();
        pages_ = 1;
        for (const PlacedText& text : texts_) {
            pages_ = std::max(pages_, text.Page + 1);
        }
        Headings();
    }

    void Headings() {
        const QFont title = Measure::Font(kTitleSize, true);
        double y = content_.top() + measure_.Ascent(title);
        heads_.push_back(
            {0, {content_.left(), y}, title, measure_.Elided(title, title_, content_.width())});
        if (!author_.isEmpty()) {
            const QFont author = Measure::Font(kAuthorSize, false);
            y = content_.top() + kTitleSize * 1.3 + measure_.Ascent(author);
            heads_.push_back({0, {content_.left(), y}, author, author_});
        }
        const QFont footer = Measure::Font(kFooterSize, false);
        const double footerY = content_.bottom() + 6 * kMm;
        for (int page = 0; page < pages_; ++page) {
            if (!copyright_.isEmpty()) {
                texts_.push_back({page, {content_.left(), footerY}, footer, copyright_});
            }
            if (pages_ > 1) {
                const QString number = QStringLiteral("Seite %1 von %2").arg(page + 1).arg(pages_);
                texts_.push_back({page,
                                  {content_.right() - measure_.Width(footer, number), footerY},
                                  footer,
                                  number});
            }
        }
    }

    const Puzzle& puzzle_;
    const Measure& measure_;
    std::vector<ClueSection> sections_;
    QSizeF pageSize_;
    QRectF content_;
    QString title_;
    QString author_;
    QString copyright_;
    double gridTop_ = 0;
    double box_ = 0;
    double rowHeight_ = 0;
    double cell_ = 0;
    double size_ = 0;
    int pages_ = 1;
    QRectF grid_;
    std::vector<PlacedText> heads_;
    std::vector<PlacedText> texts_;
};

void SetUp(QPdfWriter& writer, const ExportOptions& options) {
    writer.setResolution(kResolution);
    writer.setPageLayout(
        QPageLayout(PageSizeOf(options.SheetPaper), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    writer.setCreator(QStringLiteral("Wabolex"));
}

// The grid in hundredths of a cell: thin lines, the cells with their numbers,
// bars and circles, then the frame.
void DrawGrid(QPainter& painter, const Puzzle& puzzle, OutputVariant variant) {
    const CellStyle& style = SheetStyle();
    PainterCanvas canvas(painter);
    CellPainter cells(canvas, style);
    const int right = style.Cell * puzzle.Columns;
    const int bottom = style.Cell * puzzle.Rows;
    canvas.SetPen(2, Qt::black);
    for (int c = 1; c < puzzle.Columns; ++c) {
        canvas.Line({style.Cell * c, 0}, {style.Cell * c, bottom});
    }
    for (int r = 1; r < puzzle.Rows; ++r) {
        canvas.Line({0, style.Cell * r}, {right, style.Cell * r});
    }
    for (int c = 0; c < puzzle.Columns; ++c) {
        for (int r = 0; r < puzzle.Rows; ++r) {
            const QPoint corner(style.Cell * c, style.Cell * r);
            cells.OutputCell(corner, puzzle.Grid.At(c, r), variant);
            cells.Marks(corner, puzzle.ShownMarks(), c, r);
        }
    }
    canvas.SetPen(8, Qt::black);
    canvas.ClosedLine({{0, 0}, {0, bottom}, {right, bottom}, {right, 0}});
}

void Draw(QPdfWriter& writer, const SheetLayout& layout, const Puzzle& puzzle,
          OutputVariant variant) {
    QPainter painter;
    if (!painter.begin(&writer)) {
        throw WabolexError(W("Das Rätselblatt konnte nicht gezeichnet werden."));
    }
    const double perPoint = writer.logicalDpiY() / 72.0;
    bool pageFailed = false;
    const auto toDevice = [&](double scale, QPointF origin) {
        QTransform transform;
        transform.scale(perPoint, perPoint);
        transform.translate(origin.x(), origin.y());
        transform.scale(scale, scale);
        return transform;
    };
    const auto drawTexts = [&](const std::vector<PlacedText>& texts, int page) {
        painter.resetTransform();
        painter.setBackgroundMode(Qt::TransparentMode);
        painter.setPen(Qt::black);
        for (const PlacedText& text : texts) {
            if (text.Page == page) {
                painter.setFont(text.Font);
                painter.drawText(text.Baseline * perPoint, text.Text);
            }
        }
    };
    // In reading order, as text extractors and screen readers meet it.
    for (int page = 0; page < layout.Plan().Pages; ++page) {
        if (page > 0) {
            pageFailed = pageFailed || !writer.newPage();
        }
        if (page == 0) {
            drawTexts(layout.Heads(), page);
            const QRectF grid = layout.Grid();
            painter.setTransform(toDevice(grid.width() / puzzle.Columns / 100.0, grid.topLeft()));
            DrawGrid(painter, puzzle, variant);
            if (!puzzle.ShownMarks().empty()) {
                painter.setTransform(toDevice(layout.Box() / 100.0, layout.Row()));
                PainterCanvas canvas(painter);
                CellPainter(canvas, SheetStyle())
                    .SolutionRow({0, 0}, puzzle.SolutionWord.value_or(""), variant);
            }
        }
        drawTexts(layout.Texts(), page);
    }
    if (!painter.end() || pageFailed) {
        throw WabolexError(W("Das Rätselblatt konnte nicht vollständig geschrieben werden."));
    }
}

} // namespace

PuzzleSheet::Plan PuzzleSheet::PlanOf(const Puzzle& puzzle, const ExportOptions& options) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    SetUp(writer, options);
    const Measure measure(writer);
    return SheetLayout(puzzle, OutputVariant::Puzzle, options, PageSizeOf(options.SheetPaper),
                       measure)
        .Plan();
}

void PuzzleSheet::Write(const Puzzle& puzzle, OutputVariant variant, const ExportOptions& options,
                        OutputFile& file) {
    // The PDF writer lists its fonts in the order of a hash table; with the
    // process's random seed the same sheet would come out in other bytes.
    QHashSeed::setDeterministicGlobalSeed();
    OutputDevice device(file);
    {
        QPdfWriter writer(&device);
        SetUp(writer, options);
        writer.setTitle(QString::fromStdString(options.TitleText()));
        const Measure measure(writer);
        const SheetLayout layout(puzzle, variant, options, PageSizeOf(options.SheetPaper), measure);
        try {
            Draw(writer, layout, puzzle, variant);
        } catch (const WabolexError&) {
            device.ThrowIfFailed();
            throw;
        }
    }
    device.ThrowIfFailed();
    if (device.Tail().find("%%EOF") == std::string::npos) {
        throw WabolexError(W("Das Rätselblatt ist unvollständig geblieben."));
    }
}
