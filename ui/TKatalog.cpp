#include "ui/TKatalog.h"

#include "base/WabolexError.h"
#include "files/CellPainter.h"
#include "files/Cp1252Qt.h"
#include "model/PuzzleStatistics.h"
#include "session/Messages.h"
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
    : QMainWindow(parent), messages_(messages), fileDialogs_(fileDialogs), session_(seed) {
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
    // The session starts with no words, a 15 x 15 grid of empty cells without
    // bars and no view; its random source was seeded when it was made.
    FitGrid();
}

void TKatalog::CreateSecondaryWindows() {
    // Hidden, in this order; each lives until the main window goes.
    eOptions_ = new TEOptions(messages_, this);
    begriffsumschreibung_ = new TBegriffsumschreibung(this);
    infoBox_ = new TInfoBox(this);
    regelnBox_ = new TRegelnBox(this);
    statistikAnzeige_ = new TStatistikAnzeige(this);
    lHint_ = new TLHint(this);
    lHint_->setObjectName(QStringLiteral("LHint"));
    begriffsumschreibung_->setObjectName(QStringLiteral("Begriffsumschreibung"));

    // The dialog edits the session's settings; what it holds is in force.
    connect(eOptions_, &TEOptions::Changed, this,
            [this] { session_.SetSettings(eOptions_->Value()); });
    connect(eOptions_, &TEOptions::SolutionWordChecked, MenuLoesungswort, &QMenu::setEnabled);
    // A click in the clue list acts on the grid, inside the error boundary.
    connect(begriffsumschreibung_, &TBegriffsumschreibung::RowClicked, this,
            [this] { RunCommand([this] { UListeClick(); }); });
    ShowSettings();
}

QAction* TKatalog::AddCommand(QMenu* menu, const QString& caption, const char* name,
                              void (TKatalog::*handler)()) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(QString::fromLatin1(name));
    connect(action, &QAction::triggered, this,
            [this, handler] { RunCommand([this, handler] { (this->*handler)(); }); });
    return action;
}

