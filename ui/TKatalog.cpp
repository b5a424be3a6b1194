#include "ui/TKatalog.h"

#include "base/WabolexError.h"
#include "files/CellPainter.h"
#include "files/Cp1252Qt.h"
#include "model/Generator.h"
#include "model/PuzzleStatistics.h"
#include "model/SolutionWord.h"
#include "model/Variety.h"
#include "ui/BusyCursor.h"
#include "ui/FileDialogService.h"
#include "ui/Fonts.h"
#include "ui/KatalogDialogs.h"
#include "ui/MessageService.h"
#include "ui/ProgramFolders.h"
#include "ui/ScreenCanvas.h"
#include "ui/TAusgabe.h"
#include "ui/TBegriffsumschreibung.h"
#include "ui/TEOptions.h"
#include "ui/TInfoBox.h"
#include "ui/TLHint.h"
#include "ui/TRegelnBox.h"
#include "ui/TStatistikAnzeige.h"
#include "vocabulary/ShippedCommonWords.h"
#include "vocabulary/VocabularyLoader.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDate>
#include <QDialog>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QMenuBar>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <cmath>
#include <exception>
#include <filesystem>
#include <new>
#include <optional>

namespace {

// Outer size of the window at design time; the frame around the client area
// is counted as on the desktop the program was drawn for.
constexpr int kDesignWidth = 590;
constexpr int kDesignHeight = 603;
constexpr int kFrameWidth = 8;   // left and right border together
constexpr int kFrameHeight = 50; // title bar, menu bar and bottom border together

// A small crossword in the program's colours: 32 x 32 pixels, 16 colours.
QIcon ProgramIcon() {
    QImage image(32, 32, QImage::Format_Indexed8);
    image.setColorTable({qRgb(0, 0x80, 0), qRgb(0xFF, 0xFF, 0xFF), qRgb(0, 0, 0), qRgb(0xFF, 0, 0),
                         qRgb(0xC0, 0xC0, 0xC0)});
    image.fill(0);
    static const char* rows[] = {"WWB", "WBW", "WWW"};
    for (int r = 0; r < 3; ++r)
        for (int c = 0; c < 3; ++c)
            for (int y = 0; y < 9; ++y)
                for (int x = 0; x < 9; ++x)
                    image.setPixel(2 + c * 10 + x, 2 + r * 10 + y, rows[r][c] == 'W' ? 1 : 2);
    // A red "W" in the top-left square.
    static const char* letter[] = {"X.......X", "X.......X", "X...X...X",
                                   ".X.X.X.X.", ".X.X.X.X.", "..X...X.."};
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 9; ++x)
            if (letter[y][x] == 'X')
                image.setPixel(2 + x, 4 + y, 3);
    return QIcon(QPixmap::fromImage(image));
}

} // namespace

TKatalog::TKatalog(MessageService& messages, FileDialogService& fileDialogs, uint64_t seed,
                   QWidget* parent)
    : QMainWindow(parent), messages_(messages), fileDialogs_(fileDialogs), random_(seed) {
    Fonts::InstallSubstitutes();
    setObjectName(QStringLiteral("Katalog"));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPointSize(8);
    setFont(font);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("Client"));
    client->setAutoFillBackground(true);
    QPalette green = client->palette();
    green.setColor(QPalette::Window, QColor(0x00, 0x80, 0x00));
    client->setPalette(green);
    setCentralWidget(client);

    ausgabe_ = new TAusgabe(client);
    ausgabe_->setObjectName(QStringLiteral("Ausgabe"));
    ausgabe_->setGeometry(10, 10, 560, 530);
    ausgabe_->OnDrawCell = [this](QPainter& p, int32_t c, int32_t r, const QRect& rect, bool sel,
                                  bool foc) { AusgabeDrawCell(p, c, r, rect, sel, foc); };
    ausgabe_->OnKeyPress = [this](char& key) { RunCommand([&] { AusgabeKeyPress(key); }); };
    ausgabe_->OnDblClick = [this] { RunCommand([this] { AusgabeDblClick(); }); };
    ausgabe_->OnMouseDown = [this](Qt::MouseButton b, int x, int y) {
        RunCommand([&] { AusgabeMouseDown(b, x, y); });
    };

    setWindowIcon(ProgramIcon());
    CreateMenu();
    FormCreate();
    move(376, 130);
    resize(kDesignWidth - kFrameWidth,
           kDesignHeight - kFrameHeight + menuBar()->sizeHint().height());
    ausgabe_->setFocus();
    CreateSecondaryWindows();
}

