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
// click in the clue list (UListeClick) are in TKatalogSolving.cpp. The work
// itself is done elsewhere: generation in model/Generator, solving in
// model/Solver, the solution word in model/SolutionWord, loading tables in
// vocabulary/VocabularyLoader, puzzle files, export and print in files/.

#include "model/Puzzle.h"
#include "model/RandomSource.h"
#include "model/SolvingSession.h"
#include "model/ViewFlags.h"
#include "model/Vocabulary.h"

#include <QFont>
#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

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
struct PuzzleStatistics;

// The main window: owns the puzzle, the solving session and the view flags,
// shows the grid Ausgabe, carries the menu from which every command starts.
// Closing it ends the program.
class TKatalog : public QMainWindow {
    Q_OBJECT
    friend class WindowTestAccess;

public:
    // The message boxes, the file dialogs and the seed of the one random
    // generator come from outside, so that tests can script them.
    TKatalog(MessageService& messages, FileDialogService& fileDialogs, uint64_t seed,
             QWidget* parent = nullptr);
    ~TKatalog() override;

    // --- State -------------------------------------------------------------
    Puzzle& puzzle() { return puzzle_; }
    const Puzzle& puzzle() const { return puzzle_; }
    // The words of the table loaded last (none at start-up).
    const Vocabulary& vocabulary() const { return *vocabulary_; }
    SolvingSession& session() { return session_; }
    ViewFlags& view() { return view_; }
    RandomSource& random() { return random_; }
    MessageService& messages() { return messages_; }
    FileDialogService& fileDialogs() { return fileDialogs_; }

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

    // Shows a window modally and returns when it is closed. Tests replace the
    // way it is shown so that no modal loop waits for a user.
    void ShowModal(QWidget* window);
    void SetModalHook(std::function<void(QWidget*)> hook) { modalHook_ = std::move(hook); }

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

    // The error boundary: runs one command; a failure ends it with its message
    // in the error box "Fehler", and the program goes on.
    void RunCommand(const std::function<void()>& command);

    // --- Grid events -------------------------------------------------------
    // Draws one cell of Ausgabe from the current state alone.
    void AusgabeDrawCell(QPainter& canvas, int32_t aCol, int32_t aRow, const QRect& rect,
                         bool selected, bool focused);
    // A character typed on the grid, as a Windows-1252 code; set it to 0 to swallow it.
    void AusgabeKeyPress(char& key);
    void AusgabeDblClick();
    // A mouse press on the grid at a pixel position of the grid's cell area,
    // after the grid has moved its current cell for a left press.
    void AusgabeMouseDown(Qt::MouseButton button, int x, int y);
    // A click on a row of the clue list: the grid goes to that word's first
    // letter and typing follows the word's direction.
    void UListeClick();
    // Shows the clue list window with the puzzle's clue rows.
    void ShowClueList();
    // Loads a puzzle file as "&Laden" does after its dialog, with the same
    // checks; a file named on the command line comes here too.
    void LoadPuzzleFile(const QString& path);
    // Whether the settings dialog's solution-word box is checked.
    bool SolutionWordChecked() const;
    // After a puzzle file was read: size and solution word into the settings
    // (nullopt: the file holds none, the box is unchecked).
    void SetSettingsFromFile(int32_t columns, int32_t rows,
                             const std::optional<std::string>& solutionWord);

    // --- Shared steps of the commands --------------------------------------
    // Caption after a table or puzzle file was loaded: TitleText, three blanks,
    // SourceName up to its first ".".
    void UpdateCaption();
    // Computes the statistics of the current grid and shows them modally.
    void ShowStatistics();
    void ShowStatistics(const PuzzleStatistics& statistics);
    // Enables or disables the whole menu "Lösungs&wort".
    void SetSolutionWordMenuEnabled(bool enabled);

    // Window events in their handler names.
    void FormCreate();
    void FormResize();
    void FormCloseQuery(bool& canClose);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void CreateMenu();
    void CreateSecondaryWindows();
    QAction* AddCommand(QMenu* menu, const QString& caption, void (TKatalog::*handler)());

    MessageService& messages_;
    FileDialogService& fileDialogs_;
    RandomSource random_;
    std::shared_ptr<const Vocabulary> vocabulary_;
    Puzzle puzzle_;
    SolvingSession session_;
    ViewFlags view_;

    TAusgabe* ausgabe_ = nullptr;
    TEOptions* eOptions_ = nullptr;
    TBegriffsumschreibung* begriffsumschreibung_ = nullptr;
    TInfoBox* infoBox_ = nullptr;
    TRegelnBox* regelnBox_ = nullptr;
    TStatistikAnzeige* statistikAnzeige_ = nullptr;
    TLHint* lHint_ = nullptr;

    // The menu (see the table at the top).
    QMenu* MenuDatei = nullptr;
    QAction* DBLaden = nullptr;
    QAction* RExportieren = nullptr;
    QAction* LExportieren = nullptr;
    QAction* Beenden = nullptr;
    QAction* Einstellungen = nullptr; // a menu-bar entry that is itself the command
    QMenu* MenuRaetsel = nullptr;
    QAction* RGenerieren = nullptr;
    QAction* RAnzeigen = nullptr;
    QAction* RStatistik = nullptr;
    QAction* RDrucken = nullptr;
    QAction* RLaden = nullptr;
    QAction* RSpeichern = nullptr;
    QMenu* MenuLoesungswort = nullptr;
    QAction* LWDelete = nullptr;
    QAction* neuePosition = nullptr;
    QMenu* MenuLoesung = nullptr;
    QAction* LAnzeigen = nullptr;
    QAction* LDrucken = nullptr;
    QMenu* MenuHilfe = nullptr;
    QAction* Hinweise = nullptr;
    QAction* Info = nullptr;

    QString titleText_;
    std::function<void(QWidget*)> modalHook_;

    // The folder of the last vocabulary table chosen, where the next choice starts.
    QString lastTableFolder_;

    // After a generation: the new clue rows into the clue list window.
    void ShowClueRows();
    // Before a generation: the words in the order "Wörter mischen" asks for,
    // or nullopt for the table's own order.
    std::optional<Vocabulary> MixedWords();
    // The puzzle's solution word follows the settings' solution-word field.
    void TakeSolutionWord();
};
