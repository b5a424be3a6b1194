#pragma once

#include <QDialog>

class QLabel;
struct PuzzleStatistics;

// The statistics window "Statistik": a few counts of the current grid, so that
// the user can judge the pattern. It keeps the last values between displays.
class TStatistikAnzeige : public QDialog {
    Q_OBJECT

public:
    explicit TStatistikAnzeige(QWidget* parent);

    QLabel* LabelTitle = nullptr;
    QLabel* LabelZE2 = nullptr; // rows
    QLabel* LabelSP2 = nullptr; // columns
    QLabel* LabelUE2 = nullptr; // crossings
    QLabel* LabelPR2 = nullptr; // crossings in percent
    QLabel* LabelSF2 = nullptr; // black cells
    QLabel* LabelWW2 = nullptr; // across words
    QLabel* LabelSW2 = nullptr; // down words

    // Writes the counts into the value labels.
    void Fill(const PuzzleStatistics& statistics);

protected:
    void showEvent(QShowEvent* event) override;
};
