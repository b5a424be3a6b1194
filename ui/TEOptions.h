#pragma once

#include "model/GenerationSettings.h"

#include <QDialog>
#include <QString>
#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class TKatalog;
class TSpinEdit;

// The settings dialog "Einstellungen". It holds every setting of a run; the
// commands read its controls at the moment they need them. There is no OK
// button: whatever the controls hold when it closes is in force.
//
// Its controls, with the names their handlers carry:
//   columns_         SpinEditX    "Spaltenanzahl", 5..99
//   rows_            SpinEditY    "Zeilenanzahl", 5..99
//   passes_          SpinEditE    "Durchläufe", 2..20, its lowest value moving with the size
//   useShortWords_   CheckBoxKWD  "Kurzwortdatei benutzen"
//   showInsertions_  CheckBoxEW   "Einfügewort anzeigen"
//   useSolutionWord_ CheckBoxLW   "Lösungswort "
//   solutionWord_    EditLW       the solution word, at most 20 characters
//   mixWords_        CheckBoxWM   "Wörter mischen", under the others, unchecked
class TEOptions : public QDialog {
    Q_OBJECT
    friend class WindowTestAccess;

public:
    explicit TEOptions(TKatalog* katalog);

    // --- What the commands read and set ----------------------------------
    int GridWidth() const;
    int GridHeight() const;
    // Width first, then height; each change runs its handler.
    void SetGridSize(int width, int height);
    int Passes() const;
    bool UseShortWords() const;
    bool ShowInsertions() const;
    void SetShowInsertions(bool show);
    bool IsSolutionWordChecked() const;
    // Setting the check box runs CheckBoxLWClick (height, menu, field).
    void SetSolutionWordChecked(bool checked);
    QString SolutionWord() const;
    std::string SolutionWordCp1252() const;
    void SetSolutionWord(const QString& word);
    GenerationSettings Settings() const;
    // "Wörter mischen": each generation takes the words in a drawn order.
    bool MixWords() const;
    void SetMixWords(bool mix);

    // Outer window heights with and without the solution-word field.
    static constexpr int kHeightWithWord = 290;
    static constexpr int kHeightWithoutWord = 250;
    // The part of the outer height taken by the title bar and the border.
    static constexpr int kFrameHeight = 34;
    static constexpr int kClientWidth = 235;
    // The row of "Wörter mischen" under the others adds to both heights.
    static constexpr int kMixRowHeight = 37;

    // --- Handlers ----------------------------------------------------------
    void SpinEditXChange();
    void SpinEditYChange();
    void SpinEditEChange();
    void CheckBoxLWClick();
    void EditLWKeyPress();
    void FormCloseQuery(bool& canClose);

public slots:
    // Every way of closing (close box, Escape, Enter in the field) comes here.
    void reject() override;

signals:
    // The text of the solution-word field changed, by typing or by program.
    void SolutionWordChanged();

private:
    TKatalog* katalog_;
    QLabel* columnsLabel_ = nullptr;
    QLabel* rowsLabel_ = nullptr;
    QLabel* passesLabel_ = nullptr;
    TSpinEdit* columns_ = nullptr;
    TSpinEdit* rows_ = nullptr;
    TSpinEdit* passes_ = nullptr;
    QCheckBox* useShortWords_ = nullptr;
    QCheckBox* showInsertions_ = nullptr;
    QCheckBox* useSolutionWord_ = nullptr;
    QLineEdit* solutionWord_ = nullptr;
    QCheckBox* mixWords_ = nullptr;

    // The dialog's height and the place of the last row for the solution-word box's state.
    void FitHeight();
};
