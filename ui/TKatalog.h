#pragma once

// The main window's commands, from the menu to the code:
//
//   menu text                action         handler              file
//   "&Datei"
//     "Ö&ffnen"              DBLaden        DBLadenClick         TKatalog.cpp
//     "&Rätsel exportieren"  RExportieren   RExportierenClick    TKatalogFiles.cpp
//     "Lösung exportieren"   LExportieren   LExportierenClick    TKatalogFiles.cpp
//     "&Beenden"             Beenden        BeendenClick         TKatalog.cpp
//   "&Einstellungen"         Einstellungen  EinstellungenClick   TKatalog.cpp
//   "&Rätsel"
//     "&Generieren"          RGenerieren    RGenerierenClick     TKatalog.cpp
//     "&Lösen"               RAnzeigen      RAnzeigenClick       TKatalogSolving.cpp
//     "S&tatistik"           RStatistik     RStatistikClick      TKatalog.cpp
//     "&Drucken"             RDrucken       RDruckenClick        TKatalogFiles.cpp
//     "&Laden"               RLaden         RLadenClick          TKatalogFiles.cpp
//     "&Speichern"           RSpeichern     RSpeichernClick      TKatalogFiles.cpp
//   "Lösungs&wort"
//     "&löschen"             LWDelete       LWDeleteClick        TKatalog.cpp
//     "neue Position"        neuePosition   neuePositionClick    TKatalog.cpp
//   "&Lösung"
//     "&Anzeigen"            LAnzeigen      LAnzeigenClick       TKatalogSolving.cpp
//     "&Drucken"             LDrucken       LDruckenClick        TKatalogFiles.cpp
//   "&Hilfe"
//     "&Hinweise"            Hinweise       HinweiseClick        TKatalog.cpp
//     "&Info"                Info           InfoClick            TKatalog.cpp
//
// The grid Ausgabe is drawn by AusgabeDrawCell (TKatalog.cpp); typing, peeking
// and pressing on it (AusgabeKeyPress, AusgabeDblClick, AusgabeMouseDown) and a
// click in the clue list (UListeClick) are in TKatalogSolving.cpp. The window
// asks, shows and wires; the state and the commands' work are the Session's
// (session/Session.h), which words nothing and draws nothing. The work itself
// is done below it: generation in model/Generator, solving in model/Solver, the
// solution word in model/SolutionWord, loading tables in vocabulary/, puzzle
// files, export and print in files/. The texts of the outcomes are in
// session/Messages.
//
// The menu's actions carry the names in the table as object names, so that
// tests and the screenshot tool find and trigger them as a user would.

#include "session/Session.h"

#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <functional>
#include <string>

class FileDialogService;
class MessageService;
class QAction;
class QMenu;
class QPainter;
class TAusgabe;
class TBegriffsumschreibung;
class TEOptions;
class TInfoBox;
class TLHint;
class TRegelnBox;
class TStatistikAnzeige;
enum class OutputVariant;

// The main window: shows the grid Ausgabe, carries the menu from which every
// command starts and owns the secondary windows; its session holds the puzzle
// and the settings. Closing it ends the program.
class TKatalog : public QMainWindow {
    Q_OBJECT

public:
    // The message boxes, the file dialogs and the seed of the one random
    // generator come from outside, so that tests can script them.
    TKatalog(MessageService& messages, FileDialogService& fileDialogs, uint64_t seed,
             QWidget* parent = nullptr);
    ~TKatalog() override;

    // The state and the commands behind the window.
    const Session& session() const { return session_; }
    // "Wabolex <year>", the base of the caption.
    const QString& TitleText() const { return titleText_; }

    // --- Windows -----------------------------------------------------------
    TAusgabe* Ausgabe() const { return ausgabe_; }
    TEOptions* EOptions() const { return eOptions_; }
    TBegriffsumschreibung* Begriffsumschreibung() const { return begriffsumschreibung_; }
    TInfoBox* InfoBox() const { return infoBox_; }
    TRegelnBox* RegelnBox() const { return regelnBox_; }
    TStatistikAnzeige* StatistikAnzeige() const { return statistikAnzeige_; }
    TLHint* LHint() const { return lHint_; }

