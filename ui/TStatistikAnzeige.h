#pragma once

#include "ui/WindowPlacement.h"

class QLabel;
struct PuzzleStatistics;

// The statistics window "Statistik": a few counts of the current grid, so that
// the user can judge the pattern. It keeps the last values between displays.
class TStatistikAnzeige : public CenteredDialog {
    Q_OBJECT

public:
    explicit TStatistikAnzeige(QWidget* parent);

    // Writes the counts into the value labels.
    void Fill(const PuzzleStatistics& statistics);

private:
    // The value column, one label a count (LabelZE2, LabelSP2, ... in that order).
    QLabel* rows_ = nullptr;
    QLabel* columns_ = nullptr;
    QLabel* crossings_ = nullptr;
    QLabel* crossingsPercent_ = nullptr;
    QLabel* blackCells_ = nullptr;
    QLabel* acrossWords_ = nullptr;
    QLabel* downWords_ = nullptr;
};
