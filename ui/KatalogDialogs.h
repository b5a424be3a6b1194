#pragma once

#include "model/UserDialogs.h"
#include "ui/BusyCursor.h"

#include <functional>
#include <optional>

class MessageService;
class TAusgabe;

// The user's part of a generation, answered with the main window's message
// boxes, its grid and its statistics window.
class KatalogDialogs : public UserDialogs {
public:
    KatalogDialogs(MessageService& messages, TAusgabe& grid,
                   std::function<void(const PuzzleStatistics&)> showStatistics)
        : messages_(messages), grid_(grid), showStatistics_(std::move(showStatistics)) {}

    bool ConfirmStartWord(Direction direction, const VocabularyEntry& entry) override;
    Answer ConfirmPlacement(Direction direction, std::string_view word, int column,
                            int row) override;
    void Repaint() override;
    void SetBusy(bool busy) override;
    void ShowStatistics(const PuzzleStatistics& statistics) override;

private:
    MessageService& messages_;
    TAusgabe& grid_;
    std::function<void(const PuzzleStatistics&)> showStatistics_;
    // Gone with the dialogs, so that a command ending by an error leaves no busy cursor.
    std::optional<BusyCursor> busy_;
};