    // Modal windows are shown through this hook when it is set, so that tests
    // and the screenshot tool need no user to close them.
    void SetModalHook(std::function<void(QWidget*)> hook) { modalHook_ = std::move(hook); }

    // Loads a puzzle file as "&Laden" does after its dialog, inside the error
    // boundary; a file named on the command line comes here.
    void OpenPuzzleFile(const QString& path);
    // Puts a puzzle made elsewhere in place, shown as given (tests, screenshots).
    void ShowPuzzle(const Puzzle& puzzle, const ViewFlags& view);

    // The error boundary: runs one command; a failure ends it with its message
    // in the error box "Fehler", and the program goes on.
    void RunCommand(const std::function<void()>& command);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private slots:
    // --- Commands (each runs inside RunCommand when chosen from the menu) ---
    void DBLadenClick();
    void RExportierenClick();
    void LExportierenClick();
    void BeendenClick();
    void EinstellungenClick();
    void RGenerierenClick();
    void RAnzeigenClick();
    void RStatistikClick();
    void RDruckenClick();
    void RLadenClick();
    void RSpeichernClick();
    void LWDeleteClick();
    void neuePositionClick();
    void LAnzeigenClick();
    void LDruckenClick();
    void HinweiseClick();
    void InfoClick();
    // --- Grid and clue list events ------------------------------------------
    void AusgabeDblClick();
    void UListeClick();

private:
    void CreateMenu();
    void CreateSecondaryWindows();
    QAction* AddCommand(QMenu* menu, const QString& caption, const char* name,
                        void (TKatalog::*handler)());

    // Window events in their handler names.
    void FormCreate();
    void FormResize();
    void FormCloseQuery(bool& canClose);

    // Draws one cell of Ausgabe from the current state alone.
    void AusgabeDrawCell(QPainter& canvas, int32_t aCol, int32_t aRow, const QRect& rect,
                         bool selected, bool focused);
    // A character typed on the grid, as a Windows-1252 code; set to 0 to swallow it.
    void AusgabeKeyPress(char& key);
    // A mouse press on the grid at a pixel position of the grid's cell area,
    // after the grid has moved its current cell for a left press.
    void AusgabeMouseDown(Qt::MouseButton button, int x, int y);

    // --- Shared steps of the commands --------------------------------------
    // Shows a window modally and returns when it is closed.
    void ShowModal(QWidget* window);
    // Caption after a table or puzzle file was loaded: TitleText, three blanks,
    // the source name up to its first ".".
    void UpdateCaption();
    void ShowStatistics(const PuzzleStatistics& statistics);
    // The grid takes the puzzle's size.
    void FitGrid();
    // The settings dialog shows the session's settings, and what it then
    // holds is in force.
    void ShowSettings();
    // The settings' solution word into the grid; a letter without a cell is
    // reported with the retry box.
    void PlaceSolutionWord();
    // What "&Lösen" shows: the solver's info window, the grid, the clue list.
    void ShowSolving();
    // Shows the clue list window with the puzzle's clue rows.
    void ShowClueList();
    // Export and print of the puzzle or its solution.
    void ExportAs(OutputVariant variant);
    void PrintAs(OutputVariant variant);
    void SaveAsPdf(const std::string& caption, OutputVariant variant);

    MessageService& messages_;
    FileDialogService& fileDialogs_;
    Session session_;

    TAusgabe* ausgabe_ = nullptr;
    TEOptions* eOptions_ = nullptr;
    TBegriffsumschreibung* begriffsumschreibung_ = nullptr;
    TInfoBox* infoBox_ = nullptr;
    TRegelnBox* regelnBox_ = nullptr;
    TStatistikAnzeige* statistikAnzeige_ = nullptr;
    TLHint* lHint_ = nullptr;

    QString titleText_;
    std::function<void(QWidget*)> modalHook_;
    // The menu "Lösungs&wort", enabled while the settings ask for a solution word.
    QMenu* MenuLoesungswort = nullptr;

    // The folder of the last vocabulary table chosen, where the next choice starts.
    QString lastTableFolder_;
};
