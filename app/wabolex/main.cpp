// Wabolex: the crossword generator with its window.
//   wabolex [RAETSEL.wbx]   a puzzle file named on the command line (as the
//                           desktop's "open with" does) is loaded as "&Laden"
//                           would load it, once the window is up.
#include "model/RandomSource.h"
#include "ui/QtFileDialogService.h"
#include "ui/QtMessageService.h"
#include "ui/TKatalog.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Wabolex"));
    // Lets the desktop match the window to the installed desktop entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("de.wabolex.Wabolex"));

    // Qt's own dialogs (file dialogs, standard buttons) speak German like the rest.
    QTranslator qtGerman;
    if (qtGerman.load(QStringLiteral("qtbase_de"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QApplication::installTranslator(&qtGerman);
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));

    QtMessageService messages;
    QtFileDialogService fileDialogs;
    TKatalog katalog(messages, fileDialogs, RandomSource::ClockSeed());
    // The secondary windows carry the main window's icon.
    QApplication::setWindowIcon(katalog.windowIcon());
    katalog.show();
    const QStringList arguments = QApplication::arguments();
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        if (!arguments[i].startsWith('-')) {
            const QString file = arguments[i];
            QTimer::singleShot(0, &katalog, [&katalog, file] { katalog.OpenPuzzleFile(file); });
            break;
        }
    }
    return app.exec();
}
