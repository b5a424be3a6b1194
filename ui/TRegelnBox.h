#pragma once

#include <QDialog>

class QFrame;
class QPlainTextEdit;

// The usage notes "Nutzungshinweise": a read-only text of the steps of a session.
class TRegelnBox : public QDialog {
    Q_OBJECT

public:
    explicit TRegelnBox(QWidget* parent);

    QFrame* Panel = nullptr;
    QPlainTextEdit* MemoRegeln = nullptr;

    // The lines of the notes, in order.
    static QStringList Lines();

protected:
    void showEvent(QShowEvent* event) override;
};
