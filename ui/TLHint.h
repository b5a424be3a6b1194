#pragma once

#include <QWidget>

#include <cstdint>

class QLabel;

// The solver info window "Info für den Löser": attempts, right letters and the
// number of letter cells while the user solves on screen.
class TLHint : public QWidget {
    Q_OBJECT

public:
    explicit TLHint(QWidget* parent = nullptr);

    QLabel* LabelV = nullptr; // "Versuche n"
    QLabel* LabelR = nullptr; // "Richtig n"
    QLabel* LabelA = nullptr; // "Anzahl n"

    void ShowAttempts(int32_t attempts);
    void ShowCorrect(int32_t correct);
    void ShowLetterCount(int32_t letters);
};
