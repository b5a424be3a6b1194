#include "ui/KatalogDialogs.h"

#include "files/Cp1252Qt.h"
#include "ui/MessageService.h"
#include "ui/TAusgabe.h"
#include "ui/TKatalog.h"

bool KatalogDialogs::ConfirmStartWord(const std::string& text) {
    return katalog_.messages().StartWord(Cp1252::ToQString(text));
}

UserDialogs::Answer KatalogDialogs::ConfirmPlacement(const std::string& text, int column, int row) {
    // The proposed letters are in the grid; the cell after the word is selected
    // so that the user sees where the word ends.
    katalog_.Ausgabe()->RepaintNow();
    katalog_.Ausgabe()->SetCurrentCell(column, row);
    switch (katalog_.messages().Satisfied(Cp1252::ToQString(text))) {
    case MessageService::Answer::Yes:
        return Answer::Yes;
    case MessageService::Answer::No:
        return Answer::No;
    case MessageService::Answer::Cancel:
        return Answer::Cancel;
    }
    return Answer::Cancel;
}

void KatalogDialogs::BeginNewPuzzle() {
    katalog_.view().ShowNewPuzzle();
}

void KatalogDialogs::Repaint() {
    katalog_.Ausgabe()->RepaintNow();
}

void KatalogDialogs::SetBusy(bool busy) {
    if (!busy)
        busy_.reset();
    else if (!busy_)
        busy_.emplace();
}

void KatalogDialogs::ShowError(const std::string& text) {
    katalog_.messages().Error(Cp1252::ToQString(text));
}

void KatalogDialogs::ShowRetryError(const std::string& text) {
    katalog_.messages().RetryError(Cp1252::ToQString(text));
}

void KatalogDialogs::ShowStatistics(const PuzzleStatistics& statistics) {
    katalog_.ShowStatistics(statistics);
}
