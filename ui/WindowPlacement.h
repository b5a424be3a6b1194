#pragma once

#include <QDialog>

class QColor;
class QSize;
class QString;

// Places a window in the middle of the screen it is on (or of the primary screen).
void CenterOnScreen(QWidget* window);

// A dialog of fixed client size in one background colour, with the system menu
// and its close box only, centred on the screen whenever it is shown.
class CenteredDialog : public QDialog {
    Q_OBJECT

public:
    CenteredDialog(QWidget* parent, const QString& objectName, const QString& caption,
                   QSize clientSize, QColor background);

protected:
    void showEvent(QShowEvent* event) override;
};