TKatalog::~TKatalog() = default;

// --- Start-up -----------------------------------------------------------------

void TKatalog::FormCreate() {
    titleText_ = QStringLiteral("Wabolex ") + QString::number(QDate::currentDate().year());
    setWindowTitle(titleText_);
    puzzle_.SourceName = "NoName";
    // The random source was seeded when the window was made.
    view_.ShowGenerated = false;
    view_.ShowSolution = false;
    view_.Solving = false;
    puzzle_.SolutionWordShown = false;
    vocabulary_ = std::make_shared<const Vocabulary>();
    puzzle_.ResizeGrid(StartGridSide, StartGridSide);
    ausgabe_->SetColCount(puzzle_.Columns);
    ausgabe_->SetRowCount(puzzle_.Rows);
}

void TKatalog::CreateSecondaryWindows() {
    // Hidden, in this order; each lives until the main window goes.
    eOptions_ = new TEOptions(this);
    begriffsumschreibung_ = new TBegriffsumschreibung(this);
    infoBox_ = new TInfoBox(this);
    regelnBox_ = new TRegelnBox(this);
    statistikAnzeige_ = new TStatistikAnzeige(this);
    lHint_ = new TLHint(this);
    TakeSolutionWord();
    connect(eOptions_, &TEOptions::SolutionWordChanged, this, [this] { TakeSolutionWord(); });
}

