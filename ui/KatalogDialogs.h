#pragma once

#include "model/UserDialogs.h"
#include "ui/BusyCursor.h"

#include <optional>

class TKatalog;

// The user's part of a generation or a solution-word placement, answered with
// the main window's message boxes, its grid and its statistics window.
class KatalogDialogs : public UserDialogs {
public:
    explicit KatalogDialogs(TKatalog& katalog) : katalog_(katalog) {}

    bool ConfirmStartWord(const std::string& text) override;
    Answer ConfirmPlacement(const std::string& text, int column, int row) override;
    void BeginNewPuzzle() override;
    void Repaint() override;
    void SetBusy(bool busy) override;
    void ShowError(const std::string& text) override;
    void ShowRetryError(const std::string& text) override;
    void ShowStatistics(const PuzzleStatistics& statistics) override;

private:
    TKatalog& katalog_;
    // Gone with the dialogs, so that a command ending by an error leaves no busy cursor.
    std::optional<BusyCursor> busy_;
};
