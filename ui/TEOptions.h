#pragma once

#include "model/GenerationSettings.h"

#include <QDialog>

class MessageService;
class QCheckBox;
class QLineEdit;
class TSpinEdit;

// The settings dialog "Einstellungen": the editor of the one settings value
// the session holds. Every change of a control is reported at once, and what
// the controls hold is in force; there is no OK button. The tests find the
// controls by their object names:
//   SpinEditX    "Spaltenanzahl", 5..99
//   SpinEditY    "Zeilenanzahl", 5..99
//   SpinEditE    "Durchläufe", 2..20, its lowest value moving with the size
//   CheckBoxKWD  "Kurzwortdatei benutzen"
//   CheckBoxEW   "Einfügewort anzeigen"
//   CheckBoxLW   "Lösungswort "
//   EditLW       the solution word, at most 20 characters
//   CheckBoxWM   "Wörter mischen", under the others, unchecked
class TEOptions : public QDialog {
    Q_OBJECT

public:
    // The dialog shows its own box when it may not close (no solution word).
    TEOptions(MessageService& messages, QWidget* parent);

    // Sets the controls, width before height, each change running its handler
    // as a user's would.
    void SetValue(const GenerationSettings& settings);
    // What the controls hold.
    GenerationSettings Value() const;

    // Outer window heights with and without the solution-word field.
    static constexpr int kHeightWithWord = 290;
    static constexpr int kHeightWithoutWord = 250;
    // The part of the outer height taken by the title bar and the border.
    static constexpr int kFrameHeight = 34;
    static constexpr int kClientWidth = 235;
    // The row of "Wörter mischen" under the others adds to both heights.
    static constexpr int kMixRowHeight = 37;

public slots:
    // Every way of closing (close box, Escape, Enter in the field) comes here.
    void reject() override;

signals:
    // A control changed, by the user or by program: the value is in force.
    void Changed();
    // "Lösungswort " was checked or cleared: the menu "Lösungs&wort" follows it.
    void SolutionWordChecked(bool checked);

private slots:
    void SpinEditXChange();
    void SpinEditYChange();
    void SpinEditEChange();
    void CheckBoxLWClick();
    void EditLWKeyPress();

private:
    void FormCloseQuery(bool& canClose);
    // The dialog's height and the place of the last row for the solution-word box's state.
    void FitHeight();

    MessageService& messages_;
    TSpinEdit* columns_ = nullptr;
    TSpinEdit* rows_ = nullptr;
    TSpinEdit* passes_ = nullptr;
    QCheckBox* useShortWords_ = nullptr;
    QCheckBox* showInsertions_ = nullptr;
    QCheckBox* useSolutionWord_ = nullptr;
    QLineEdit* solutionWord_ = nullptr;
    QCheckBox* mixWords_ = nullptr;
};