QAction* TKatalog::AddCommand(QMenu* menu, const QString& caption, void (TKatalog::*handler)()) {
    QAction* action = menu->addAction(caption);
    connect(action, &QAction::triggered, this,
            [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
    return action;
}

void TKatalog::CreateMenu() {
    QMenuBar* bar = menuBar();

    MenuDatei = bar->addMenu(QStringLiteral("&Datei"));
    DBLaden = AddCommand(MenuDatei, QStringLiteral("Ö&ffnen"), &TKatalog::DBLadenClick);
    RExportieren =
        AddCommand(MenuDatei, QStringLiteral("&Rätsel exportieren"), &TKatalog::RExportierenClick);
    LExportieren =
        AddCommand(MenuDatei, QStringLiteral("Lösung exportieren"), &TKatalog::LExportierenClick);
    MenuDatei->addSeparator();
    Beenden = AddCommand(MenuDatei, QStringLiteral("&Beenden"), &TKatalog::BeendenClick);

    // A menu-bar entry without items that is itself the command.
    Einstellungen = bar->addAction(QStringLiteral("&Einstellungen"));
    connect(Einstellungen, &QAction::triggered, this,
            [this] { RunCommand([this] { EinstellungenClick(); }); });

    MenuRaetsel = bar->addMenu(QStringLiteral("&Rätsel"));
    RGenerieren =
        AddCommand(MenuRaetsel, QStringLiteral("&Generieren"), &TKatalog::RGenerierenClick);
    RAnzeigen = AddCommand(MenuRaetsel, QStringLiteral("&Lösen"), &TKatalog::RAnzeigenClick);
    RStatistik = AddCommand(MenuRaetsel, QStringLiteral("S&tatistik"), &TKatalog::RStatistikClick);
    MenuRaetsel->addSeparator();
    RDrucken = AddCommand(MenuRaetsel, QStringLiteral("&Drucken"), &TKatalog::RDruckenClick);
    RLaden = AddCommand(MenuRaetsel, QStringLiteral("&Laden"), &TKatalog::RLadenClick);
    RSpeichern = AddCommand(MenuRaetsel, QStringLiteral("&Speichern"), &TKatalog::RSpeichernClick);

    MenuLoesungswort = bar->addMenu(QStringLiteral("Lösungs&wort"));
    LWDelete = AddCommand(MenuLoesungswort, QStringLiteral("&löschen"), &TKatalog::LWDeleteClick);
    neuePosition =
        AddCommand(MenuLoesungswort, QStringLiteral("neue Position"), &TKatalog::neuePositionClick);

    MenuLoesung = bar->addMenu(QStringLiteral("&Lösung"));
    LAnzeigen = AddCommand(MenuLoesung, QStringLiteral("&Anzeigen"), &TKatalog::LAnzeigenClick);
    LDrucken = AddCommand(MenuLoesung, QStringLiteral("&Drucken"), &TKatalog::LDruckenClick);

    MenuHilfe = bar->addMenu(QStringLiteral("&Hilfe"));
    Hinweise = AddCommand(MenuHilfe, QStringLiteral("&Hinweise"), &TKatalog::HinweiseClick);
    MenuHilfe->addSeparator();
    Info = AddCommand(MenuHilfe, QStringLiteral("&Info"), &TKatalog::InfoClick);
}

// --- Error boundary -----------------------------------------------------------

void TKatalog::RunCommand(const std::function<void()>& command) {
    try {
        command();
        return;
    } catch (const WabolexError& e) {
        messages_.Error(Cp1252::ToQString(e.what()));
    } catch (const std::bad_alloc&) {
        messages_.Error(QString::fromUtf8(OutOfMemoryMessage));
    } catch (const std::exception& e) {
        messages_.Error(QString::fromLocal8Bit(e.what()));
    }
}

void TKatalog::ShowModal(QWidget* window) {
    if (modalHook_) {
        modalHook_(window);
        return;
    }
    window->setWindowModality(Qt::ApplicationModal);
    if (auto* dialog = qobject_cast<QDialog*>(window)) {
        dialog->exec();
        return;
    }
    window->show();
}

// --- Window events ------------------------------------------------------------

void TKatalog::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    FormResize();
}

void TKatalog::FormResize() {
    // The grid follows the window; its corner stays at (10, 10).
    const int outerWidth = width() + kFrameWidth;
    const int outerHeight = height() - menuBar()->height() + kFrameHeight;
    ausgabe_->setGeometry(10, 10, std::max(0, outerWidth - 30), std::max(0, outerHeight - 80));
    ausgabe_->RepaintNow();
}

void TKatalog::closeEvent(QCloseEvent* event) {
    bool canClose = true;
    RunCommand([&] { FormCloseQuery(canClose); });
    if (!canClose) {
        event->ignore();
        return;
    }
    // Closing the main window ends the program, also while the solver's info
    // or the clue list is still open.
    for (QObject* child : children()) {
        auto* window = qobject_cast<QWidget*>(child);
        if (window && window->isWindow())
            window->hide();
    }
    event->accept();
}

void TKatalog::FormCloseQuery(bool& canClose) {
    if (messages_.Confirm(QStringLiteral("Rätselgenerator beenden?"))) {
        messages_.Information(QStringLiteral("Der Generator hält an!!"));
        canClose = true;
    } else {
        canClose = false;
    }
}

void TKatalog::BeendenClick() {
    close();
}

void TKatalog::UpdateCaption() {
    const QString source = Cp1252::ToQString(puzzle_.SourceName);
    const qsizetype dot = source.indexOf('.');
    setWindowTitle(titleText_ + QStringLiteral("   ") + (dot < 0 ? QString() : source.left(dot)));
}

void TKatalog::SetSolutionWordMenuEnabled(bool enabled) {
    MenuLoesungswort->setEnabled(enabled);
}

void TKatalog::TakeSolutionWord() {
    puzzle_.SolutionWord = eOptions_->SolutionWordCp1252();
}

// --- Commands -------------------------------------------------------------------

void TKatalog::DBLadenClick() {
    const QString folder =
        lastTableFolder_.isEmpty() ? ProgramFolders::Current().Tables() : lastTableFolder_;
    const std::optional<QString> chosen = fileDialogs_.OpenFileName(
        QStringLiteral("Wähle eine Wortschatzdatei!"), QStringLiteral("Paradoxtabellen (*.db)"),
        folder, QStringLiteral("db"));
    if (!chosen) {
        messages_.Information(QStringLiteral("Es wurde KEINE Datei geladen!"));
        return;
    }
    // The loader names what is wrong with the file: missing, a folder, a pipe, ...
    const QFileInfo file(*chosen);
    if (file.exists())
        lastTableFolder_ = file.absolutePath();

    LoadedVocabulary loaded;
    {
        BusyCursor busy;
        loaded =
            VocabularyLoader::Load(std::filesystem::path(file.absoluteFilePath().toStdString()));
    }
    vocabulary_ = loaded.Words;
    puzzle_.SourceName = loaded.SourceName;
    UpdateCaption();
    // Without its short-word table the main words are loaded all the same.
    if (loaded.ShortWordsProblem)
        throw WabolexError(*loaded.ShortWordsProblem);
}

void TKatalog::EinstellungenClick() {
    ShowModal(eOptions_);
    const int x = eOptions_->GridWidth();
    const int y = eOptions_->GridHeight();
    if (x == ausgabe_->ColCount() && y == ausgabe_->RowCount())
        return;
    if (!messages_.Warning(QStringLiteral("Soll das aktuelle Rätsel gelöscht werden?")))
        return;
    puzzle_.SolutionWordShown = false;
    view_.ForgetOldGrid();
    puzzle_.ResizeGrid(x, y);
    ausgabe_->SetColCount(x);
    ausgabe_->SetRowCount(y);
    puzzle_.ResetGrid();
    ausgabe_->RepaintNow();
}

// "Wörter mischen": the words of each length in an order drawn from the run's
// random source, as wabolex-cli generate --vary orders them from its seed,
// always from the table's own order.
std::optional<Vocabulary> TKatalog::MixedWords() {
    if (!eOptions_->MixWords())
        return std::nullopt;
    const uint64_t seed = static_cast<uint64_t>(random_.Random(INT32_MAX)) << 32 |
                          static_cast<uint32_t>(random_.Random(INT32_MAX));
    return Variety::Shuffled(*vocabulary_, seed, &ShippedCommonWords());
}

void TKatalog::RGenerierenClick() {
    const std::optional<Vocabulary> mixed = MixedWords();
    KatalogDialogs dialogs(*this);
    Generator generator(puzzle_, mixed ? *mixed : *vocabulary_, dialogs, random_);
    // The solution word is placed here, as the run's last step, so that the clue
    // list window already shows the new clues when its search is answered.
    GenerationSettings settings = eOptions_->Settings();
    const bool withSolutionWord = settings.UseSolutionWord;
    settings.UseSolutionWord = false;
    const GenerationOutcome outcome = generator.RGenerieren(settings);
    // A run that stopped part-way has reset the clue rows; the list shows that too.
    ShowClueRows();
    if (outcome == GenerationOutcome::NotRun)
        return;
    if (withSolutionWord)
        SolutionWord::PlaceSolutionWord(puzzle_, settings.SolutionWord, random_, dialogs);
    // The solution word's marks appear with this paint.
    ausgabe_->RepaintNow();
}

void TKatalog::RStatistikClick() {
    ShowStatistics();
}

void TKatalog::ShowStatistics() {
    ShowStatistics(PuzzleStatistics::Count(puzzle_));
}

void TKatalog::ShowStatistics(const PuzzleStatistics& statistics) {
    statistikAnzeige_->Fill(statistics);
    ShowModal(statistikAnzeige_);
}

void TKatalog::LWDeleteClick() {
    if (!messages_.Confirm(QStringLiteral("Soll die aktuelle Markierung gelöscht werden?")))
        return;
    // SolutionWordShown stays set: cleared marks simply hit no cell.
    puzzle_.ClearSolutionMarks();
    ausgabe_->RepaintNow();
}

void TKatalog::neuePositionClick() {
    LWDeleteClick();
    KatalogDialogs dialogs(*this);
    SolutionWord::PlaceSolutionWord(puzzle_, puzzle_.SolutionWord, random_, dialogs);
    ausgabe_->RepaintNow();
}

void TKatalog::HinweiseClick() {
    ShowModal(regelnBox_);
}

void TKatalog::InfoClick() {
    ShowModal(infoBox_);
}

// --- Cell drawing ---------------------------------------------------------------

namespace {

const QColor Silver(0xC0, 0xC0, 0xC0);
const QColor Green(0x00, 0x80, 0x00);

// The generated letters by the words through them; a letter of no word yet (a
// proposal) keeps the colour the grid gives.
QColor GeneratedColour(CellMark mark, QColor unchanged) {
    if (mark.IsOnly(Direction::Across))
        return QColor(0xFF, 0x00, 0xFF); // fuchsia
    if (mark.IsOnly(Direction::Down))
        return QColor(0x00, 0x00, 0xFF); // blue
    if (mark.IsCrossing())
        return QColor(0x00, 0xFF, 0x00); // lime
    return unchanged;
}

} // namespace

void TKatalog::AusgabeDrawCell(QPainter& painter, int32_t aCol, int32_t aRow, const QRect& rect,
                               bool selected, bool focused) {
    // A paint must never throw; a grid that is being reshaped is drawn next time.
    if (!puzzle_.Grid.Contains(aCol, aRow))
        return;
    const TGridCell& cell = puzzle_.Grid.At(aCol, aRow);
    const QColor gridTextColour = painter.pen().color();
    ScreenCanvas canvas(painter);
    CellPainter paint(canvas, ScreenStyle());
    // rect runs from the cell's top-left pixel to the line after it.
    const QPoint corner = rect.topLeft();
    const int size = ScreenStyle().Cell;

    if (selected && focused)
        canvas.FillRect(QRect(corner, QSize(size, size)), Silver);
    if (cell.Letter == '.')
        paint.Black(corner);
    if (view_.ShowGenerated && cell.Letter != '.')
        paint.Letter(corner, cell.Letter, GeneratedColour(cell.Mark, gridTextColour));
    if (view_.Solving || view_.ShowSolution)
        paint.Number(corner, cell.ShownNumber());
    // The solver's entries may lag behind a grid that was just resized.
    if (view_.Solving && session_.SolverGrid.Contains(aCol, aRow)) {
        const char entry = session_.SolverGrid.At(aCol, aRow).Letter;
        if (entry != '.')
            paint.Letter(corner, entry, Green);
    }
    if (view_.ShowSolution && cell.Letter != '.')
        paint.Letter(corner, cell.Letter, ScreenStyle().LetterColour);

    paint.Bars(corner, cell);
    // The grid's outer left and top edge.
    canvas.SetPen(ScreenStyle().BarWidth, Qt::black);
    if (aCol == 0)
        canvas.Line(corner, corner + QPoint(0, size));
    if (aRow == 0)
        canvas.Line(corner, corner + QPoint(size, 0));

    for (const SolutionMark& mark : puzzle_.ShownMarks()) {
        if (mark.Column == aCol && mark.Row == aRow && mark.Position > 0)
            paint.Mark(corner, mark.Position);
    }
}

void TKatalog::ShowClueRows() {
    begriffsumschreibung_->Fill(puzzle_.ClueRows);
}
