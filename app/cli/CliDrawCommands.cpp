// wabolex-cli export and print: their help and options are known here; the
// drawing itself is in the module wabolex-cli-draw, which brings the GUI
// libraries and is loaded only when one of these commands runs.
#include "app/cli/CliCommands.h"

#include "base/Cp1252.h"
#include "base/WabolexError.h"

#include <dlfcn.h>

#include <climits>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace Cli {

namespace {

constexpr Form kExportForms[] = {
    {R"(wabolex-cli export RAETSEL.wbx -o DATEI [--solution] [--clues UMSCHREIBUNGEN.txt]
      [--encoding utf-8] [--title TITEL] [--author NAME] [--copyright TEXT]
      [--paper A4|Letter])",
     R"(Exportiert das Rätsel; das Format folgt aus der Endung von DATEI:
  .bmp, .png, .svg  das Rätselbild (mit --solution die Lösung) und daneben
                    die Umschreibungen als Text (BILD.txt oder --clues);
                    SVG mit Texten als Text, für Satzprogramme; ohne
                    Endung BMP
  .ipuz             ein ipuz-Kreuzworträtsel (JSON, UTF-8) für Rätsel-Apps:
                    Gitter mit Nummern, Trennstrichen und eingekreistem
                    Lösungswort, Lösung und Umschreibungen; eine Textdatei
                    nur mit --clues
  .html             eine Webseite zum Lösen in jedem Browser, ohne Netz und
                    ohne weitere Dateien: Tippen, Prüfen, Aufdecken, der Stand
                    bleibt im Browser; gedruckt das leere Rätselblatt; mit
                    --solution die ausgefüllte Seite
  .pdf              das Rätselblatt: Gitter, Lösungswortfelder und die
                    Umschreibungen in Spalten, bis 21x21 auf einer Seite;
                    größere Gitter füllen die Seitenbreite, die Umschreibungen
                    folgen auf weiteren Seiten (--paper, Vorgabe A4)
--title, --author und --copyright stehen in ipuz-Datei, Webseite und Rätselblatt
(der Titel auch im SVG); ohne --title ist der Titel der Name der Rätseldatei.
--encoding utf-8 schreibt die Umschreibungen in UTF-8 mit LF statt in
Windows-1252 mit CR LF.)"},
};

constexpr Form kPrintForms[] = {
    {R"(wabolex-cli print RAETSEL.wbx -o DATEI.pdf [--solution] [--paper A4|Letter])",
     R"(Druckt das Rätsel in eine PDF-Datei.)"},
};

using DrawCommand = int (*)(const Command&, const Args&);

// The module lies at a fixed place relative to the program's own folder, in
// the build folder as in an installation.
std::filesystem::path ModulePath() {
    char self[PATH_MAX];
    const ssize_t length = ::readlink("/proc/self/exe", self, sizeof self - 1);
    const std::filesystem::path program =
        length > 0 ? std::filesystem::path(std::string(self, static_cast<size_t>(length)))
                   : std::filesystem::path();
    return program.parent_path() / WABOLEX_DRAW_MODULE;
}

// Loads the module once and runs one of its commands.
int RunDrawCommand(const char* symbol, const Command& command, const Args& args) {
    static void* module = nullptr;
    if (module == nullptr) {
        const std::filesystem::path path = ModulePath();
        module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (module == nullptr) {
            const char* reason = ::dlerror();
            throw WabolexError(W("Das Zeichenmodul ") + Cp1252::FromUtf8(path.string()) +
                               W(" kann nicht geladen werden: ") +
                               Cp1252::FromUtf8(reason != nullptr ? reason : "?"));
        }
    }
    const auto run = reinterpret_cast<DrawCommand>(::dlsym(module, symbol));
    if (run == nullptr) {
        throw WabolexError(W("Das Zeichenmodul kennt den Befehl ") + command.Name.data() +
                           W(" nicht."));
    }
    return run(command, args);
}

int Export(const Args& args) {
    return RunDrawCommand("WabolexCliExport", ExportCommand, args);
}

int Print(const Args& args) {
    return RunDrawCommand("WabolexCliPrint", PrintCommand, args);
}

} // namespace

const Command ExportCommand{"export", kExportForms, Export};
const Command PrintCommand{"print", kPrintForms, Print};

} // namespace Cli
