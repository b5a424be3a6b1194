#pragma once

#include "ui/WindowPlacement.h"

#include <QStringList>

class QPlainTextEdit;

// The usage notes "Nutzungshinweise": the steps of a session as a read-only text.
class TRegelnBox : public CenteredDialog {
    Q_OBJECT

public:
    explicit TRegelnBox(QWidget* parent);

    // The lines of the notes, in order.
    static QStringList Lines();

private:
    QPlainTextEdit* notes_ = nullptr; // "MemoRegeln"
};
