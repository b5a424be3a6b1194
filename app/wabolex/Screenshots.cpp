// Takes screenshots of the program's windows on the offscreen platform: start-up,
// a generated 15 x 15 and a 99 x 99 puzzle, the settings dialog, the statistics
// window, the usage notes and the about window. For looking at, not for tests.
//
//   wabolex-screenshots <table.db> <output folder>

#include "ui/FileDialogService.h"
#include "ui/MessageService.h"
#include "ui/TAusgabe.h"
#include "ui/TEOptions.h"
#include "ui/TKatalog.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <cstdio>
#include <functional>

namespace {

// Answers every question with yes, without showing anything.
class QuietMessages : public MessageService {
public:
    void Error(const QString& text) override {
        std::fprintf(stderr, "Fehler: %s\n", qPrintable(text));
    }
    void Information(const QString& text) override {
        std::fprintf(stderr, "Information: %s\n", qPrintable(text));
    }
    bool Confirm(const QString&) override { return true; }
    bool Warning(const QString&) override { return true; }
    void RetryError(const QString& text) override {
        std::fprintf(stderr, "Fehler: %s\n", qPrintable(text));
    }
    bool StartWord(const QString&) override { return true; }
    Answer Satisfied(const QString&) override { return Answer::Yes; }
};

class FixedFile : public FileDialogService {
public:
    QString Path;
    std::optional<QString> OpenFileName(const QString&, const QString&, const QString&,
                                        const QString&) override {
        return Path;
    }
    std::optional<QString> SaveFileName(const QString&, const QString&, const QString&,
                                        const QString&, const QString&) override {
        return std::nullopt;
    }
};

void Save(QWidget* window, const QString& folder, const QString& name) {
    window->show();
    QApplication::processEvents();
    const QString path = folder + '/' + name;
    if (!window->grab().save(path))
        std::fprintf(stderr, "%s konnte nicht gespeichert werden\n", qPrintable(path));
    else
        std::printf("%s\n", qPrintable(path));
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "Aufruf: wabolex-screenshots <tabelle.db> <ausgabeordner>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(folder);

    QuietMessages messages;
    FixedFile files;
    files.Path = QString::fromLocal8Bit(argv[1]);
    TKatalog katalog(messages, files, 20261208);
    katalog.show();
    Save(&katalog, folder, "01-start.png");

    // The commands as the menu starts them.
    const auto command = [&katalog](const char* name) {
        katalog.findChild<QAction*>(QString::fromLatin1(name))->trigger();
    };
    const auto settings = [&katalog](const std::function<void(GenerationSettings&)>& change) {
        GenerationSettings value = katalog.session().Settings();
        change(value);
        katalog.EOptions()->SetValue(value);
    };
    command("DBLaden");
    settings([](GenerationSettings& s) { s.ShowInsertions = false; });
    // Modal windows are photographed instead of waiting for a user.
    QString nextModal;
    katalog.SetModalHook([&](QWidget* window) {
        Save(window, folder, nextModal);
        window->hide();
    });
    nextModal = "04-statistik.png";
    command("RGenerieren");
    Save(&katalog, folder, "02-generiert-15x15.png");

    command("LAnzeigen");
    Save(&katalog, folder, "08-loesung-15x15.png");

    katalog.SetModalHook([&](QWidget* window) {
        Save(window, folder, "03-einstellungen.png");
        settings([](GenerationSettings& s) { s.Columns = s.Rows = 99; });
        window->hide();
    });
    command("Einstellungen");
    katalog.SetModalHook([&](QWidget* window) { window->hide(); });
    command("RGenerieren");
    Save(&katalog, folder, "05-generiert-99x99.png");
    katalog.resize(1400, 1000);
    Save(&katalog, folder, "05b-generiert-99x99-gross.png");

    katalog.SetModalHook([&](QWidget* window) {
        Save(window, folder, nextModal);
        window->hide();
    });
    nextModal = "06-hinweise.png";
    command("Hinweise");
    nextModal = "07-info.png";
    command("Info");
    return 0;
}
