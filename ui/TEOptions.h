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
class TEOptions : public QDialog {
    Q_OBJECT

public:
    explicit TEOptions(TKatalog* katalog);

    QLabel* LabelX = nullptr;
    QLabel* LabelY = nullptr;
    QLabel* LabelD = nullptr;
    TSpinEdit* SpinEditX = nullptr; // columns, 5..99
    TSpinEdit* SpinEditY = nullptr; // rows, 5..99
    TSpinEdit* SpinEditE = nullptr; // "Durchläufe", 2..20 with a moving minimum
    QCheckBox* CheckBoxKWD = nullptr;
    QCheckBox* CheckBoxEW = nullptr;
    QCheckBox* CheckBoxLW = nullptr;
    QLineEdit* EditLW = nullptr;

    // --- What the commands read and set ----------------------------------
    int GridWidth() const;
    int GridHeight() const;
    // Width first, then height; each change runs its handler.
    void SetGridSize(int width, int height);
    int Passes() const;
    bool UseShortWords() const;
    bool ShowInsertions() const;
    bool IsSolutionWordChecked() const;
    // Setting the check box runs CheckBoxLWClick (height, menu, field).
    void SetSolutionWordChecked(bool checked);
    QString SolutionWord() const;
    std::string SolutionWordCp1252() const;
    void SetSolutionWord(const QString& word);
    GenerationSettings Settings() const;

    // Outer window heights with and without the solution-word field.
    static constexpr int kHeightWithWord = 290;
    static constexpr int kHeightWithoutWord = 250;
    // The part of the outer height taken by the title bar and the border.
    static constexpr int kFrameHeight = 34;
    static constexpr int kClientWidth = 235;

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
};
