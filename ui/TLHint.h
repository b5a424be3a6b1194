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

    void ShowAttempts(int32_t attempts);
    void ShowCorrect(int32_t correct);
    void ShowLetterCount(int32_t letters);

private:
    QLabel* attempts_ = nullptr;    // "Versuche n" (LabelV)
    QLabel* correct_ = nullptr;     // "Richtig n" (LabelR)
    QLabel* letterCount_ = nullptr; // "Anzahl n" (LabelA)
};
