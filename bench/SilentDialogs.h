#pragma once

#include "model/UserDialogs.h"

#include <string>

// A generation run that asks nothing and reports nothing, for measuring.
class SilentDialogs : public UserDialogs {
public:
    bool ConfirmStartWord(const std::string&) override { return true; }
    Answer ConfirmPlacement(const std::string&, int, int) override { return Answer::Yes; }
    void Repaint() override {}
    void SetBusy(bool) override {}
    void ShowError(const std::string&) override {}
    void ShowRetryError(const std::string&) override {}
    void ShowStatistics(const PuzzleStatistics&) override {}
};
