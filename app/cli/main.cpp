#include "app/cli/CliCommands.h"
#include "io/FileError.h"
#include "model/Cp1252.h"
#include "model/WabolexError.h"

#include <cerrno>
#include <cstdio>
#include <exception>
#include <iostream>
#include <map>
#include <string>

namespace {

const char* const kHelp = R"(wabolex-cli – Kreuzworträtsel ohne Fenster erzeugen

Aufruf:
  wabolex-cli import EINGABE -o TABELLE.db [--thesaurus] [--short-words | --lengths VON-BIS]
      [--known-words LISTE]... [--ranking LISTE]...
      Liest eine UTF-8-Textdatei (eine Zeile je Eintrag: "WORT;UMSCHREIBUNG" oder
      "WORT<Tab>UMSCHREIBUNG", Zeilen mit # werden übergangen) oder mit --thesaurus
      eine OpenThesaurus-Textdatei und schreibt eine Paradox-Wortschatztabelle.
      --short-words übernimmt nur Wörter mit 2 bis 4 Buchstaben (Kurzwörter),
      --lengths nur Wörter dieser Längen (etwa 5-15).
      Nur mit --thesaurus: Begriffe der Sperrliste, anstößig markierte Begriffe
      und Umschreibungen, die das Wort verraten, bleiben draußen; eine Umschreibung
      hat höchstens drei Begriffe. --known-words nimmt nur Wörter, die in einer der
      Listen stehen (eine Zeile je Wort, hunspell-Wörterbuch oder JSON-Feld) oder
      sich aus ihnen zusammensetzen; --ranking (nach Häufigkeit geordnete Listen)
      stellt häufige Begriffe nach vorn und lässt Fachwörter nur zu, wenn sie
      darin stehen.
  wabolex-cli generate TABELLE.db -o RAETSEL.wbx [--size SxZ] [--passes N]
      [--no-short-words] [--solution-word WORT | --no-solution-word] [--seed N]
      [--tries K] [--vary] [--reference-scan]
      Lädt die Tabelle (mit "Kurzwörter2004.DB" daneben), erzeugt ein Rätsel ohne
      Rückfragen und speichert es. Vorgaben: 15x15, 4 Durchläufe, Kurzwörter an,
      Lösungswort HOCHZEITSTAG. Ohne --seed wird der Startwert aus der Uhr gezogen.
      --tries K   erzeugt K Kandidaten und behält den besten (K = 1 bis 100): der
                  erste mit dem Startwert S selbst (--tries 1 ist also ein
                  gewöhnlicher Lauf), Kandidat k = 2..K mit dem Startwert
                  splitmix64(splitmix64(S) + k - 1). Besser ist, der Reihe nach:
                  Lösungswort gefunden (oder keins verlangt), weniger schwarze
                  Felder, mehr Überschneidungen, weniger Antworten mit 2 Buch-
                  staben; bei Gleichstand bleibt der frühere Kandidat.
      --vary      bringt vor jedem Lauf die Wörter jeder Länge in eine zufällige
                  Reihenfolge, gezogen aus dem Startwert des Laufs (die Einträge
                  eines Worts bleiben beieinander), statt der Reihenfolge der
                  Tabelle: die Suche trifft so in jedem Rätsel auf andere Wörter.
                  Mit demselben Startwert entsteht dasselbe Rätsel.
      --reference-scan prüft für jeden Begriff jede Position im Gitter, statt die
                  Plätze über das Wortverzeichnis zu suchen: die langsame
                  Referenz, die mit demselben --seed genau dasselbe Rätsel ergeben
                  muss.
  wabolex-cli generate TABELLE.db -o ORDNER --count N [--jobs J] [--seed N] ...
      Erzeugt N Rätsel (N = 1 bis 1000000) mit den Startwerten S bis S+N-1 als
      ORDNER/<Tabelle>-<Startwert>.wbx, etwa Allgemein-17.wbx; jede Datei gleicht
      Byte für Byte der eines einzelnen Aufrufs mit ihrem Startwert und denselben
      Angaben. Ohne --seed wird S gezogen und ausgegeben. Die Tabelle wird einmal
      geladen; J Aufträge (Vorgabe: einer je Prozessorkern) arbeiten parallel.
      Der Ordner wird bei Bedarf angelegt; steht eine Datei im Weg, wird nichts
      erzeugt. Auf einem Terminal zeigt stderr einen Fortschrittsbalken; am Ende
      steht auf stdout eine Zeile mit Rätseln, Zeit und Rätseln je Sekunde.
  wabolex-cli check-table TABELLE.db [--lengths VON-BIS] [--thesaurus DATEI] [--examples N]
      Prüft eine Wortschatztabelle: Einträge, verschiedene Wörter je Länge,
      Umschreibungslänge im Median und die Einträge, die eine Regel verletzen
      (mit je N Beispielen, Vorgabe 5). Harte Regeln: keine Umschreibung verrät
      ihr Wort, kein Begriff der Sperrliste, keine leere Umschreibung, kein Wort
      auch in "Kurzwörter2004.DB" daneben, die Einträge eines Worts stehen
      beieinander; mit --lengths: jedes Wort hat eine dieser Längen; mit
      --thesaurus: kein Begriff, den OpenThesaurus in seiner Gruppe als anstößig
      markiert. Rückgabewert 1, wenn eine harte Regel verletzt ist.
  wabolex-cli stats RAETSEL.wbx
      Zeigt die Statistik des Rätsels und in der achten Zeile seine Bewertung:
      Lösungswort gefunden (oder keins verlangt), dann weniger schwarze Felder,
      mehr Überschneidungen, weniger Antworten mit 2 Buchstaben.
  wabolex-cli export RAETSEL.wbx -o DATEI [--solution] [--clues UMSCHREIBUNGEN.txt]
      Exportiert das Rätsel; das Format folgt aus der Endung von DATEI:
        .bmp, .png, .svg  das Rätselbild (mit --solution die Lösung) und daneben
                          die Umschreibungen als Text (BILD.txt oder --clues);
                          SVG mit Texten als Text, für Satzprogramme; ohne
                          Endung BMP
        .ipuz             ein ipuz-Kreuzworträtsel (JSON, UTF-8) für Rätsel-Apps:
                          Gitter mit Nummern, Trennstrichen und eingekreistem
                          Lösungswort, Lösung und Umschreibungen; eine Textdatei
                          nur mit --clues
  wabolex-cli print RAETSEL.wbx -o DATEI.pdf [--solution] [--paper A4|Letter]
      Druckt das Rätsel in eine PDF-Datei.

Rückgabewert: 0 bei Erfolg, 1 bei einem Fehler, 2 bei falschem Aufruf.
)";

} // namespace