void TKatalog::CreateMenu() {
    QMenuBar* bar = menuBar();

    QMenu* datei = bar->addMenu(QStringLiteral("&Datei"));
    datei->setObjectName(QStringLiteral("MenuDatei"));
    AddCommand(datei, QStringLiteral("Ö&ffnen"), "DBLaden", &TKatalog::DBLadenClick);
    AddCommand(datei, QStringLiteral("&Rätsel exportieren"), "RExportieren",
               &TKatalog::RExportierenClick);
    AddCommand(datei, QStringLiteral("Lösung exportieren"), "LExportieren",
               &TKatalog::LExportierenClick);
    datei->addSeparator();
    AddCommand(datei, QStringLiteral("&Beenden"), "Beenden", &TKatalog::BeendenClick);

    // A menu-bar entry without items that is itself the command.
    QAction* einstellungen = bar->addAction(QStringLiteral("&Einstellungen"));
    einstellungen->setObjectName(QStringLiteral("Einstellungen"));
    connect(einstellungen, &QAction::triggered, this,
            [this] { RunCommand([this] { EinstellungenClick(); }); });

    QMenu* raetsel = bar->addMenu(QStringLiteral("&Rätsel"));
    raetsel->setObjectName(QStringLiteral("MenuRaetsel"));
    AddCommand(raetsel, QStringLiteral("&Generieren"), "RGenerieren", &TKatalog::RGenerierenClick);
    AddCommand(raetsel, QStringLiteral("&Lösen"), "RAnzeigen", &TKatalog::RAnzeigenClick);
    AddCommand(raetsel, QStringLiteral("S&tatistik"), "RStatistik", &TKatalog::RStatistikClick);
    raetsel->addSeparator();
    AddCommand(raetsel, QStringLiteral("&Drucken"), "RDrucken", &TKatalog::RDruckenClick);
    AddCommand(raetsel, QStringLiteral("&Laden"), "RLaden", &TKatalog::RLadenClick);
    AddCommand(raetsel, QStringLiteral("&Speichern"), "RSpeichern", &TKatalog::RSpeichernClick);

    MenuLoesungswort = bar->addMenu(QStringLiteral("Lösungs&wort"));
    MenuLoesungswort->setObjectName(QStringLiteral("MenuLoesungswort"));
    AddCommand(MenuLoesungswort, QStringLiteral("&löschen"), "LWDelete", &TKatalog::LWDeleteClick);
    AddCommand(MenuLoesungswort, QStringLiteral("neue Position"), "neuePosition",
               &TKatalog::neuePositionClick);

    QMenu* loesung = bar->addMenu(QStringLiteral("&Lösung"));
    loesung->setObjectName(QStringLiteral("MenuLoesung"));
    AddCommand(loesung, QStringLiteral("&Anzeigen"), "LAnzeigen", &TKatalog::LAnzeigenClick);
    AddCommand(loesung, QStringLiteral("&Drucken"), "LDrucken", &TKatalog::LDruckenClick);

    QMenu* hilfe = bar->addMenu(QStringLiteral("&Hilfe"));
    hilfe->setObjectName(QStringLiteral("MenuHilfe"));
    AddCommand(hilfe, QStringLiteral("&Hinweise"), "Hinweise", &TKatalog::HinweiseClick);
    hilfe->addSeparator();
    AddCommand(hilfe, QStringLiteral("&Info"), "Info", &TKatalog::InfoClick);
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

// --- Shared steps -----------------------------------------------------------------

void TKatalog::UpdateCaption() {
    const QString source = Cp1252::ToQString(session_.SourceName());
    const qsizetype dot = source.indexOf('.');
    setWindowTitle(titleText_ + QStringLiteral("   ") + (dot < 0 ? QString() : source.left(dot)));
}

void TKatalog::FitGrid() {
    ausgabe_->SetColCount(session_.CurrentPuzzle().Columns);
    ausgabe_->SetRowCount(session_.CurrentPuzzle().Rows);
}

void TKatalog::ShowSettings() {
    // A copy: each control reports its change to the session while the others
    // still show the old values.
    const GenerationSettings settings = session_.Settings();
    eOptions_->SetValue(settings);
    MenuLoesungswort->setEnabled(settings.UseSolutionWord);
    // The field may hold the word in another form than the session (a byte
    // the code page leaves undefined); what the field shows is in force.
    session_.SetSettings(eOptions_->Value());
}

void TKatalog::ShowStatistics(const PuzzleStatistics& statistics) {
    statistikAnzeige_->Fill(statistics);
    ShowModal(statistikAnzeige_);
}

void TKatalog::ShowPuzzle(const Puzzle& puzzle, const ViewFlags& view) {
    session_.ShowPuzzle(puzzle, view);
    FitGrid();
    ausgabe_->RepaintNow();
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

    std::optional<std::string> shortWordsProblem;
    {
        const BusyCursor busy;
        shortWordsProblem = session_.LoadTable(
            std::filesystem::path(QFile::encodeName(file.absoluteFilePath()).toStdString()));
    }
    UpdateCaption();
    // Without its short-word table the main words are loaded all the same.
    if (shortWordsProblem)
        messages_.Error(Cp1252::ToQString(*shortWordsProblem));
}

void TKatalog::EinstellungenClick() {
    ShowModal(eOptions_);
    if (!session_.SizeChangeAsked())
        return;
    if (!messages_.Warning(QStringLiteral("Soll das aktuelle Rätsel gelöscht werden?")))
        return;
    session_.ApplySize();
    FitGrid();
    ausgabe_->RepaintNow();
}

void TKatalog::RGenerierenClick() {
    KatalogDialogs dialogs(messages_, *ausgabe_, [this](const PuzzleStatistics& statistics) {
        ShowStatistics(statistics);
    });
    const GenerationOutcome outcome = session_.Generate(dialogs);
    // A run that stopped part-way has reset the clue rows; the list shows that too.
    begriffsumschreibung_->Fill(session_.CurrentPuzzle().ClueRows);
    if (const std::optional<std::string> refusal = Messages::OfGeneration(outcome)) {
        messages_.Error(Cp1252::ToQString(*refusal));
        return;
    }
    // The solution word is the run's last step, when the clue list already
    // shows the new clues.
    if (session_.Settings().UseSolutionWord)
        PlaceSolutionWord();
    // The solution word's marks appear with this paint.
    ausgabe_->RepaintNow();
}

void TKatalog::PlaceSolutionWord() {
    if (session_.PlaceSolutionWord() == SolutionWord::Outcome::NotFound) {
        messages_.RetryError(Cp1252::ToQString(Messages::SolutionWordNotFound(
            SolutionWord::Searched(session_.Settings().SolutionWord))));
    }
}

void TKatalog::RStatistikClick() {
    ShowStatistics(session_.Statistics());
}

void TKatalog::LWDeleteClick() {
    if (!messages_.Confirm(QStringLiteral("Soll die aktuelle Markierung gelöscht werden?")))
        return;
    // The solution word stays shown: cleared marks simply hit no cell.
    session_.ClearSolutionMarks();
    ausgabe_->RepaintNow();
}

void TKatalog::neuePositionClick() {
    LWDeleteClick();
    PlaceSolutionWord();
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
    const Puzzle& puzzle = session_.CurrentPuzzle();
    const ViewFlags& view = session_.View();
    // A paint must never throw; a grid that is being reshaped is drawn next time.
    if (!puzzle.Grid.Contains(aCol, aRow))
        return;
    const TGridCell& cell = puzzle.Grid.At(aCol, aRow);
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
    if (view.ShowGenerated && cell.Letter != '.')
        paint.Letter(corner, cell.Letter, GeneratedColour(cell.Mark, gridTextColour));
    if (view.Solving || view.ShowSolution)
        paint.Number(corner, cell.ShownNumber());
    // The solver's entries may lag behind a grid that was just resized.
    const TFeld& entries = session_.Solving().SolverGrid;
    if (view.Solving && entries.Contains(aCol, aRow)) {
        const char entry = entries.At(aCol, aRow).Letter;
        if (entry != '.')
            paint.Letter(corner, entry, Green);
    }
    if (view.ShowSolution && cell.Letter != '.')
        paint.Letter(corner, cell.Letter, ScreenStyle().LetterColour);

    paint.Bars(corner, cell);
    // The grid's outer left and top edge.
    canvas.SetPen(ScreenStyle().BarWidth, Qt::black);
    if (aCol == 0)
        canvas.Line(corner, corner + QPoint(0, size));
    if (aRow == 0)
        canvas.Line(corner, corner + QPoint(size, 0));

    for (const SolutionMark& mark : puzzle.ShownMarks()) {
        if (mark.Column == aCol && mark.Row == aRow && mark.Position > 0)
            paint.Mark(corner, mark.Position);
    }
}
