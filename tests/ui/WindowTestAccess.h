#pragma once

// The tests' way to the controls that the windows keep to themselves: each
// window names this class its friend. The short functions below give a test
// the controls of one window by their names.

#include "ui/TBegriffsumschreibung.h"
#include "ui/TEOptions.h"
#include "ui/TInfoBox.h"
#include "ui/TKatalog.h"
#include "ui/TLHint.h"
#include "ui/TRegelnBox.h"
#include "ui/TStatistikAnzeige.h"

class QAction;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QTableWidget;
class TSpinEdit;

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

struct SettingsControls {
    TSpinEdit* Columns;
    TSpinEdit* Rows;
    TSpinEdit* Passes;
    QCheckBox* UseShortWords;
    QCheckBox* ShowInsertions;
    QCheckBox* UseSolutionWord;
    QLineEdit* SolutionWord;
};

struct StatisticsValues {
    QLabel* Rows;
    QLabel* Columns;
    QLabel* Crossings;
    QLabel* CrossingsPercent;
    QLabel* BlackCells;
    QLabel* AcrossWords;
    QLabel* DownWords;
};

struct SolverLabels {
    QLabel* Attempts;
    QLabel* Correct;
    QLabel* LetterCount;
};

class WindowTestAccess {
public:
    static KatalogMenu Menu(const TKatalog& k) {
        return {k.DBLaden,     k.RExportieren,     k.LExportieren, k.Beenden,      k.Einstellungen,
                k.RGenerieren, k.RAnzeigen,        k.RStatistik,   k.RDrucken,     k.RLaden,
                k.RSpeichern,  k.MenuLoesungswort, k.LWDelete,     k.neuePosition, k.LAnzeigen,
                k.LDrucken,    k.Hinweise,         k.Info};
    }
    static SettingsControls Controls(const TEOptions* o) {
        return {o->columns_,       o->rows_,           o->passes_,
                o->useShortWords_, o->showInsertions_, o->useSolutionWord_,
                o->solutionWord_};
    }
    static StatisticsValues Values(const TStatistikAnzeige* s) {
        return {s->rows_,       s->columns_,     s->crossings_, s->crossingsPercent_,
                s->blackCells_, s->acrossWords_, s->downWords_};
    }
    static SolverLabels Labels(const TLHint* h) {
        return {h->attempts_, h->correct_, h->letterCount_};
    }
    static QTableWidget* UListe(const TBegriffsumschreibung* list) { return list->UListe; }
    static QPlainTextEdit* MemoRegeln(const TRegelnBox* box) { return box->notes_; }
    static QLabel* Title(const TInfoBox* box) { return box->title_; }
};

inline KatalogMenu Menu(const TKatalog& k) {
    return WindowTestAccess::Menu(k);
}
inline SettingsControls Controls(const TEOptions* o) {
    return WindowTestAccess::Controls(o);
}
inline StatisticsValues Values(const TStatistikAnzeige* s) {
    return WindowTestAccess::Values(s);
}
inline SolverLabels Labels(const TLHint* h) {
    return WindowTestAccess::Labels(h);
}
inline QTableWidget* UListe(const TBegriffsumschreibung* list) {
    return WindowTestAccess::UListe(list);
}
inline QPlainTextEdit* MemoRegeln(const TRegelnBox* box) {
    return WindowTestAccess::MemoRegeln(box);
}
inline QLabel* InfoTitle(const TInfoBox* box) {
    return WindowTestAccess::Title(box);
}