namespace Cli {

void Error(const std::string& cp1252Message) {
    std::cerr << Cp1252::ToUtf8(cp1252Message) << '\n';
}

void Out(const std::string& cp1252Line) {
    std::cout << Cp1252::ToUtf8(cp1252Line) << '\n';
}

int FinishOutput(int status) {
    // Output that never arrived is a failure, even when the work was done.
    errno = 0;
    std::cout.flush();
    const bool failed = !std::cout || std::fflush(stdout) != 0 || std::ferror(stdout) != 0;
    if (!failed) {
        return status;
    }
    const int error = errno;
    Error(W("Die Ausgabe kann nicht geschrieben werden: ") +
          (error != 0 ? FileError::Reason(error) : W("Schreibfehler")) + ".");
    return status == Ok ? Failure : status;
}

int UsageError(const std::string& utf8Message) {
    std::cerr << utf8Message << "\n"
              << "Hilfe: wabolex-cli --help\n";
    return Usage;
}

} // namespace Cli

int main(int argc, char** argv) {
    const std::map<std::string, int (*)(const Cli::Args&)> commands = {
        {"import", Cli::Import}, {"generate", Cli::Generate}, {"stats", Cli::Stats},
        {"export", Cli::Export}, {"print", Cli::Print},       {"check-table", Cli::CheckTable}};

    if (argc < 2) {
        return Cli::UsageError("Es fehlt ein Befehl.");
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        std::cout << kHelp;
        return Cli::FinishOutput(Cli::Ok);
    }
    const auto command = commands.find(name);
    if (command == commands.end()) {
        return Cli::UsageError("Unbekannter Befehl: " + name);
    }
    Cli::Args args(argv + 2, argv + argc);
    int status = Cli::Failure;
    try {
        status = command->second(args);
    } catch (const WabolexError& e) {
        Cli::Error(e.what());
    } catch (const std::exception& e) {
        Cli::Error(W("Fehler: ") + e.what());
    }
    return Cli::FinishOutput(status);
}
