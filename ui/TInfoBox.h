#pragma once

#include "ui/WindowPlacement.h"

class QLabel;

// The about window "Über das Programm": the product's title and a note of the
// year it was written, on a lime panel.
class TInfoBox : public CenteredDialog {
    Q_OBJECT

public:
    explicit TInfoBox(QWidget* parent);

private:
    QLabel* title_ = nullptr;
};
