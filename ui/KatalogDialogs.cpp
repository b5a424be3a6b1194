#include "ui/KatalogDialogs.h"

#include "files/Cp1252Qt.h"
#include "session/Messages.h"
#include "ui/MessageService.h"
#include "ui/TAusgabe.h"

bool KatalogDialogs::ConfirmStartWord(Direction direction, const VocabularyEntry& entry) {
    return messages_.StartWord(Cp1252::ToQString(Messages::StartWordQuestion(direction, entry)));
}

UserDialogs::Answer KatalogDialogs::ConfirmPlacement(Direction direction, std::string_view word,
                                                     int column, int row) {
    // The proposed letters are in the grid; the cell after the word is selected
    // so that the user sees where the word ends.
    grid_.RepaintNow();
    grid_.SetCurrentCell(column, row);
    switch (messages_.Satisfied(Cp1252::ToQString(Messages::PlacementQuestion(direction, word)))) {
    case MessageService::Answer::Yes:
        return Answer::Yes;
    case MessageService::Answer::No:
        return Answer::No;
    case MessageService::Answer::Cancel:
        return Answer::Cancel;
    }
    return Answer::Cancel;
}

void KatalogDialogs::Repaint() {
    grid_.RepaintNow();
}

void KatalogDialogs::SetBusy(bool busy) {
    if (!busy)
        busy_.reset();
    else if (!busy_)
        busy_.emplace();
}

void KatalogDialogs::ShowStatistics(const PuzzleStatistics& statistics) {
    showStatistics_(statistics);
}
