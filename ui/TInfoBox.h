#pragma once

#include <QDialog>

class QFrame;
class QLabel;

// The about window "Über das Programm".
class TInfoBox : public QDialog {
    Q_OBJECT

public:
    explicit TInfoBox(QWidget* parent);

    QFrame* Panel = nullptr;
    QLabel* LabelTitel = nullptr;
    QLabel* LabelNotiz = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};
