#pragma once

// The tests' way to the controls of the windows: each control carries the name
// its handlers are known by as its object name, and the functions below find
// them there, as a user finds them by their captions. No window names a test.

#include "ui/TBegriffsumschreibung.h"
#include "ui/TEOptions.h"
#include "ui/TInfoBox.h"
#include "ui/TKatalog.h"
#include "ui/TLHint.h"
#include "ui/TRegelnBox.h"
#include "ui/TSpinEdit.h"
#include "ui/TStatistikAnzeige.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTableWidget>

#include <gtest/gtest.h>

// The one child of this type and name; a test fails at once without it.
template <typename T> T* Named(const QObject* parent, const char* name) {
    T* found = parent->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(found, nullptr) << "no " << name;
    return found;
}

// The main window's menu, by the actions' names (see ui/TKatalog.h).
struct KatalogMenu {
    QAction* DBLaden;
    QAction* RExportieren;
    QAction* LExportieren;
    QAction* Beenden;
    QAction* Einstellungen;
    QAction* RGenerieren;
    QAction* RAnzeigen;
    QAction* RStatistik;
    QAction* RDrucken;
    QAction* RLaden;
    QAction* RSpeichern;
    QMenu* MenuLoesungswort;
    QAction* LWDelete;
    QAction* neuePosition;
    QAction* LAnzeigen;
    QAction* LDrucken;
    QAction* Hinweise;
    QAction* Info;
};

inline KatalogMenu Menu(const TKatalog& k) {
    const auto action = [&k](const char* name) { return Named<QAction>(&k, name); };
    return {action("DBLaden"),   action("RExportieren"),  action("LExportieren"),
            action("Beenden"),   action("Einstellungen"), action("RGenerieren"),
            action("RAnzeigen"), action("RStatistik"),    action("RDrucken"),
            action("RLaden"),    action("RSpeichern"),    Named<QMenu>(&k, "MenuLoesungswort"),
            action("LWDelete"),  action("neuePosition"),  action("LAnzeigen"),
            action("LDrucken"),  action("Hinweise"),      action("Info")};
}

struct SettingsControls {
    TSpinEdit* Columns;
    TSpinEdit* Rows;
    TSpinEdit* Passes;
    QCheckBox* UseShortWords;
    QCheckBox* ShowInsertions;
    QCheckBox* UseSolutionWord;
    QLineEdit* SolutionWord;
    QCheckBox* MixWords;
};

inline SettingsControls Controls(const TEOptions* o) {
    return {Named<TSpinEdit>(o, "SpinEditX"),  Named<TSpinEdit>(o, "SpinEditY"),
            Named<TSpinEdit>(o, "SpinEditE"),  Named<QCheckBox>(o, "CheckBoxKWD"),
            Named<QCheckBox>(o, "CheckBoxEW"), Named<QCheckBox>(o, "CheckBoxLW"),
            Named<QLineEdit>(o, "EditLW"),     Named<QCheckBox>(o, "CheckBoxWM")};
}

struct StatisticsValues {
    QLabel* Rows;
    QLabel* Columns;
    QLabel* Crossings;
    QLabel* CrossingsPercent;
    QLabel* BlackCells;
    QLabel* AcrossWords;
    QLabel* DownWords;
};

inline StatisticsValues Values(const TStatistikAnzeige* s) {
    return {Named<QLabel>(s, "LabelZE2"), Named<QLabel>(s, "LabelSP2"),
            Named<QLabel>(s, "LabelUE2"), Named<QLabel>(s, "LabelPR2"),
            Named<QLabel>(s, "LabelSF2"), Named<QLabel>(s, "LabelWW2"),
            Named<QLabel>(s, "LabelSW2")};
}

struct SolverLabels {
    QLabel* Attempts;
    QLabel* Correct;
    QLabel* LetterCount;
};

inline SolverLabels Labels(const TLHint* h) {
    return {Named<QLabel>(h, "LabelV"), Named<QLabel>(h, "LabelR"), Named<QLabel>(h, "LabelA")};
}

inline QTableWidget* UListe(const TBegriffsumschreibung* list) {
    return Named<QTableWidget>(list, "UListe");
}
inline QPlainTextEdit* MemoRegeln(const TRegelnBox* box) {
    return Named<QPlainTextEdit>(box, "MemoRegeln");
}
inline QLabel* InfoTitle(const TInfoBox* box) {
    return Named<QLabel>(box, "Title");
}

// The settings dialog's controls as a user sets and reads them.
inline void SetGridSize(const TEOptions* o, int width, int height) {
    Controls(o).Columns->setValue(width);
    Controls(o).Rows->setValue(height);
}
inline int GridWidth(const TEOptions* o) {
    return Controls(o).Columns->Value();
}
inline int GridHeight(const TEOptions* o) {
    return Controls(o).Rows->Value();
}
inline int Passes(const TEOptions* o) {
    return Controls(o).Passes->Value();
}
inline void SetSolutionWord(const TEOptions* o, const QString& word) {
    Controls(o).SolutionWord->setText(word);
}
inline QString SolutionWord(const TEOptions* o) {
    return Controls(o).SolutionWord->text();
}
inline void SetSolutionWordChecked(const TEOptions* o, bool checked) {
    Controls(o).UseSolutionWord->setChecked(checked);
}
inline bool IsSolutionWordChecked(const TEOptions* o) {
    return Controls(o).UseSolutionWord->isChecked();
}
inline void SetShowInsertions(const TEOptions* o, bool show) {
    Controls(o).ShowInsertions->setChecked(show);
}
inline bool ShowInsertions(const TEOptions* o) {
    return Controls(o).ShowInsertions->isChecked();
}
inline bool UseShortWords(const TEOptions* o) {
    return Controls(o).UseShortWords->isChecked();
}
inline void SetMixWords(const TEOptions* o, bool mix) {
    Controls(o).MixWords->setChecked(mix);
}
inline bool MixWords(const TEOptions* o) {
    return Controls(o).MixWords->isChecked();
}
